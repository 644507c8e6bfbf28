#pragma once

#define IDI_VELMORA 100

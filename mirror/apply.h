#pragma once

#include "mirror/system.h"

// Run from a hidden console window in the program's folder. pip refuses to
// upgrade itself when started as "pip" on Windows, so it is started through
// python.
inline constexpr char UpgradeCommand[] =
    "cmd /c python -m pip install --user --upgrade pip";

// Writes pip.ini for catalogue row `selectionIndex` (0..3), then offers the
// pip upgrade. Returns when the whole run, the upgrade included, has ended.
void ApplyMirror(int selectionIndex, MirrorSystem& system);

// Asks whether pip should be upgraded; on OK runs UpgradeCommand and waits.
void ConfirmAndUpgrade(MirrorSystem& system);

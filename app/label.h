#pragma once

#include <windows.h>

// A transparent text label: its text in its font, nothing else; the parent's
// background shows around the letters. The font is the creator's to keep.

bool RegisterLabelClass(HINSTANCE instance);
HWND CreateLabel(HWND parent, const char* text, int x, int y, int width,
                 int height, HFONT font, HINSTANCE instance);

// The font a label paints with.
HFONT LabelFont(HWND label);

// Draws a label's text into `rect` of any device context: the window's, or a
// bitmap's in a test.
void PaintLabelText(HDC dc, const RECT& rect, const char* text, HFONT font);

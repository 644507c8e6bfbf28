#pragma once

#include <string>

// The shell's decisions, free of Windows calls.

struct Point {
  int x;
  int y;
};

inline constexpr int kWindowWidth = 400;
inline constexpr int kWindowHeight = 250;

// Top-left corner that centres the window on a screen of the given size.
Point CenteredOrigin(int screenWidth, int screenHeight);

// The folder of an executable's ANSI path: cut before its last backslash.
// A double-byte character's trail byte may be 0x5C, so the path is walked
// character by character. Empty when the path holds no backslash.
std::string ExecutableFolder(const std::string& modulePath,
                             bool (*isLeadByte)(unsigned char));

enum class KeyAction {
  kPass,
  kFocusNextTabStop,
  kFocusPreviousTabStop,
  kClose
};

// What a key-down for the window or one of its controls does before it
// reaches the focused control. Enter passes: it neither clicks nor moves.
KeyAction ClassifyKeyDown(unsigned virtualKey, bool ctrl, bool shift, bool alt);

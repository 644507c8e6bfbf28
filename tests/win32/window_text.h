#pragma once

#include <windows.h>

#include <string>

// Reading windows of this or another process, in ANSI.

inline std::string WindowText(HWND window) {
  char text[4096] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline std::string ClassOf(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The text of a message box: its Static children.
inline std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0)
      text += WindowText(child);
  return text;
}

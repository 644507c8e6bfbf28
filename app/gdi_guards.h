#pragma once

#include <windows.h>

// Owns a font made by CreateFontIndirect; stock fonts are never deleted.
class FontGuard {
 public:
  FontGuard() = default;
  ~FontGuard() { Reset(nullptr, false); }
  FontGuard(const FontGuard&) = delete;
  FontGuard& operator=(const FontGuard&) = delete;

  HFONT Get() const { return font_; }
  void Reset(HFONT font, bool owned) {
    if (font_ != nullptr && owned_) DeleteObject(font_);
    font_ = font;
    owned_ = owned;
  }

 private:
  HFONT font_ = nullptr;
  bool owned_ = false;
};

// Selects an object into a device context and puts the old one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() { SelectObject(dc_, old_); }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

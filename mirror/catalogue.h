#pragma once

#include <string>

// One public PyPI mirror that the program can switch pip to.
struct MirrorEntry {
  const char* listText;  // shown in the drop-down list, code page 936
  const char* scheme;    // "http" or "https"
  const char* host;
  const char* indexPath;    // path of the simple index, "/.../"
  const char* trustedPath;  // index path without its final "simple/"
};

constexpr int kMirrorCount = 4;

// Fixed at build time; a row's position is the list's selection index.
extern const MirrorEntry MirrorCatalogue[kMirrorCount];

// The whole content of pip.ini for row `rowIndex` (0..kMirrorCount-1):
// CR LF line breaks, no break after the last line, no byte-order mark.
std::string ComposePipConfig(int rowIndex);

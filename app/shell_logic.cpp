#include "app/shell_logic.h"

namespace {
constexpr unsigned kVirtualKeyTab = 0x09;
constexpr unsigned kVirtualKeyEscape = 0x1B;
}  // namespace

Point CenteredOrigin(int screenWidth, int screenHeight) {
  return {(screenWidth - kWindowWidth) / 2, (screenHeight - kWindowHeight) / 2};
}

std::string ExecutableFolder(const std::string& modulePath,
                             bool (*isLeadByte)(unsigned char)) {
  std::string::size_type lastBackslash = std::string::npos;
  for (std::string::size_type at = 0; at < modulePath.size(); ++at) {
    const unsigned char byte = static_cast<unsigned char>(modulePath[at]);
    if (isLeadByte(byte) && at + 1 < modulePath.size())
      ++at;
    else if (byte == '\\')
      lastBackslash = at;
  }
  if (lastBackslash == std::string::npos) return std::string();
  return modulePath.substr(0, lastBackslash);
}

KeyAction ClassifyKeyDown(unsigned virtualKey, bool ctrl, bool shift,
                          bool alt) {
  if (ctrl || alt) return KeyAction::kPass;
  if (virtualKey == kVirtualKeyTab)
    return shift ? KeyAction::kFocusPreviousTabStop
                 : KeyAction::kFocusNextTabStop;
  if (virtualKey == kVirtualKeyEscape && !shift) return KeyAction::kClose;
  return KeyAction::kPass;
}

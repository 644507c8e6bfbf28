#include "mirror/overrides.h"

#include <cctype>

#include "mirror/texts.h"

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kPipDefaultIndex[] = "https://pypi.org/simple";
constexpr std::string::size_type kShownValueLimit = 200;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string Trimmed(const std::string& text) {
  std::string::size_type begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// pip matches keys without regard to case and reads "_" as "-".
std::string NormalizedKey(const std::string& key) {
  std::string normalized;
  for (char c : key)
    normalized +=
        c == '_'
            ? '-'
            : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return normalized;
}

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::string::size_type i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    const bool slashes = (x == '/' || x == '\\') && (y == '/' || y == '\\');
    if (!slashes && std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}

std::string Shown(const std::string& value) {
  if (value.size() <= kShownValueLimit) return value;
  return value.substr(0, kShownValueLimit) + "...";
}

}  // namespace

std::string IndexUrlIn(const std::string& fileText, bool installOnly) {
  std::string text = fileText;
  if (text.compare(0, 3, kUtf8ByteOrderMark) == 0) text.erase(0, 3);

  std::string section;
  std::string inGlobal, inInstall;
  bool inValue = false;  // indented lines continue a value
  std::string::size_type at = 0;
  while (at <= text.size()) {
    std::string::size_type end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;

    const std::string trimmed = Trimmed(line);
    if (trimmed.empty()) {
      inValue = false;
      continue;
    }
    if (trimmed[0] == '#' || trimmed[0] == ';') continue;
    if (inValue && IsBlank(line[0])) continue;
    inValue = false;
    if (trimmed[0] == '[') {
      const std::string::size_type close = trimmed.rfind(']');
      if (close != std::string::npos && close > 1) {
        section = trimmed.substr(1, close - 1);
        continue;
      }
    }
    const std::string::size_type delimiter = trimmed.find_first_of("=:");
    if (delimiter == std::string::npos) continue;
    inValue = true;
    if (NormalizedKey(Trimmed(trimmed.substr(0, delimiter))) != "index-url")
      continue;
    const std::string value = Trimmed(trimmed.substr(delimiter + 1));
    // pip's section names are matched exactly.
    if (section == "global") inGlobal = value;
    if (section == "install") inInstall = value;
  }
  if (!inInstall.empty()) return inInstall;
  return installOnly ? std::string() : inGlobal;
}

std::vector<OverridingSetting> FindOverridingSettings(
    const PipSettings& settings) {
  std::vector<OverridingSetting> found;
  if (!settings.pipIndexUrl.empty())
    found.push_back({"PIP_INDEX_URL", settings.pipIndexUrl});

  // An existing PIP_CONFIG_FILE stops pip reading the per-user files,
  // unless it is the very file just written.
  bool userFilesRead = true;
  if (!settings.pipConfigFile.empty() && settings.pipConfigFileText &&
      !SamePath(settings.pipConfigFile, settings.writtenConfigPath)) {
    userFilesRead = false;
    std::string url = IndexUrlIn(*settings.pipConfigFileText, false);
    if (url.empty()) url = kPipDefaultIndex;
    found.push_back({"PIP_CONFIG_FILE " + settings.pipConfigFile, url});
  }

  if (userFilesRead && settings.userConfigText) {
    const std::string url = IndexUrlIn(*settings.userConfigText, false);
    if (!url.empty()) found.push_back({settings.userConfigPath, url});
  }
  // Read before the per-user files: only its [install] beats our [global].
  if (settings.machineConfigText) {
    const std::string url = IndexUrlIn(*settings.machineConfigText, true);
    if (!url.empty()) found.push_back({settings.machineConfigPath, url});
  }
  return found;
}

std::string OverrideWarningText(const std::vector<OverridingSetting>& found) {
  std::string text = kOverrideIntro;
  text += "\r\n";
  for (const OverridingSetting& setting : found)
    text += "\r\n" + Shown(setting.source) + "\r\n    " + kOverrideIndex +
            Shown(setting.indexUrl) + "\r\n";
  return text + "\r\n" + kOverrideHint;
}

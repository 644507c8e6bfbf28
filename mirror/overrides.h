#pragma once

#include <optional>
#include <string>
#include <vector>

// pip reads other settings after the legacy per-user pip.ini that this
// program writes; any of these that names an index wins over it.

// The index-url that pip takes from one configuration file's text: the one
// under [install] over the one under [global] (or only [install] when
// `installOnly`). Empty when the file names none.
std::string IndexUrlIn(const std::string& fileText, bool installOnly);

// What pip would see besides the file just written. A file's text is absent
// when it is missing or could not be read.
struct PipSettings {
  std::string pipIndexUrl;    // PIP_INDEX_URL, empty when unset
  std::string pipConfigFile;  // PIP_CONFIG_FILE, empty when unset
  std::optional<std::string> pipConfigFileText;
  std::string userConfigPath;  // %APPDATA%\pip\pip.ini
  std::optional<std::string> userConfigText;
  std::string machineConfigPath;  // %ProgramData%\pip\pip.ini
  std::optional<std::string> machineConfigText;
  std::string writtenConfigPath;  // the file this program wrote
};

struct OverridingSetting {
  std::string source;    // a variable's name or a file's full path
  std::string indexUrl;  // the index pip will use because of it
};

std::vector<OverridingSetting> FindOverridingSettings(
    const PipSettings& settings);

// The warning that names each overriding setting; code page 936.
std::string OverrideWarningText(const std::vector<OverridingSetting>& found);

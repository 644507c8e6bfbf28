#include "mirror/apply.h"

#include <string>

#include "mirror/account.h"
#include "mirror/catalogue.h"
#include "mirror/overrides.h"
#include "mirror/texts.h"

namespace {

std::string ReasonText(MirrorSystem& system, unsigned long error) {
  std::string reason = system.ErrorText(error);
  if (reason.empty()) reason = kErrorCode + std::to_string(error);
  return reason;
}

std::string WriteFailedText(const std::string& path,
                            const std::string& reason) {
  return std::string(kWriteFailedIntro) + "\r\n" + path + "\r\n\r\n" + reason;
}

std::string UpgradeFailedText(MirrorSystem& system, const CommandRun& run) {
  std::string text = kUpgradeFailedIntro;
  if (run.started)
    text += kUpgradeExitCode + std::to_string(run.exitCode);
  else
    text += kUpgradeNotStarted + ReasonText(system, run.error);
  return text + "\r\n\r\n" + kUpgradeHint;
}

constexpr std::size_t kOtherFileLimit = 64 * 1024;

std::string PipIniIn(const std::string& folder) {
  return folder.empty() ? std::string() : folder + "\\pip\\pip.ini";
}

PipSettings ReadPipSettings(MirrorSystem& system,
                            const std::string& writtenConfigPath) {
  PipSettings settings;
  auto read = [&](const std::string& path) -> std::optional<std::string> {
    if (path.empty()) return std::nullopt;
    return system.ReadFileStart(path, kOtherFileLimit);
  };
  settings.pipIndexUrl = system.EnvironmentVariable("PIP_INDEX_URL");
  settings.pipConfigFile = system.EnvironmentVariable("PIP_CONFIG_FILE");
  settings.pipConfigFileText = read(settings.pipConfigFile);
  settings.userConfigPath =
      PipIniIn(system.FolderPath(KnownFolder::kRoamingAppData));
  settings.userConfigText = read(settings.userConfigPath);
  settings.machineConfigPath =
      PipIniIn(system.FolderPath(KnownFolder::kCommonAppData));
  settings.machineConfigText = read(settings.machineConfigPath);
  settings.writtenConfigPath = writtenConfigPath;
  return settings;
}

}  // namespace

void ApplyMirror(int selectionIndex, MirrorSystem& system) {
  unsigned long accountError = 0;
  const std::string account = system.AccountName(accountError);
  const std::string configPath = PipConfigPath(account);
  if (account.empty()) {
    // "C:\Users\\pip" is nobody's folder: create and write nothing there.
    std::string reason = kNoAccountReason;
    if (accountError != 0) reason += "\r\n" + ReasonText(system, accountError);
    system.ShowError(WriteFailedText(configPath, reason), kUpdateCaption);
    return;
  }

  const std::string directory = PipDirectoryPath(account);
  if (!system.IsDirectory(directory)) system.MakeDirectory(directory);

  const unsigned long writeError =
      system.WriteWholeFile(configPath, ComposePipConfig(selectionIndex));
  if (writeError != 0) {
    system.ShowError(
        WriteFailedText(configPath, ReasonText(system, writeError)),
        kUpdateCaption);
    return;
  }

  const std::vector<OverridingSetting> overriding =
      FindOverridingSettings(ReadPipSettings(system, configPath));
  if (!overriding.empty())
    system.ShowWarning(OverrideWarningText(overriding), kUpdateCaption);

  ConfirmAndUpgrade(system);
}

void ConfirmAndUpgrade(MirrorSystem& system) {
  if (!system.AskOkCancel(kUpgradeQuestion, kUpdateCaption)) return;
  const CommandRun run = system.RunHiddenAndWait(UpgradeCommand);
  if (run.started && run.exitCode == 0) return;
  system.ShowWarning(UpgradeFailedText(system, run), kUpdateCaption);
}

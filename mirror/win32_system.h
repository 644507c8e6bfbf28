#pragma once

#include "mirror/system.h"

// The MirrorSystem of a real Windows: ANSI calls, nothing decided here.
class Win32MirrorSystem : public MirrorSystem {
 public:
  std::string AccountName(unsigned long& error) override;
  bool IsDirectory(const std::string& path) override;
  void MakeDirectory(const std::string& path) override;
  unsigned long WriteWholeFile(const std::string& path,
                               const std::string& bytes) override;
  std::string ErrorText(unsigned long error) override;
  std::string EnvironmentVariable(const std::string& name) override;
  std::string FolderPath(KnownFolder folder) override;
  std::optional<std::string> ReadFileStart(const std::string& path,
                                           std::size_t maxBytes) override;
  bool AskOkCancel(const std::string& text,
                   const std::string& caption) override;
  void ShowError(const std::string& text, const std::string& caption) override;
  void ShowWarning(const std::string& text,
                   const std::string& caption) override;
  CommandRun RunHiddenAndWait(const std::string& commandLine) override;
};

#pragma once

#include <map>
#include <string>
#include <vector>

#include "mirror/system.h"

// A MirrorSystem that records what the workflow asks of it, in order, and
// answers as the test set it up.
class FakeSystem : public MirrorSystem {
 public:
  struct Box {
    std::string kind;  // "question", "error" or "warning"
    std::string text;
    std::string caption;
  };

  std::string account = "alice";
  unsigned long accountError = 0;
  std::vector<std::string> directories;  // the folders that exist
  unsigned long writeError = 0;
  bool answerOk = false;
  CommandRun commandRun{true, 0, 0};

  std::map<std::string, std::string> environment;
  std::string appData = "C:\\Users\\alice\\AppData\\Roaming";
  std::string commonAppData = "C:\\ProgramData";
  std::map<std::string, std::string> otherFiles;  // readable, by path

  std::vector<std::string> calls;
  std::vector<std::size_t> readLimits;
  std::map<std::string, std::string> files;  // what was written, by path
  std::vector<Box> boxes;
  std::vector<std::string> commands;

  std::string AccountName(unsigned long& error) override {
    calls.push_back("AccountName");
    error = accountError;
    return account;
  }
  bool IsDirectory(const std::string& path) override {
    calls.push_back("IsDirectory " + path);
    for (const std::string& directory : directories)
      if (directory == path) return true;
    return false;
  }
  void MakeDirectory(const std::string& path) override {
    calls.push_back("MakeDirectory " + path);
    directories.push_back(path);
  }
  unsigned long WriteWholeFile(const std::string& path,
                               const std::string& bytes) override {
    calls.push_back("WriteWholeFile " + path);
    if (writeError == 0) files[path] = bytes;
    return writeError;
  }
  std::string ErrorText(unsigned long error) override {
    return "reason " + std::to_string(error);
  }
  std::string EnvironmentVariable(const std::string& name) override {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
  }
  std::string FolderPath(KnownFolder folder) override {
    return folder == KnownFolder::kRoamingAppData ? appData : commonAppData;
  }
  std::optional<std::string> ReadFileStart(const std::string& path,
                                           std::size_t maxBytes) override {
    readLimits.push_back(maxBytes);
    for (const auto* store : {&otherFiles, &files}) {
      const auto it = store->find(path);
      if (it != store->end()) return it->second.substr(0, maxBytes);
    }
    return std::nullopt;
  }
  bool AskOkCancel(const std::string& text,
                   const std::string& caption) override {
    calls.push_back("AskOkCancel");
    boxes.push_back({"question", text, caption});
    return answerOk;
  }
  void ShowError(const std::string& text, const std::string& caption) override {
    calls.push_back("ShowError");
    boxes.push_back({"error", text, caption});
  }
  void ShowWarning(const std::string& text,
                   const std::string& caption) override {
    calls.push_back("ShowWarning");
    boxes.push_back({"warning", text, caption});
  }
  CommandRun RunHiddenAndWait(const std::string& commandLine) override {
    calls.push_back("RunHiddenAndWait");
    commands.push_back(commandLine);
    return commandRun;
  }
};

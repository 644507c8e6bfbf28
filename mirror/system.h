#pragma once

#include <cstddef>
#include <optional>
#include <string>

enum class KnownFolder { kRoamingAppData, kCommonAppData };

// How a started command ended.
struct CommandRun {
  bool started = false;
  unsigned long exitCode = 0;  // when started
  unsigned long error = 0;     // system error code when not started
};

// What the apply workflow needs of the operating system. Texts are
// NUL-free byte strings in the ANSI code page. System error codes are
// those of GetLastError; 0 means success.
class MirrorSystem {
 public:
  virtual ~MirrorSystem() = default;

  // The logon name; the empty text with the reason in `error` when the
  // system cannot tell.
  virtual std::string AccountName(unsigned long& error) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;
  virtual void MakeDirectory(const std::string& path) = 0;
  // Replaces the file with exactly `bytes`; 0 only when every byte was
  // written and the file closed.
  virtual unsigned long WriteWholeFile(const std::string& path,
                                       const std::string& bytes) = 0;
  virtual std::string ErrorText(unsigned long error) = 0;

  // Empty when unset.
  virtual std::string EnvironmentVariable(const std::string& name) = 0;
  // Empty when the system does not know it.
  virtual std::string FolderPath(KnownFolder folder) = 0;
  // At most `maxBytes` from the start of a file; absent when it is missing
  // or cannot be read.
  virtual std::optional<std::string> ReadFileStart(const std::string& path,
                                                   std::size_t maxBytes) = 0;

  // Task-modal boxes with no owner. AskOkCancel is true for OK.
  virtual bool AskOkCancel(const std::string& text,
                           const std::string& caption) = 0;
  virtual void ShowError(const std::string& text,
                         const std::string& caption) = 0;
  virtual void ShowWarning(const std::string& text,
                           const std::string& caption) = 0;

  // Starts `commandLine` with its window hidden and waits for it to end.
  virtual CommandRun RunHiddenAndWait(const std::string& commandLine) = 0;
};

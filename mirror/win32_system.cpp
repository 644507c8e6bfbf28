#include "mirror/win32_system.h"

#include <windows.h>

#include <string>
#include <vector>

#include "mirror/account.h"

namespace {

class HandleGuard {
 public:
  explicit HandleGuard(HANDLE handle) : handle_(handle) {}
  ~HandleGuard() { Close(); }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return true;
    const BOOL closed = CloseHandle(handle_);
    handle_ = nullptr;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

// Loaded from the system folder by full path, never through the DLL search
// order, so a DLL of the same name beside the program is never picked up.
void* SystemProcedure(const char* dllName, const char* procedureName) {
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(directory) + "\\" + dllName;
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) return nullptr;
  // Through void*: FARPROC stands for any signature.
  return reinterpret_cast<void*>(GetProcAddress(module, procedureName));
}

using GetUserNameAProc = BOOL(WINAPI*)(LPSTR, LPDWORD);
using PathIsDirectoryAProc = BOOL(WINAPI*)(LPCSTR);
using SHGetFolderPathAProc = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

// Each looked up on first use and kept; the import table names neither DLL.
GetUserNameAProc GetUserNameAFromSystem() {
  static const auto procedure = reinterpret_cast<GetUserNameAProc>(
      SystemProcedure("advapi32.dll", "GetUserNameA"));
  return procedure;
}

PathIsDirectoryAProc PathIsDirectoryAFromSystem() {
  static const auto procedure = reinterpret_cast<PathIsDirectoryAProc>(
      SystemProcedure("shlwapi.dll", "PathIsDirectoryA"));
  return procedure;
}

// Only needed once pip.ini is written: shell32 stays out of start-up.
SHGetFolderPathAProc SHGetFolderPathAFromSystem() {
  static const auto procedure = reinterpret_cast<SHGetFolderPathAProc>(
      SystemProcedure("shell32.dll", "SHGetFolderPathA"));
  return procedure;
}

constexpr int kCsidlAppData = 0x001a;        // CSIDL_APPDATA
constexpr int kCsidlCommonAppData = 0x0023;  // CSIDL_COMMON_APPDATA

}  // namespace

std::string Win32MirrorSystem::AccountName(unsigned long& error) {
  error = 0;
  const GetUserNameAProc getUserName = GetUserNameAFromSystem();
  if (getUserName == nullptr) {
    error = ERROR_PROC_NOT_FOUND;
    return std::string();
  }
  return ::AccountName([&](char* buffer, unsigned long* size) {
    if (getUserName(buffer, size)) return true;
    error = GetLastError();
    return false;
  });
}

bool Win32MirrorSystem::IsDirectory(const std::string& path) {
  const PathIsDirectoryAProc pathIsDirectory = PathIsDirectoryAFromSystem();
  if (pathIsDirectory == nullptr) return false;
  return pathIsDirectory(path.c_str()) == FILE_ATTRIBUTE_DIRECTORY;
}

void Win32MirrorSystem::MakeDirectory(const std::string& path) {
  // A failure shows up when the file inside it cannot be written.
  CreateDirectoryA(path.c_str(), nullptr);
}

unsigned long Win32MirrorSystem::WriteWholeFile(const std::string& path,
                                                const std::string& bytes) {
  HandleGuard file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD written = 0;
  unsigned long error = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                 &written, nullptr))
    error = GetLastError();
  else if (written != bytes.size())
    error = ERROR_WRITE_FAULT;
  if (!file.Close() && error == 0) error = GetLastError();
  return error;
}

std::string Win32MirrorSystem::ErrorText(unsigned long error) {
  char* message = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPSTR>(&message), 0, nullptr);
  std::string text = length == 0 ? std::string() : std::string(message, length);
  LocalFree(message);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
    text.pop_back();
  return text;
}

bool Win32MirrorSystem::AskOkCancel(const std::string& text,
                                    const std::string& caption) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(),
                     MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK;
}

void Win32MirrorSystem::ShowError(const std::string& text,
                                  const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Win32MirrorSystem::ShowWarning(const std::string& text,
                                    const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(),
              MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

CommandRun Win32MirrorSystem::RunHiddenAndWait(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  // CreateProcessA may write into its command line.
  std::vector<char> writableCommand(commandLine.begin(), commandLine.end());
  writableCommand.push_back('\0');

  CommandRun run;
  if (!CreateProcessA(nullptr, writableCommand.data(), nullptr, nullptr, FALSE,
                      0, nullptr, nullptr, &startup, &process)) {
    run.error = GetLastError();
    return run;
  }
  HandleGuard thread(process.hThread);
  HandleGuard processHandle(process.hProcess);
  run.started = true;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process.hProcess, &exitCode)) run.exitCode = exitCode;
  thread.Close();
  processHandle.Close();
  return run;
}

std::string Win32MirrorSystem::EnvironmentVariable(const std::string& name) {
  const DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> value(needed);
  const DWORD length =
      GetEnvironmentVariableA(name.c_str(), value.data(), needed);
  if (length == 0 || length >= needed) return std::string();
  return std::string(value.data(), length);
}

std::string Win32MirrorSystem::FolderPath(KnownFolder folder) {
  const SHGetFolderPathAProc getFolderPath = SHGetFolderPathAFromSystem();
  if (getFolderPath == nullptr) return std::string();
  char path[MAX_PATH] = "";
  const int csidl = folder == KnownFolder::kRoamingAppData
                        ? kCsidlAppData
                        : kCsidlCommonAppData;
  if (FAILED(getFolderPath(nullptr, csidl, nullptr, 0, path)))
    return std::string();
  return path;
}

std::optional<std::string> Win32MirrorSystem::ReadFileStart(
    const std::string& path, std::size_t maxBytes) {
  HandleGuard file(
      CreateFileA(path.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(maxBytes, '\0');
  std::size_t filled = 0;
  while (filled < maxBytes) {
    DWORD count = 0;
    if (!ReadFile(file.Get(), &bytes[filled],
                  static_cast<DWORD>(maxBytes - filled), &count, nullptr))
      return std::nullopt;
    if (count == 0) break;
    filled += count;
  }
  bytes.resize(filled);
  return bytes;
}

#pragma once

// Drives a running velmora.exe from another process, the way a user and
// Windows see it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win32/files.h"
#include "win32/window_text.h"

inline bool WaitUntil(const std::function<bool()>& condition,
                      DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

class VelmoraProcess {
 public:
  // Copies velmora.exe (and, when asked, the python stub as python.exe) into
  // a folder of its own and starts it there from another current folder.
  explicit VelmoraProcess(const std::string& folder, bool withStub = true)
      : folder_(folder) {
    RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
    CopyFileA((ModuleFolder() + "\\velmora.exe").c_str(),
              (folder_ + "\\velmora.exe").c_str(), FALSE);
    if (withStub)
      CopyFileA((ModuleFolder() + "\\python_stub.exe").c_str(),
                (folder_ + "\\python.exe").c_str(), FALSE);
  }
  ~VelmoraProcess() {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    RemoveTree(folder_);
  }
  VelmoraProcess(const VelmoraProcess&) = delete;
  VelmoraProcess& operator=(const VelmoraProcess&) = delete;

  // Starts the program and waits for its window; false when none came.
  bool Start() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + folder_ + "\\velmora.exe\"";
    std::vector<char> writable(command.begin(), command.end());
    writable.push_back('\0');
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, "C:\\", &startup, &process_))
      return false;
    WaitForInputIdle(process_.hProcess, 10000);
    return WaitUntil([this] {
      window_ = FindOwnWindow("VelmoraMainWindow", nullptr);
      return window_ != nullptr && IsWindowVisible(window_);
    });
  }

  HWND Window() const { return window_; }
  DWORD ThreadId() const { return process_.dwThreadId; }
  HANDLE Process() const { return process_.hProcess; }
  const std::string& Folder() const { return folder_; }
  std::string StubLog() const {
    const std::string path = folder_ + "\\python_stub.log";
    return Exists(path) ? ReadBytes(path) : "";
  }

  // The controls, topmost first: button, list, credit label, title label.
  std::vector<HWND> Controls() const {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
      controls.push_back(child);
    return controls;
  }
  HWND Button() const { return Controls().at(0); }
  HWND List() const { return Controls().at(1); }

  // A visible message box of the program with this caption, or null.
  HWND Box(const std::string& caption) const {
    return FindOwnWindow("#32770", caption.c_str());
  }
  HWND WaitForBox(const std::string& caption, DWORD timeoutMs = 10000) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = Box(caption)) != nullptr; }, timeoutMs);
    return box;
  }

  HWND Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
  }
  void FocusControl(HWND control) const {
    AttachThreadInput(GetCurrentThreadId(), process_.dwThreadId, TRUE);
    SetFocus(control);
    AttachThreadInput(GetCurrentThreadId(), process_.dwThreadId, FALSE);
  }

  // Keys as a keyboard gives them, to the program in the foreground.
  void PressKeys(const std::vector<WORD>& held, WORD key) const {
    SetForegroundWindow(window_);
    WaitUntil([this] { return GetForegroundWindow() == window_; }, 2000);
    std::vector<INPUT> inputs;
    auto add = [&](WORD virtualKey, bool up) {
      INPUT input = {};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = virtualKey;
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      inputs.push_back(input);
    };
    for (WORD h : held) add(h, false);
    add(key, false);
    add(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it) add(*it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  // True while the program's window thread answers messages.
  bool Responds() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500,
                               &result) != 0;
  }

  // The exit code once the process has ended, or STILL_ACTIVE.
  DWORD WaitForExit(DWORD timeoutMs = 10000) const {
    WaitForSingleObject(process_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  struct Search {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window) ||
        ClassOf(window) != search->className ||
        (search->caption != nullptr && WindowText(window) != search->caption))
      return TRUE;
    search->found = window;
    return FALSE;
  }
  HWND FindOwnWindow(const char* className, const char* caption) const {
    Search search{process_.dwProcessId, className, caption, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  std::string folder_;
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

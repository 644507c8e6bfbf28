// Measures velmora.exe under the same Wine as the tests and prints one line
// per figure: "name median min max unit" (bench/run.sh makes the table).

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "mirror/account.h"
#include "mirror/catalogue.h"
#include "mirror/texts.h"
#include "mirror/win32_system.h"
#include "win32/files.h"
#include "win32/velmora_process.h"

namespace {

constexpr int kRuns = 21;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, std::vector<double> samples, const char* unit) {
  std::sort(samples.begin(), samples.end());
  std::printf("%s %.2f %.2f %.2f %s\n", name, samples[samples.size() / 2],
              samples.front(), samples.back(), unit);
}

struct Found {
  DWORD processId;
  const char* className;
  HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == found->processId && IsWindowVisible(window) &&
      ClassOf(window) == found->className) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// From CreateProcess to the window visible, idle, with its button enabled.
double StartUpMs(const std::string& exe, const char* className) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + exe + "\"";
  std::vector<char> writable(command.begin(), command.end());
  writable.push_back('\0');
  const double start = Now();
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process))
    return -1;
  WaitForInputIdle(process.hProcess, 10000);
  Found found{process.dwProcessId, className, nullptr};
  for (;;) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    HWND button = found.window ? GetWindow(found.window, GW_CHILD) : nullptr;
    if (button != nullptr && IsWindowEnabled(button)) break;
    if (Now() - start > 10000) break;
    Sleep(0);
  }
  const double elapsed = Now() - start;
  if (found.window) PostMessageA(found.window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int main() {
  const std::string folder = ModuleFolder();
  const std::string velmora = folder + "\\velmora.exe";
  const std::string reference = folder + "\\reference_window.exe";

  // Side by side: each velmora start is followed by a reference start.
  StartUpMs(velmora, "VelmoraMainWindow");
  StartUpMs(reference, "VelmoraReference");
  std::vector<double> velmoraStarts, referenceStarts, ratios;
  for (int i = 0; i < kRuns; ++i) {
    velmoraStarts.push_back(StartUpMs(velmora, "VelmoraMainWindow"));
    referenceStarts.push_back(StartUpMs(reference, "VelmoraReference"));
    ratios.push_back(velmoraStarts.back() / referenceStarts.back());
  }
  Report("startup_velmora", velmoraStarts, "ms");
  Report("startup_reference", referenceStarts, "ms");
  Report("startup_ratio", ratios, "x");

  unsigned long error = 0;
  const std::string account = Win32MirrorSystem().AccountName(error);
  const std::string pipConfig = PipConfigPath(account);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  VelmoraProcess program(std::string(temp) + "velmora-bench", false);
  if (!program.Start()) {
    std::printf("error velmora did not start\n");
    return 1;
  }
  Sleep(500);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(program.Process(),
                       reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  std::printf("idle_working_set %lu %lu %lu bytes\n",
              static_cast<unsigned long>(memory.WorkingSetSize),
              static_cast<unsigned long>(memory.WorkingSetSize),
              static_cast<unsigned long>(memory.WorkingSetSize));
  // Windows gives both the same; Wine keeps only PagefileUsage.
  const unsigned long privateBytes = static_cast<unsigned long>(
      std::max(memory.PrivateUsage, memory.PagefileUsage));
  std::printf("idle_private_bytes %lu %lu %lu bytes\n", privateBytes,
              privateBytes, privateBytes);

  // From the click to pip.ini holding the row and the question on screen.
  std::vector<double> applies;
  for (int i = 0; i < kRuns + 1; ++i) {
    const int row = i % kMirrorCount;
    const std::string expected = ComposePipConfig(row);
    SendMessageA(program.List(), CB_SETCURSEL, row, 0);
    const double start = Now();
    PostMessageA(program.Button(), BM_CLICK, 0, 0);
    HWND question = nullptr;
    while ((question = program.Box(kUpdateCaption)) == nullptr ||
           ReadBytes(pipConfig) != expected) {
      if (Now() - start > 10000) break;
      Sleep(0);
    }
    const double elapsed = Now() - start;
    if (i > 0) applies.push_back(elapsed);  // the first one warms up
    if (question) PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    WaitUntil([&] { return IsWindowEnabled(program.Button()) != 0; });
  }
  Report("apply_velmora", applies, "ms");
  PostMessageA(program.Window(), WM_CLOSE, 0, 0);
  program.WaitForExit();
  return 0;
}

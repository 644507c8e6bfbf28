// Stands in for python.exe when a test runs the upgrade command. Appends to
// python_stub.log in its current folder: its command line, whether its
// console window is visible, and "exited" when it is about to end. It waits
// for the event "VelmoraStubRelease" when a test made one, else briefly.
// Its exit code is the number in python_stub.exitcode, if present.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Log(const std::string& line) {
  FILE* log = std::fopen("python_stub.log", "ab");
  if (log == nullptr) return;
  std::fputs((line + "\n").c_str(), log);
  std::fclose(log);
}

int ExitCodeWanted() {
  FILE* file = std::fopen("python_stub.exitcode", "rb");
  if (file == nullptr) return 0;
  int code = 0;
  if (std::fscanf(file, "%d", &code) != 1) code = 0;
  std::fclose(file);
  return code;
}

}  // namespace

int main() {
  Log(std::string("start ") + GetCommandLineA());
  HWND console = GetConsoleWindow();
  Log(std::string("console-visible ") +
      (console != nullptr && IsWindowVisible(console) ? "1" : "0"));

  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "VelmoraStubRelease");
  if (release != nullptr) {
    WaitForSingleObject(release, 60000);
    CloseHandle(release);
  } else {
    Sleep(1500);
  }
  Log("exited");
  return ExitCodeWanted();
}

#include <windows.h>

#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunVelmora(instance);
}

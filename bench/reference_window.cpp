// The smallest program of the same kind, to compare start-up with: one
// top-level window with one push button and one drop-down list.

#include <windows.h>

namespace {

LRESULT CALLBACK ReferenceProc(HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ReferenceProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "VelmoraReference";
  RegisterClassExA(&windowClass);
  HWND window =
      CreateWindowExA(0, "VelmoraReference", "Reference",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      100, 100, 400, 250, nullptr, nullptr, instance, nullptr);
  CreateWindowExA(0, "BUTTON", "Apply", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 122,
                  168, 150, 30, window, nullptr, instance, nullptr);
  HWND list = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 67, 110,
                              260, 160, window, nullptr, instance, nullptr);
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("mirror"));
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

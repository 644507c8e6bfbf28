#include "app/label.h"

#include "app/gdi_guards.h"

namespace {

constexpr char kLabelClass[] = "VelmoraLabel";
constexpr int kFontSlot = 0;  // window extra bytes hold the label's font

}  // namespace

HFONT LabelFont(HWND label);

namespace {

LRESULT OnPaint(HWND label) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  char text[256] = "";
  GetWindowTextA(label, text, sizeof text);
  RECT client;
  GetClientRect(label, &client);
  PaintLabelText(dc, client, text, LabelFont(label));
  EndPaint(label, &paint);
  return 0;
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam,
                           LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint(label);
  }
  return DefWindowProcA(label, message, wParam, lParam);
}

}  // namespace

bool RegisterLabelClass(HINSTANCE instance) {
  WNDCLASSEXA labelClass = {};
  labelClass.cbSize = sizeof labelClass;
  labelClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  labelClass.lpfnWndProc = LabelProc;
  labelClass.cbWndExtra = sizeof(LONG_PTR);
  labelClass.hInstance = instance;
  labelClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  labelClass.lpszClassName = kLabelClass;
  return RegisterClassExA(&labelClass) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateLabel(HWND parent, const char* text, int x, int y, int width,
                 int height, HFONT font, HINSTANCE instance) {
  HWND label = CreateWindowExA(WS_EX_TRANSPARENT, kLabelClass, text,
                               WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                               parent, nullptr, instance, nullptr);
  if (label != nullptr)
    SetWindowLongPtrA(label, kFontSlot, reinterpret_cast<LONG_PTR>(font));
  return label;
}

HFONT LabelFont(HWND label) {
  return reinterpret_cast<HFONT>(GetWindowLongPtrA(label, kFontSlot));
}

void PaintLabelText(HDC dc, const RECT& rect, const char* text, HFONT font) {
  if (text[0] == '\0') return;
  SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT box = rect;
  DrawTextA(dc, text, -1, &box,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

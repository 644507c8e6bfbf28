#include "app/main_window.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/label.h"
#include "app/resource.h"
#include "app/shell_logic.h"
#include "app/texts.h"
#include "mirror/apply.h"
#include "mirror/catalogue.h"
#include "mirror/win32_system.h"

namespace {

constexpr char kMainWindowClass[] = "VelmoraMainWindow";
constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kApplyButtonId = 1001;
constexpr int kSourceListId = 1002;
constexpr int kIconSize = 128;

HFONT CreateControlFont(int height, bool& owned) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  std::strncpy(font.lfFaceName, kFontFace, LF_FACESIZE - 1);
  HFONT created = CreateFontIndirectA(&font);
  owned = created != nullptr;
  return owned ? created : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MakeFont(FontGuard& guard, int height) {
  bool owned = false;
  HFONT font = CreateControlFont(height, owned);
  guard.Reset(font, owned);
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Everything started later, the upgrade command included, runs here.
void EnterExecutableFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::string folder = ExecutableFolder(path, IsLeadByte);
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
}

int RunMessageLoop(MainWindow& window) {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void ShowStartFailure(MirrorSystem& system, unsigned long error) {
  const std::string text =
      std::string(kStartFailedText) + "\r\n" + system.ErrorText(error);
  MessageBoxA(nullptr, text.c_str(), kStartFailedCaption,
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MirrorSystem& system)
    : instance_(instance), system_(system) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

bool MainWindow::Create(unsigned long& error) {
  error = 0;
  if (!CreateMainWindow() || !CreateControls()) {
    error = GetLastError();
    if (error == 0) error = ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  ArrangeAndShowControls();
  return true;
}

bool MainWindow::CreateMainWindow() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExA(&windowClass) &&
      GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return false;
  if (!RegisterLabelClass(instance_)) return false;

  const Point origin = CenteredOrigin(GetSystemMetrics(SM_CXSCREEN),
                                      GetSystemMetrics(SM_CYSCREEN));
  CreateWindowExA(0, kMainWindowClass, kWindowTitle, kMainWindowStyle, origin.x,
                  origin.y, kWindowWidth, kWindowHeight, nullptr, nullptr,
                  instance_, this);
  if (window_ == nullptr) return false;

  RECT rect;
  GetWindowRect(window_, &rect);
  if (rect.left != origin.x || rect.top != origin.y ||
      rect.right - rect.left != kWindowWidth ||
      rect.bottom - rect.top != kWindowHeight)
    SetWindowPos(window_, nullptr, origin.x, origin.y, kWindowWidth,
                 kWindowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SetIcons();
  return true;
}

void MainWindow::SetIcons() {
  icon_ = static_cast<HICON>(
      LoadImageA(instance_, MAKEINTRESOURCEA(IDI_VELMORA), IMAGE_ICON,
                 kIconSize, kIconSize, LR_DEFAULTCOLOR));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(window_, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(icon_));
}

bool MainWindow::CreateControls() {
  MakeFont(titleFont_, -36);
  MakeFont(creditFont_, -17);
  MakeFont(buttonFont_, -17);
  MakeFont(listFont_, -15);

  按钮_切换 = CreateWindowExA(
      0, "BUTTON", kApplyButtonText,
      WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER |
          BS_VCENTER | BS_MULTILINE,
      122, 168, 150, 30, window_, reinterpret_cast<HMENU>(kApplyButtonId),
      instance_, nullptr);
  组合框_源列表 = CreateWindowExA(0, "COMBOBOX", "",
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL |
                                      CBS_DROPDOWNLIST | CBS_AUTOHSCROLL,
                                  67, 110, 260, 160, window_,
                                  reinterpret_cast<HMENU>(kSourceListId),
                                  instance_, nullptr);
  标签_版权信息 = CreateLabel(window_, kCreditText, 16, 39, 368, 56,
                              creditFont_.Get(), instance_);
  标签_标题 = CreateLabel(window_, kWindowTitle, 16, 8, 368, 56,
                          titleFont_.Get(), instance_);
  if (按钮_切换 == nullptr || 组合框_源列表 == nullptr ||
      标签_版权信息 == nullptr || 标签_标题 == nullptr)
    return false;

  SendMessageA(按钮_切换, WM_SETFONT,
               reinterpret_cast<WPARAM>(buttonFont_.Get()), FALSE);
  SendMessageA(组合框_源列表, WM_SETFONT,
               reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
  const LRESULT itemHeight =
      SendMessageA(组合框_源列表, CB_GETITEMHEIGHT, 0, 0);
  SendMessageA(组合框_源列表, CB_SETITEMHEIGHT, 0, itemHeight + 1);
  for (const MirrorEntry& entry : MirrorCatalogue)
    SendMessageA(组合框_源列表, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(entry.listText));
  SendMessageA(组合框_源列表, CB_SETCURSEL, 0, 0);
  return true;
}

void MainWindow::ArrangeAndShowControls() {
  const HWND topToBottom[] = {按钮_切换, 组合框_源列表, 标签_版权信息,
                              标签_标题};
  HWND above = HWND_TOP;
  for (HWND control : topToBottom) {
    SetWindowPos(control, above, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
  for (HWND control : topToBottom) ShowWindow(control, SW_SHOWNA);
}

void MainWindow::Show() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
    return false;
  if (window_ == nullptr ||
      (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
    return false;
  const KeyAction action = ClassifyKeyDown(
      static_cast<unsigned>(message.wParam), GetKeyState(VK_CONTROL) < 0,
      GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
  switch (action) {
    case KeyAction::kFocusNextTabStop:
    case KeyAction::kFocusPreviousTabStop: {
      HWND next = GetNextDlgTabItem(window_, GetFocus(),
                                    action == KeyAction::kFocusPreviousTabStop);
      if (next != nullptr) SetFocus(next);
      return true;
    }
    case KeyAction::kClose:
      SendMessageA(window_, WM_CLOSE, 0, 0);
      return true;
    case KeyAction::kPass:
      break;
  }
  return false;
}

int MainWindow::SelectedMirrorIndex() const {
  return static_cast<int>(SendMessageA(组合框_源列表, CB_GETCURSEL, 0, 0));
}

void MainWindow::SetApplyButtonEnabled(bool enabled) {
  EnableWindow(按钮_切换, enabled ? TRUE : FALSE);
}

void MainWindow::HandleApplyClick() {
  SetApplyButtonEnabled(false);
  const int index = SelectedMirrorIndex();
  if (index >= 0 && index < kMirrorCount) ApplyMirror(index, system_);
  SetApplyButtonEnabled(true);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message,
                                        WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self =
      reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (message == WM_CTLCOLORLISTBOX ||
          IsSourceListPart(reinterpret_cast<HWND>(lParam)))
        return OnListColor(reinterpret_cast<HDC>(wParam));
      break;
    case WM_ACTIVATE:
      OnActivate(wParam);
      break;  // activating also sets the focus to this window
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(WPARAM wParam) {
  if (LOWORD(wParam) == kApplyButtonId && HIWORD(wParam) == BN_CLICKED)
    HandleApplyClick();
}

// Only the mirror list asks for list colours: its dropped list is not a
// child of this window, so it is known by the message alone.
LRESULT MainWindow::OnListColor(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool MainWindow::IsSourceListPart(HWND control) const {
  return control == 组合框_源列表 || IsChild(组合框_源列表, control);
}

void MainWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus))
    focusWhenDeactivated_ = focus;
}

void MainWindow::OnSetFocus() {
  HWND target = focusWhenDeactivated_;
  if (target == nullptr || !IsWindow(target) || !IsChild(window_, target))
    target = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

void MainWindow::OnDestroy() { PostQuitMessage(0); }

int RunVelmora(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  EnterExecutableFolder();

  Win32MirrorSystem system;
  MainWindow window(instance, system);
  unsigned long error = 0;
  if (!window.Create(error)) {
    ShowStartFailure(system, error);
    return -1;
  }
  window.Show();
  return RunMessageLoop(window);
}

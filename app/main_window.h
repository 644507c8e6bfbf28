#pragma once

#include <windows.h>

#include "app/gdi_guards.h"
#include "mirror/system.h"

// The program's one window: a title, a credit line, the mirror list and the
// apply button.
class MainWindow {
 public:
  MainWindow(HINSTANCE instance, MirrorSystem& system);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and its controls, all hidden. On failure `error`
  // holds the system's error code.
  bool Create(unsigned long& error);
  void Show();
  // Keys that the window handles before the focused control sees them;
  // true when the message was used up.
  bool PreTranslateMessage(const MSG& message);

  int SelectedMirrorIndex() const;
  void SetApplyButtonEnabled(bool enabled);
  void HandleApplyClick();

  HWND Handle() const { return window_; }
  HWND ApplyButton() const { return 按钮_切换; }
  HWND SourceList() const { return 组合框_源列表; }
  HWND TitleLabel() const { return 标签_标题; }
  HWND CreditLabel() const { return 标签_版权信息; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam);
  LRESULT OnListColor(HDC dc);
  void OnActivate(WPARAM wParam);
  void OnSetFocus();
  void OnDestroy();

  bool CreateMainWindow();
  bool CreateControls();
  void SetIcons();
  void ArrangeAndShowControls();
  bool IsSourceListPart(HWND control) const;

  HINSTANCE instance_;
  MirrorSystem& system_;
  HWND window_ = nullptr;
  HWND 按钮_切换 = nullptr;
  HWND 组合框_源列表 = nullptr;
  HWND 标签_版权信息 = nullptr;
  HWND 标签_标题 = nullptr;
  HWND focusWhenDeactivated_ = nullptr;
  HICON icon_ = nullptr;
  FontGuard titleFont_;
  FontGuard creditFont_;
  FontGuard buttonFont_;
  FontGuard listFont_;
};

// Start-up to shutdown: the program's entry calls this; returns the exit code.
int RunVelmora(HINSTANCE instance);

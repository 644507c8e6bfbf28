// The main window created in this process, for what Wine does not show to
// another process: fonts, icons, the list's item height and colours, and
// what a label paints.

#include "app/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/label.h"
#include "app/texts.h"
#include "mirror/win32_system.h"

namespace {

// What the window's thread did while the window was made.
struct Observed {
  std::vector<std::pair<std::string, int>> createdHeights;  // class, cy
  std::vector<LRESULT> itemHeightsRead;
  std::vector<std::pair<WPARAM, LPARAM>> itemHeightsSet;
};
Observed observed;

std::string ClassName(const char* name) {
  // A class given by atom has no text to copy.
  return reinterpret_cast<UINT_PTR>(name) > 0xFFFF ? name : "#atom";
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create =
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    observed.createdHeights.push_back(
        {ClassName(create->lpszClass), create->cy});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == CB_SETITEMHEIGHT)
    observed.itemHeightsSet.push_back({sent->wParam, sent->lParam});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnAnswered(int code, WPARAM wParam, LPARAM lParam) {
  const CWPRETSTRUCT* answered = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && answered->message == CB_GETITEMHEIGHT)
    observed.itemHeightsRead.push_back(answered->lResult);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Pump() {
  MSG message;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

LOGFONTA FontOf(HFONT font) {
  LOGFONTA description = {};
  GetObjectA(font, sizeof description, &description);
  return description;
}

class MainWindowInProcess : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const DWORD thread = GetCurrentThreadId();
    HHOOK hooks[] = {
        SetWindowsHookExA(WH_CBT, OnCbt, nullptr, thread),
        SetWindowsHookExA(WH_CALLWNDPROC, OnSent, nullptr, thread),
        SetWindowsHookExA(WH_CALLWNDPROCRET, OnAnswered, nullptr, thread)};
    window_ = new MainWindow(GetModuleHandleA(nullptr), *system_);
    unsigned long error = 0;
    created_ = window_->Create(error);
    for (HHOOK hook : hooks) UnhookWindowsHookEx(hook);
    if (created_) window_->Show();
    Pump();
  }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(created_); }

  static Win32MirrorSystem* system_;
  static MainWindow* window_;
  static bool created_;
};
Win32MirrorSystem* MainWindowInProcess::system_ = new Win32MirrorSystem;
MainWindow* MainWindowInProcess::window_ = nullptr;
bool MainWindowInProcess::created_ = false;

TEST_F(MainWindowInProcess, EachControlHasItsOwnFontAsAsked) {
  struct Case {
    const char* name;
    HFONT font;
    LONG height;
  } cases[] = {
      {"title", LabelFont(window_->TitleLabel()), -36},
      {"credit", LabelFont(window_->CreditLabel()), -17},
      {"button",
       reinterpret_cast<HFONT>(
           SendMessageA(window_->ApplyButton(), WM_GETFONT, 0, 0)),
       -17},
      {"list",
       reinterpret_cast<HFONT>(
           SendMessageA(window_->SourceList(), WM_GETFONT, 0, 0)),
       -15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.font, nullptr);
    const LOGFONTA font = FontOf(c.font);
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    // 小米兰亭 Pro in code page 936.
    EXPECT_STREQ(font.lfFaceName, "\xd0\xa1\xc3\xd7\xc0\xbc\xcd\xa4 Pro");
  }
  EXPECT_NE(cases[1].font, cases[2].font) << "each control its own font";
}

TEST_F(MainWindowInProcess, BigAndSmallIconAreThe128PixelImage) {
  HWND window = window_->Handle();
  const auto big =
      reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
  const auto small =
      reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(small, big);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(big, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 128);
  EXPECT_EQ(colour.bmHeight, 128);
  EXPECT_EQ(colour.bmBitsPixel, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(MainWindowInProcess, ListIsMade160HighWithItemsOnePixelTaller) {
  bool sawList = false;
  std::string seen;
  for (const auto& [className, height] : observed.createdHeights) {
    seen += className + " " + std::to_string(height) + "; ";
    // With the manifest's visual styles the class may come versioned, as
    // "6.0.2600.2982!Combobox".
    const std::string bare = className.substr(className.find('!') + 1);
    if (lstrcmpiA(bare.c_str(), "COMBOBOX") == 0) {
      sawList = true;
      EXPECT_EQ(height, 160);
    }
  }
  EXPECT_TRUE(sawList) << seen;
  // Wine ignores CB_SETITEMHEIGHT on a list that is not owner-drawn, so the
  // height is checked as asked for, not as read back.
  ASSERT_EQ(observed.itemHeightsRead.size(), 1u);
  ASSERT_EQ(observed.itemHeightsSet.size(), 1u);
  EXPECT_EQ(observed.itemHeightsSet[0].first, 0u);
  EXPECT_EQ(observed.itemHeightsSet[0].second, observed.itemHeightsRead[0] + 1);
}

TEST_F(MainWindowInProcess, ListIsBlackOnWhite) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      window_->Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(window_->SourceList())));
  LOGBRUSH description = {};
  ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
  EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(description.lbColor, RGB(255, 255, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  DeleteDC(dc);
}

TEST_F(MainWindowInProcess, FocusComesBackToTheControlThatHadIt) {
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW, 0, 0,
                               100, 100, nullptr, nullptr, nullptr, nullptr);
  SetFocus(window_->SourceList());
  ShowWindow(other, SW_SHOW);
  SetActiveWindow(other);
  Pump();
  SetActiveWindow(window_->Handle());
  Pump();
  EXPECT_EQ(GetFocus(), window_->SourceList());
  DestroyWindow(other);
  SetFocus(window_->ApplyButton());
}

// A label drawn into a bitmap of the window's background colour.
class LabelPainting : public testing::Test {
 protected:
  static constexpr int kWidth = 368, kHeight = 56;
  static constexpr COLORREF kBackground = RGB(240, 240, 240);

  void Paint(const char* text, LONG fontHeight) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap =
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT box = {0, 0, kWidth, kHeight};
    HBRUSH fill = CreateSolidBrush(kBackground);
    FillRect(dc, &box, fill);
    DeleteObject(fill);
    LOGFONTA description = {};
    description.lfHeight = fontHeight;
    std::strcpy(description.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&description);
    PaintLabelText(dc, box, text, font);
    GdiFlush();
    pixels_.assign(static_cast<DWORD*>(bits),
                   static_cast<DWORD*>(bits) + kWidth * kHeight);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(dc);
  }
  bool Untouched(int x, int y) const {
    const DWORD p = pixels_[y * kWidth + x];
    return (p & 0xFFFFFF) == 0xF0F0F0;
  }
  std::vector<DWORD> pixels_;
};

TEST_F(LabelPainting, DrawsBlackTextLeftAlignedAndVerticallyCentred) {
  Paint(kWindowTitle, -36);
  int top = kHeight, bottom = -1, left = kWidth, black = 0, touched = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      if (Untouched(x, y)) continue;
      ++touched;
      if ((pixels_[y * kWidth + x] & 0xFFFFFF) == 0) ++black;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
    }
  ASSERT_GT(touched, 0) << "nothing was drawn";
  EXPECT_GT(black, 0) << "text is black";
  EXPECT_LT(left, 8) << "left-aligned";
  EXPECT_NEAR((top + bottom) / 2.0, kHeight / 2.0, 6.0)
      << top << ".." << bottom;
  EXPECT_LT(touched, kWidth * kHeight / 4) << "no background was painted";
}

TEST_F(LabelPainting, DrawsNothingForAnEmptyText) {
  Paint("", -36);
  for (int i = 0; i < kWidth * kHeight; ++i)
    ASSERT_TRUE(Untouched(i % kWidth, i / kWidth));
}

}  // namespace

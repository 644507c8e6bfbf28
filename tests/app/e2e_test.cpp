// The real velmora.exe as its own process, checked from outside.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "mirror/account.h"
#include "mirror/catalogue.h"
#include "mirror/texts.h"
#include "mirror/win32_system.h"
#include "win32/files.h"
#include "win32/velmora_process.h"

namespace {

constexpr char kTitle[] = "Velmora";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

RECT ClientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control),
                  reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string ListEntry(HWND list, int index) {
  // Sent as Unicode and converted: Wine hands ANSI list texts across
  // processes as UTF-16.
  wchar_t wide[256] = L"";
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
  char ansi[512] = "";
  WideCharToMultiByte(936, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    unsigned long error = 0;
    const std::string account = Win32MirrorSystem().AccountName(error);
    ASSERT_FALSE(account.empty());
    pipFolder_ = PipDirectoryPath(account);
    pipConfig_ = PipConfigPath(account);
    RemoveTree(pipFolder_);
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    program_ =
        std::make_unique<VelmoraProcess>(std::string(temp) + "velmora-e2e-" +
                                         std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(program_->Start()) << "no window appeared";
  }
  void TearDown() override {
    program_.reset();
    RemoveTree(pipFolder_);
  }

  // Clicks the button and waits for the upgrade question.
  HWND ClickAndWaitForQuestion() {
    PostMessageA(program_->Button(), BM_CLICK, 0, 0);
    return program_->WaitForBox(kUpdateCaption);
  }

  bool ButtonEnabledAgain() {
    return WaitUntil([&] { return IsWindowEnabled(program_->Button()) != 0; });
  }

  std::string pipFolder_;
  std::string pipConfig_;
  std::unique_ptr<VelmoraProcess> program_;
};

TEST_F(EndToEnd, WindowIsFixedCentredAndTitled) {
  HWND window = program_->Window();
  EXPECT_EQ(WindowText(window), kTitle);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 250);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);

  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG present =
      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const LONG absent = WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD;
  EXPECT_EQ(style & present, present) << std::hex << style;
  EXPECT_EQ(style & absent, 0) << std::hex << style;
  const LONG extended = GetWindowLongA(window, GWL_EXSTYLE);
  // The system adds WS_EX_WINDOWEDGE to an overlapped caption window.
  EXPECT_EQ(extended & ~WS_EX_WINDOWEDGE, 0) << std::hex << extended;
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(window), nullptr);

  ShowWindow(window, SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != 0; }));
  ShowWindow(window, SW_RESTORE);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) == 0; }));
}

TEST_F(EndToEnd, ControlsStandAsLaidOut) {
  struct Expected {
    const char* className;
    const char* text;
    RECT rect;
    LONG styleSet;
    LONG styleClear;
    LONG extended;
  } expected[] = {
      {"Button",
       "\xd3\xa6\xd3\xc3\xb8\xfc\xb8\xc4",  // 应用更改
       {122, 168, 272, 198},
       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_CENTER |
           BS_VCENTER | BS_MULTILINE,
       WS_DISABLED | BS_DEFPUSHBUTTON | BS_BITMAP | BS_ICON,
       0},
      {"ComboBox",
       nullptr,
       {67, 110, 327, 0},
       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBS_DROPDOWNLIST |
           CBS_AUTOHSCROLL,
       WS_DISABLED | WS_TABSTOP | CBS_SORT,
       0},
      {"VelmoraLabel",
       nullptr,
       {16, 39, 384, 95},
       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
       WS_DISABLED | WS_TABSTOP,
       WS_EX_TRANSPARENT},
      {"VelmoraLabel",
       kTitle,
       {16, 8, 384, 64},
       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
       WS_DISABLED | WS_TABSTOP,
       WS_EX_TRANSPARENT},
  };
  const std::vector<HWND> controls = program_->Controls();
  ASSERT_EQ(controls.size(), 4u) << "four controls, topmost first";
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i);
    const Expected& e = expected[i];
    EXPECT_EQ(lstrcmpiA(ClassOf(controls[i]).c_str(), e.className), 0)
        << ClassOf(controls[i]);
    if (e.text != nullptr) {
      EXPECT_EQ(WindowText(controls[i]), e.text);
    }
    const RECT rect = ClientRectOf(controls[i]);
    EXPECT_EQ(rect.left, e.rect.left);
    EXPECT_EQ(rect.top, e.rect.top);
    EXPECT_EQ(rect.right, e.rect.right);
    if (e.rect.bottom != 0) {
      EXPECT_EQ(rect.bottom, e.rect.bottom);
    }
    const LONG style = GetWindowLongA(controls[i], GWL_STYLE);
    EXPECT_EQ(style & e.styleSet, e.styleSet) << std::hex << style;
    EXPECT_EQ(style & e.styleClear, 0) << std::hex << style;
    EXPECT_EQ(GetWindowLongA(controls[i], GWL_EXSTYLE), e.extended);
  }
  EXPECT_EQ(GetWindowLongA(controls[1], GWL_STYLE) & 0x3, CBS_DROPDOWNLIST);
  EXPECT_FALSE(WindowText(controls[2]).empty()) << "the credit line";

  HWND list = program_->List();
  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), kMirrorCount);
  for (int row = 0; row < kMirrorCount; ++row)
    EXPECT_EQ(ListEntry(list, row), MirrorCatalogue[row].listText) << row;
  EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(program_->Button()));
  EXPECT_EQ(program_->Focus(), program_->Button());
}

TEST_F(EndToEnd, TabAndShiftTabGoToTheButtonAndStayThere) {
  for (bool shift : {false, true}) {
    SCOPED_TRACE(shift);
    program_->FocusControl(program_->List());
    ASSERT_TRUE(
        WaitUntil([&] { return program_->Focus() == program_->List(); }));
    const std::vector<WORD> held =
        shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{};
    program_->PressKeys(held, VK_TAB);
    EXPECT_TRUE(
        WaitUntil([&] { return program_->Focus() == program_->Button(); }));
    program_->PressKeys(held, VK_TAB);
    Sleep(300);
    EXPECT_EQ(program_->Focus(), program_->Button());
  }
}

TEST_F(EndToEnd, EnterStartsNothingAndSpaceApplies) {
  ASSERT_EQ(program_->Focus(), program_->Button());
  program_->PressKeys({}, VK_RETURN);
  EXPECT_EQ(program_->WaitForBox(kUpdateCaption, 1500), nullptr);
  EXPECT_FALSE(Exists(pipConfig_));
  EXPECT_EQ(program_->Focus(), program_->Button());

  program_->PressKeys({}, VK_SPACE);
  HWND question = program_->WaitForBox(kUpdateCaption);
  ASSERT_NE(question, nullptr) << "Space clicks the focused button";
  PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(ButtonEnabledAgain());
}

TEST_F(EndToEnd, EachRowIsWrittenOnlyWhenTheButtonIsClicked) {
  HWND list = program_->List();
  program_->FocusControl(list);
  for (int row = 0; row < kMirrorCount; ++row) {
    SCOPED_TRACE(row);
    if (row > 0) program_->PressKeys({}, VK_DOWN);  // as a user picks it
    ASSERT_TRUE(WaitUntil(
        [&] { return SendMessageA(list, CB_GETCURSEL, 0, 0) == row; }));
    Sleep(200);
    EXPECT_EQ(ReadBytes(pipConfig_),
              row == 0 ? "<unreadable>" : ComposePipConfig(row - 1))
        << "choosing writes nothing";

    HWND question = ClickAndWaitForQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(BoxText(question), kUpgradeQuestion);
    EXPECT_FALSE(IsWindowEnabled(program_->Button()));
    EXPECT_EQ(ReadBytes(pipConfig_), ComposePipConfig(row));
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ButtonEnabledAgain());
    EXPECT_EQ(program_->StubLog(), "") << "Cancel runs nothing";
    program_->FocusControl(list);
  }
}

TEST_F(EndToEnd, UpgradeRunsHiddenAndHoldsTheWindowUntilItEnds) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "VelmoraStubRelease");
  ASSERT_NE(release, nullptr);
  HWND question = ClickAndWaitForQuestion();
  ASSERT_NE(question, nullptr);
  PostMessageA(question, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return Contains(program_->StubLog(), "start"); }))
      << "the upgrade command did not run";

  EXPECT_FALSE(IsWindowEnabled(program_->Button()));
  EXPECT_FALSE(program_->Responds()) << "waits on its window thread";
  SetEvent(release);
  EXPECT_TRUE(ButtonEnabledAgain());
  CloseHandle(release);

  const std::string log = program_->StubLog();
  EXPECT_TRUE(Contains(log, "-m pip install --user --upgrade pip")) << log;
  EXPECT_TRUE(Contains(log, "console-visible 0")) << log;
  EXPECT_TRUE(Contains(log, "exited")) << log;
  EXPECT_TRUE(program_->Responds());
  EXPECT_EQ(program_->Box(kUpdateCaption), nullptr) << "exit code 0: no box";
}

TEST_F(EndToEnd, AFileHeldOpenIsReportedAndKeepsItsContent) {
  ASSERT_TRUE(CreateDirectoryA(pipFolder_.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(pipConfig_, "old content"));
  HANDLE holder = CreateFileA(pipConfig_.c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  HWND box = ClickAndWaitForQuestion();
  ASSERT_NE(box, nullptr);
  const std::string text = BoxText(box);
  EXPECT_TRUE(Contains(text, kWriteFailedIntro)) << text;
  EXPECT_TRUE(Contains(text, pipConfig_)) << text;
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "an error, not the question";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(ButtonEnabledAgain());
  EXPECT_EQ(program_->Box(kUpdateCaption), nullptr) << "no question follows";

  CloseHandle(holder);
  EXPECT_EQ(ReadBytes(pipConfig_), "old content");
}

TEST_F(EndToEnd, NamesANewerUserFileThatOverridesTheMirror) {
  const std::string appDataPip =
      Win32MirrorSystem().FolderPath(KnownFolder::kRoamingAppData) + "\\pip";
  const std::string newer = appDataPip + "\\pip.ini";
  const std::string content =
      "[global]\r\nindex-url = https://pypi.org/simple\r\n";
  RemoveTree(appDataPip);
  ASSERT_TRUE(CreateDirectoryA(appDataPip.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(newer, content));

  HWND warning = ClickAndWaitForQuestion();
  ASSERT_NE(warning, nullptr);
  const std::string text = BoxText(warning);
  EXPECT_EQ(GetDlgItem(warning, IDCANCEL), nullptr) << text;
  EXPECT_TRUE(Contains(text, kOverrideIntro)) << text;
  EXPECT_TRUE(Contains(text, newer)) << text;
  EXPECT_TRUE(Contains(text, "https://pypi.org/simple")) << text;
  PostMessageA(warning, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }));

  HWND question = program_->WaitForBox(kUpdateCaption);
  ASSERT_NE(question, nullptr) << "the question follows the warning";
  EXPECT_EQ(BoxText(question), kUpgradeQuestion);
  PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(ButtonEnabledAgain());

  EXPECT_EQ(ReadBytes(newer), content);
  EXPECT_EQ(ReadBytes(pipConfig_), ComposePipConfig(0));
  RemoveTree(appDataPip);
}

struct CloseCase {
  const char* name;
  void (*close)(const VelmoraProcess& program);
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class EndToEndClose : public EndToEnd,
                      public testing::WithParamInterface<CloseCase> {};

TEST_P(EndToEndClose, EndsTheProcessWithExitCodeZero) {
  GetParam().close(*program_);
  EXPECT_EQ(program_->WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndToEndClose,
    testing::Values(CloseCase{"CloseBox",
                              [](const VelmoraProcess& program) {
                                PostMessageA(program.Window(), WM_SYSCOMMAND,
                                             SC_CLOSE, 0);
                              }},
                    CloseCase{"AltF4",
                              [](const VelmoraProcess& program) {
                                program.PressKeys({VK_MENU}, VK_F4);
                              }},
                    CloseCase{"Esc",
                              [](const VelmoraProcess& program) {
                                program.PressKeys({}, VK_ESCAPE);
                              }},
                    CloseCase{"EscWhileTheListHasTheFocus",
                              [](const VelmoraProcess& program) {
                                program.FocusControl(program.List());
                                WaitUntil([&] {
                                  return program.Focus() == program.List();
                                });
                                program.PressKeys({}, VK_ESCAPE);
                              }}),
    [](const testing::TestParamInfo<CloseCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace

// The upgrade question and run with the real Windows adapter: cmd really
// runs, and finds a stub python.exe in the current folder.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "mirror/apply.h"
#include "mirror/texts.h"
#include "mirror/win32_system.h"
#include "win32/box_answerer.h"
#include "win32/files.h"

namespace {

int CountLinesStartingWith(const std::string& text, const std::string& start) {
  int count = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    if (text.compare(at, start.size(), start) == 0) ++count;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return count;
}

class Win32Upgrade : public testing::Test {
 protected:
  void SetUp() override {
    previousFolder_ = CurrentFolder();
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "velmora-upgrade-" +
              std::to_string(GetCurrentProcessId());
    RemoveTree(folder_);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(previousFolder_.c_str());
    RemoveTree(folder_);
  }

  void PlaceStub(int exitCode) {
    ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\python_stub.exe").c_str(),
                          (folder_ + "\\python.exe").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(folder_ + "\\python_stub.exitcode",
                           std::to_string(exitCode)));
  }

  std::vector<BoxAnswerer::Box> Upgrade(int answer) {
    BoxAnswerer answerer(kUpdateCaption, answer);
    ConfirmAndUpgrade(system_);
    log_ = Exists(Log()) ? ReadBytes(Log()) : "";
    return answerer.Boxes();
  }

  std::string Log() const { return folder_ + "\\python_stub.log"; }

  Win32MirrorSystem system_;
  std::string previousFolder_;
  std::string folder_;
  std::string log_;  // as it was when ConfirmAndUpgrade returned
};

TEST_F(Win32Upgrade, OkRunsTheCommandOnceHiddenAndWaitsForIt) {
  PlaceStub(0);
  const auto boxes = Upgrade(IDOK);
  ASSERT_EQ(boxes.size(), 1u) << "exit code 0 shows nothing more";
  EXPECT_EQ(boxes[0].text, kUpgradeQuestion);
  EXPECT_EQ(CountLinesStartingWith(log_, "start "), 1) << log_;
  EXPECT_NE(log_.find("-m pip install --user --upgrade pip"), std::string::npos)
      << log_;
  EXPECT_EQ(CountLinesStartingWith(log_, "console-visible 0"), 1) << log_;
  EXPECT_EQ(CountLinesStartingWith(log_, "exited"), 1)
      << "returned before the command ended: " << log_;
}

TEST_F(Win32Upgrade, CancelRunsNothing) {
  PlaceStub(0);
  const auto boxes = Upgrade(IDCANCEL);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(log_, "");
}

TEST_F(Win32Upgrade, AFailingPipIsReportedWithItsExitCode) {
  PlaceStub(1);
  const auto boxes = Upgrade(IDOK);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(boxes[1].hasCancel);
  EXPECT_NE(boxes[1].text.find(std::string(kUpgradeExitCode) + "1"),
            std::string::npos)
      << boxes[1].text;
  EXPECT_NE(boxes[1].text.find(kUpgradeHint), std::string::npos);
}

TEST_F(Win32Upgrade, NoPythonAtAllIsReported) {
  const auto boxes = Upgrade(IDOK);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].text.find(kUpgradeFailedIntro), std::string::npos)
      << boxes[1].text;
}

}  // namespace

// The apply workflow with the real Windows adapter, on the real file system
// of the Wine prefix, its boxes answered from another thread.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "mirror/account.h"
#include "mirror/apply.h"
#include "mirror/catalogue.h"
#include "mirror/texts.h"
#include "mirror/win32_system.h"
#include "win32/box_answerer.h"
#include "win32/files.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string TheAccountName() {
  unsigned long error = 0;
  return Win32MirrorSystem().AccountName(error);
}

class Win32Apply : public testing::Test {
 protected:
  void SetUp() override {
    account_ = TheAccountName();
    ASSERT_FALSE(account_.empty());
    folder_ = PipDirectoryPath(account_);
    config_ = PipConfigPath(account_);
    RemoveTree(folder_);
  }
  void TearDown() override { RemoveTree(folder_); }

  std::vector<BoxAnswerer::Box> Apply(int row, int questionAnswer) {
    BoxAnswerer answerer(kUpdateCaption, questionAnswer);
    ApplyMirror(row, system_);
    return answerer.Boxes();
  }

  Win32MirrorSystem system_;
  std::string account_;
  std::string folder_;
  std::string config_;
};

TEST_F(Win32Apply, AccountNameIsTheLogonName) {
  char expected[256] = "";
  ASSERT_NE(GetEnvironmentVariableA("USERNAME", expected, sizeof expected), 0u);
  EXPECT_EQ(lstrcmpiA(account_.c_str(), expected), 0) << account_;
}

TEST_F(Win32Apply, CreatesAMissingFolderAndWritesTheRow) {
  const auto boxes = Apply(3, IDCANCEL);
  EXPECT_TRUE(IsFolder(folder_));
  EXPECT_EQ(ReadBytes(config_), ComposePipConfig(3));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].hasCancel);
  EXPECT_EQ(boxes[0].text, kUpgradeQuestion);
}

TEST_F(Win32Apply, ReplacesALongerFileAndKeepsItsNeighbours) {
  ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(config_, std::string(5000, 'x')));
  ASSERT_TRUE(WriteBytes(folder_ + "\\other.txt", "mine"));
  Apply(1, IDCANCEL);
  EXPECT_EQ(ReadBytes(config_), ComposePipConfig(1));
  EXPECT_EQ(ReadBytes(folder_ + "\\other.txt"), "mine");
  Apply(1, IDCANCEL);
  EXPECT_EQ(ReadBytes(config_), ComposePipConfig(1));
}

// Something in the way of pip.ini; `block` returns a handle to close after
// the apply, or INVALID_HANDLE_VALUE.
struct BlockedCase {
  const char* name;
  std::function<HANDLE(const std::string& folder, const std::string& config)>
      block;
  bool keptIsFolderItself;  // the file named "pip", else pip.ini
};

void PrintTo(const BlockedCase& c, std::ostream* os) { *os << c.name; }

HANDLE OldConfig(const std::string& folder, const std::string& config) {
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBytes(config, "old content");
  return INVALID_HANDLE_VALUE;
}

class Win32ApplyBlocked : public Win32Apply,
                          public testing::WithParamInterface<BlockedCase> {};

TEST_P(Win32ApplyBlocked, ReportsTheErrorAndKeepsWhatWasThere) {
  const BlockedCase& c = GetParam();
  const std::string kept = c.keptIsFolderItself ? folder_ : config_;
  HANDLE holder = c.block(folder_, config_);

  const auto boxes = Apply(0, IDOK);

  if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
  EXPECT_EQ(ReadBytes(kept),
            c.keptIsFolderItself ? "not a folder" : "old content");
  ASSERT_EQ(boxes.size(), 1u) << "only the error, no upgrade question";
  EXPECT_FALSE(boxes[0].hasCancel);
  EXPECT_TRUE(Contains(boxes[0].text, kWriteFailedIntro)) << boxes[0].text;
  EXPECT_TRUE(Contains(boxes[0].text, config_)) << boxes[0].text;
  EXPECT_GT(boxes[0].text.size(),
            std::string(kWriteFailedIntro).size() + config_.size() + 4)
      << "the system's reason is missing: " << boxes[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Win32ApplyBlocked,
    testing::Values(
        BlockedCase{"FileNamedPip",
                    [](const std::string& folder, const std::string&) {
                      WriteBytes(folder, "not a folder");
                      return INVALID_HANDLE_VALUE;
                    },
                    true},
        BlockedCase{"ReadOnly",
                    [](const std::string& folder, const std::string& config) {
                      OldConfig(folder, config);
                      SetFileAttributesA(config.c_str(),
                                         FILE_ATTRIBUTE_READONLY);
                      return INVALID_HANDLE_VALUE;
                    },
                    false},
        // Sharing is decided per handle: one held with no sharing stops
        // the write whoever holds it. The program's end-to-end tests hold
        // it from another process.
        BlockedCase{"HeldOpenWithNoSharing",
                    [](const std::string& folder, const std::string& config) {
                      OldConfig(folder, config);
                      return CreateFileA(config.c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
                    },
                    false}),
    [](const testing::TestParamInfo<BlockedCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace

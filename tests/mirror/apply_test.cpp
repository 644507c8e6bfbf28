#include "mirror/apply.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_system.h"
#include "mirror/catalogue.h"
#include "mirror/texts.h"

namespace {

using Calls = std::vector<std::string>;

const char kDirectory[] = "C:\\Users\\alice\\pip";
const char kConfigPath[] = "C:\\Users\\alice\\pip\\pip.ini";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ApplyMirror, CreatesAMissingFolderThenWritesThenAsks) {
  FakeSystem system;
  ApplyMirror(2, system);
  EXPECT_EQ(
      system.calls,
      (Calls{"AccountName", std::string("IsDirectory ") + kDirectory,
             std::string("MakeDirectory ") + kDirectory,
             std::string("WriteWholeFile ") + kConfigPath, "AskOkCancel"}));
  EXPECT_EQ(system.files[kConfigPath], ComposePipConfig(2));
}

TEST(ApplyMirror, UsesAnExistingFolderAsItIs) {
  FakeSystem system;
  system.directories = {kDirectory};
  ApplyMirror(0, system);
  EXPECT_EQ(
      system.calls,
      (Calls{"AccountName", std::string("IsDirectory ") + kDirectory,
             std::string("WriteWholeFile ") + kConfigPath, "AskOkCancel"}));
  EXPECT_EQ(system.files[kConfigPath], ComposePipConfig(0));
}

TEST(ApplyMirror, WritesTheSameBytesWhenRepeated) {
  FakeSystem system;
  ApplyMirror(3, system);
  const std::string first = system.files[kConfigPath];
  ApplyMirror(3, system);
  EXPECT_EQ(system.files[kConfigPath], first);
  EXPECT_EQ(first, ComposePipConfig(3));
}

TEST(ApplyMirror, ReportsAFailedWriteWithPathAndReasonAndAsksNothing) {
  FakeSystem system;
  system.writeError = 32;
  ApplyMirror(1, system);
  ASSERT_EQ(system.boxes.size(), 1u);
  EXPECT_EQ(system.boxes[0].kind, "error");
  EXPECT_EQ(system.boxes[0].caption, kUpdateCaption);
  EXPECT_TRUE(Contains(system.boxes[0].text, kWriteFailedIntro));
  EXPECT_TRUE(Contains(system.boxes[0].text, kConfigPath));
  EXPECT_TRUE(Contains(system.boxes[0].text, "reason 32"));
  EXPECT_TRUE(system.commands.empty());
}

TEST(ApplyMirror, WithNoAccountNameTouchesNothingAndReports) {
  FakeSystem system;
  system.account = "";
  system.accountError = 1317;
  ApplyMirror(0, system);
  EXPECT_EQ(system.calls, (Calls{"AccountName", "ShowError"}));
  EXPECT_TRUE(Contains(system.boxes[0].text, "C:\\Users\\\\pip\\pip.ini"));
  EXPECT_TRUE(Contains(system.boxes[0].text, kNoAccountReason));
  EXPECT_TRUE(Contains(system.boxes[0].text, "reason 1317"));
}

TEST(ConfirmAndUpgrade, CancelRunsNothing) {
  FakeSystem system;
  system.answerOk = false;
  ConfirmAndUpgrade(system);
  EXPECT_EQ(system.calls, (Calls{"AskOkCancel"}));
  EXPECT_EQ(system.boxes[0].text, kUpgradeQuestion);
  EXPECT_EQ(system.boxes[0].caption, kUpdateCaption);
}

TEST(ConfirmAndUpgrade, QuestionNamesTheCommandThatRuns) {
  const std::string command = UpgradeCommand;
  const std::string prefix = "cmd /c ";
  ASSERT_EQ(command.rfind(prefix, 0), 0u);
  EXPECT_TRUE(Contains(kUpgradeQuestion, command.substr(prefix.size())));
}

struct UpgradeCase {
  const char* name;
  CommandRun run;
  bool warns;
  const char* mentions;  // in the warning
};

void PrintTo(const UpgradeCase& c, std::ostream* os) { *os << c.name; }

class ConfirmAndUpgradeOutcome : public testing::TestWithParam<UpgradeCase> {};

TEST_P(ConfirmAndUpgradeOutcome, RunsOnceAndReportsOnlyAFailure) {
  const UpgradeCase& c = GetParam();
  FakeSystem system;
  system.answerOk = true;
  system.commandRun = c.run;
  ConfirmAndUpgrade(system);
  EXPECT_EQ(system.commands, (Calls{UpgradeCommand}));
  ASSERT_EQ(system.boxes.size(), c.warns ? 2u : 1u);
  if (!c.warns) return;
  const FakeSystem::Box& warning = system.boxes[1];
  EXPECT_EQ(warning.kind, "warning");
  EXPECT_EQ(warning.caption, kUpdateCaption);
  EXPECT_TRUE(Contains(warning.text, kUpgradeFailedIntro));
  EXPECT_TRUE(Contains(warning.text, c.mentions));
  EXPECT_TRUE(
      Contains(warning.text, "\"python -m pip install --user --upgrade pip\""));
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ConfirmAndUpgradeOutcome,
    testing::Values(UpgradeCase{"ExitZero", {true, 0, 0}, false, ""},
                    UpgradeCase{"ExitOne", {true, 1, 0}, true, "1"},
                    UpgradeCase{"ExitNotFound", {true, 9009, 0}, true, "9009"},
                    UpgradeCase{"NotStarted", {false, 0, 2}, true, "reason 2"}),
    [](const testing::TestParamInfo<UpgradeCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace

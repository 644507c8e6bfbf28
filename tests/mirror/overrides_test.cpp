#include "mirror/overrides.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_system.h"
#include "mirror/apply.h"
#include "mirror/texts.h"

namespace {

struct FileCase {
  const char* name;
  std::string text;
  bool installOnly;
  const char* expected;
};

TEST(IndexUrlIn, ReadsAFileAsPipDoes) {
  const FileCase cases[] = {
      {"empty", "", false, ""},
      {"no index-url", "[global]\ntimeout = 60\n", false, ""},
      {"global", "[global]\nindex-url = https://a/simple\n", false,
       "https://a/simple"},
      {"install", "[install]\nindex-url=https://b/simple", false,
       "https://b/simple"},
      {"install beats global",
       "[install]\nindex-url = https://b/\n[global]\nindex-url = https://a/\n",
       false, "https://b/"},
      {"upper case, CR LF", "[global]\r\nINDEX_URL = https://c/\r\n", false,
       "https://c/"},
      {"underscore", "[global]\nindex_url: https://d/", false, "https://d/"},
      {"commented out", "[global]\n# index-url = https://e/\n; index-url = x\n",
       false, ""},
      {"download only", "[download]\nindex-url = https://f/\n", false, ""},
      {"byte-order mark", "\xEF\xBB\xBF[global]\nindex-url = https://g/\n",
       false, "https://g/"},
      {"no line break", "[global] index-url = https://h/", false, ""},
      {"key with no value", "[global]\nindex-url\nindex-url =\n", false, ""},
      {"repeated section, last wins",
       "[global]\nindex-url = https://i/\n[global]\nindex-url = https://j/\n",
       false, "https://j/"},
      {"continuation is not a key",
       "[global]\nextra-index-url = https://k/\n  index-url = https://l/\n",
       false, ""},
      {"section names are exact", "[Global]\nindex-url = https://m/\n", false,
       ""},
      {"global ignored when installOnly", "[global]\nindex-url = https://n/\n",
       true, ""},
      {"binary", std::string("\0\xff[\x01]\n=\n[", 9), false, ""},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IndexUrlIn(c.text, c.installOnly), c.expected);
  }
}

PipSettings Quiet() {
  PipSettings settings;
  settings.userConfigPath = "C:\\Users\\alice\\AppData\\Roaming\\pip\\pip.ini";
  settings.machineConfigPath = "C:\\ProgramData\\pip\\pip.ini";
  settings.writtenConfigPath = "C:\\Users\\alice\\pip\\pip.ini";
  return settings;
}

TEST(FindOverridingSettings, NamesEachSettingThatWins) {
  PipSettings none = Quiet();
  EXPECT_TRUE(FindOverridingSettings(none).empty());

  PipSettings variable = Quiet();
  variable.pipIndexUrl = "https://env/simple";
  ASSERT_EQ(FindOverridingSettings(variable).size(), 1u);
  EXPECT_EQ(FindOverridingSettings(variable)[0].source, "PIP_INDEX_URL");
  EXPECT_EQ(FindOverridingSettings(variable)[0].indexUrl, "https://env/simple");

  PipSettings user = Quiet();
  user.userConfigText = "[global]\nindex-url = https://user/\n";
  ASSERT_EQ(FindOverridingSettings(user).size(), 1u);
  EXPECT_EQ(FindOverridingSettings(user)[0].source, user.userConfigPath);
  EXPECT_EQ(FindOverridingSettings(user)[0].indexUrl, "https://user/");

  PipSettings machine = Quiet();
  machine.machineConfigText = "[global]\nindex-url = https://loses/\n";
  EXPECT_TRUE(FindOverridingSettings(machine).empty()) << "read before ours";
  machine.machineConfigText = "[install]\nindex-url = https://wins/\n";
  ASSERT_EQ(FindOverridingSettings(machine).size(), 1u);
  EXPECT_EQ(FindOverridingSettings(machine)[0].source,
            machine.machineConfigPath);
}

TEST(FindOverridingSettings, EmptyPipIndexUrlCountsAsUnset) {
  PipSettings settings = Quiet();
  settings.pipIndexUrl = "";
  EXPECT_TRUE(FindOverridingSettings(settings).empty());
}

TEST(FindOverridingSettings, AnExistingPipConfigFileHidesTheUserFiles) {
  PipSettings settings = Quiet();
  settings.pipConfigFile = "D:\\pip.conf";
  settings.userConfigText = "[global]\nindex-url = https://user/\n";

  const auto missing = FindOverridingSettings(settings);
  ASSERT_EQ(missing.size(), 1u) << "a missing file changes nothing";
  EXPECT_EQ(missing[0].source, settings.userConfigPath);

  settings.pipConfigFileText = "[global]\ntimeout = 5\n";
  const auto plain = FindOverridingSettings(settings);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].source, "PIP_CONFIG_FILE D:\\pip.conf");
  EXPECT_EQ(plain[0].indexUrl, "https://pypi.org/simple");

  settings.pipConfigFileText = "[install]\nindex-url = https://own/\n";
  EXPECT_EQ(FindOverridingSettings(settings)[0].indexUrl, "https://own/");
}

TEST(FindOverridingSettings, PipConfigFileNamingTheWrittenFileIsNoOverride) {
  PipSettings settings = Quiet();
  settings.pipConfigFile = "c:/users/ALICE/pip/pip.ini";
  settings.pipConfigFileText = "[global]\nindex-url = https://ours/\n";
  EXPECT_TRUE(FindOverridingSettings(settings).empty());
}

TEST(OverrideWarningText, NamesSourcesAndUrls) {
  const std::string text = OverrideWarningText(
      {{"PIP_INDEX_URL", "https://env/"}, {"C:\\x\\pip.ini", "https://f/"}});
  for (const char* part : {kOverrideIntro, "PIP_INDEX_URL", "https://env/",
                           "C:\\x\\pip.ini", "https://f/", kOverrideHint})
    EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(ApplyMirror, WarnsOfAnOverrideBeforeTheQuestion) {
  FakeSystem system;
  system.otherFiles[system.appData + "\\pip\\pip.ini"] =
      "[global]\nindex-url = https://pypi.org/simple\n";
  ApplyMirror(0, system);
  ASSERT_EQ(system.boxes.size(), 2u);
  EXPECT_EQ(system.boxes[0].kind, "warning");
  EXPECT_EQ(system.boxes[0].caption, kUpdateCaption);
  EXPECT_NE(system.boxes[0].text.find(system.appData + "\\pip\\pip.ini"),
            std::string::npos);
  EXPECT_NE(system.boxes[0].text.find("https://pypi.org/simple"),
            std::string::npos);
  EXPECT_EQ(system.boxes[1].kind, "question");
  for (std::size_t limit : system.readLimits) EXPECT_EQ(limit, 64u * 1024u);
}

TEST(ApplyMirror, AsksOnlyTheQuestionWhenNothingOverrides) {
  FakeSystem system;
  system.environment["PIP_INDEX_URL"] = "";
  ApplyMirror(0, system);
  ASSERT_EQ(system.boxes.size(), 1u);
  EXPECT_EQ(system.boxes[0].kind, "question");
}

}  // namespace

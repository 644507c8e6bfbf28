#include "app/shell_logic.h"

#include <gtest/gtest.h>

namespace {

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

TEST(CenteredOrigin, HalvesTheFreeSpaceTowardZero) {
  EXPECT_EQ(CenteredOrigin(1024, 768).x, 312);
  EXPECT_EQ(CenteredOrigin(1024, 768).y, 259);
  EXPECT_EQ(CenteredOrigin(1365, 767).x, 482);  // 965 / 2
  EXPECT_EQ(CenteredOrigin(1365, 767).y, 258);  // 517 / 2
  EXPECT_EQ(CenteredOrigin(399, 249).x, 0);     // -1 / 2
}

TEST(ExecutableFolder, CutsBeforeTheLastBackslash) {
  EXPECT_EQ(ExecutableFolder("C:\\Tools\\Velmora\\velmora.exe", IsGbkLeadByte),
            "C:\\Tools\\Velmora");
  EXPECT_EQ(ExecutableFolder("velmora.exe", IsGbkLeadByte), "");
}

TEST(ExecutableFolder, IgnoresABackslashThatIsATrailByte) {
  // "C:\工具\" and a character whose GBK trail byte is 0x5C.
  const std::string folder = "C:\\\xb9\xa4\xbe\xdf\\\x81\x5c";
  EXPECT_EQ(ExecutableFolder(folder + "\\velmora.exe", IsGbkLeadByte), folder);
  EXPECT_EQ(ExecutableFolder(folder + "velmora.exe", IsGbkLeadByte),
            "C:\\\xb9\xa4\xbe\xdf");
}

TEST(ClassifyKeyDown, HandlesTabShiftTabAndEscOnlyWhenPlain) {
  const unsigned tab = 0x09, escape = 0x1B, enter = 0x0D, space = 0x20;
  struct Case {
    unsigned key;
    bool ctrl, shift, alt;
    KeyAction action;
  } cases[] = {
      {tab, false, false, false, KeyAction::kFocusNextTabStop},
      {tab, false, true, false, KeyAction::kFocusPreviousTabStop},
      {tab, true, false, false, KeyAction::kPass},
      {tab, false, false, true, KeyAction::kPass},
      {escape, false, false, false, KeyAction::kClose},
      {escape, false, true, false, KeyAction::kPass},
      {escape, true, false, false, KeyAction::kPass},
      {enter, false, false, false, KeyAction::kPass},
      {space, false, false, false, KeyAction::kPass},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << c.ctrl << c.shift << c.alt);
    EXPECT_EQ(ClassifyKeyDown(c.key, c.ctrl, c.shift, c.alt), c.action);
  }
}

}  // namespace

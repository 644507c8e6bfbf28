#include "mirror/account.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

GetUserNameFunction Answering(const std::string& name, bool result = true) {
  return [name, result](char* buffer, unsigned long* size) {
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<unsigned long>(name.size() + 1);
    return result;
  };
}

TEST(AccountName, IsTheNameTheSystemGives) {
  EXPECT_EQ(AccountName(Answering("root")), "root");
}

TEST(AccountName, IsEmptyWhenTheCallFails) {
  EXPECT_EQ(AccountName(Answering("junk", false)), "");
}

TEST(AccountName, OffersFiftyBytesOfBlanks) {
  std::string seen;
  unsigned long offeredSize = 0;
  AccountName([&](char* buffer, unsigned long* size) {
    offeredSize = *size;
    seen.assign(buffer, 51);
    buffer[0] = '\0';
    return true;
  });
  EXPECT_EQ(offeredSize, 50u);
  EXPECT_EQ(seen, std::string(50, ' ') + '\0');
}

TEST(AccountName, KeepsANameOfFortyNineCharacters) {
  const std::string name(49, 'n');
  EXPECT_EQ(AccountName(Answering(name)), name);
}

TEST(AccountName, NeverReadsPastTheBuffer) {
  // A call that fills every byte, the last one included, with no NUL.
  const std::string name = AccountName([](char* buffer, unsigned long*) {
    std::memset(buffer, 'x', 51);
    return true;
  });
  EXPECT_EQ(name, std::string(50, 'x'));
}

TEST(PipPaths, AreBuiltUnderCUsers) {
  EXPECT_EQ(PipDirectoryPath("alice"), "C:\\Users\\alice\\pip");
  EXPECT_EQ(PipConfigPath("alice"), "C:\\Users\\alice\\pip\\pip.ini");
}

TEST(PipPaths, HoldTwoBackslashesForAnEmptyName) {
  EXPECT_EQ(PipDirectoryPath(""), "C:\\Users\\\\pip");
  EXPECT_EQ(PipConfigPath(""), "C:\\Users\\\\pip\\pip.ini");
}

}  // namespace

#include "mirror/catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Written out by hand: what pip must find in pip.ini for each row.
const char* const kExpectedConfig[kMirrorCount] = {
    "[global]\r\n"
    "timeout = 6000\r\n"
    "index-url = http://mirrors.aliyun.com/pypi/simple/\r\n"
    "trusted-host = mirrors.aliyun.com",
    "[global]\r\n"
    "timeout = 6000\r\n"
    "index-url = https://pypi.mirrors.ustc.edu.cn/simple/\r\n"
    "trusted-host = https://pypi.mirrors.ustc.edu.cn/",
    "[global]\r\n"
    "timeout = 6000\r\n"
    "index-url = https://pypi.tuna.tsinghua.edu.cn/simple/\r\n"
    "trusted-host = https://pypi.tuna.tsinghua.edu.cn/",
    "[global]\r\n"
    "timeout = 6000\r\n"
    "index-url = http://pypi.doubanio.com/simple/\r\n"
    "trusted-host = pypi.doubanio.com",
};

// The list texts as code-page-936 bytes, so a wrong execution charset fails.
const char* const kExpectedListText[kMirrorCount] = {
    "\xb0\xa2\xc0\xef\xd4\xc6\xbe\xb5\xcf\xf1",  // 阿里云镜像
    "\xd6\xd0\xb9\xfa\xbf\xc6\xbc\xbc\xb4\xf3\xd1\xa7\xbe\xb5\xcf\xf1",
    "\xc7\xe5\xbb\xaa\xb4\xf3\xd1\xa7\xbe\xb5\xcf\xf1",  // 清华大学镜像
    "\xb6\xb9\xb0\xea\xcd\xf8\xbe\xb5\xcf\xf1",          // 豆瓣网镜像
};

TEST(ComposePipConfig, GivesExactlyTheBytesOfEachRow) {
  for (int row = 0; row < kMirrorCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(ComposePipConfig(row), kExpectedConfig[row]);
  }
}

TEST(MirrorCatalogue, ListTextsAreCodePage936InRowOrder) {
  for (int row = 0; row < kMirrorCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_STREQ(MirrorCatalogue[row].listText, kExpectedListText[row]);
  }
}

TEST(MirrorCatalogue, TrustedPathIsIndexPathWithoutSimple) {
  for (const MirrorEntry& entry : MirrorCatalogue) {
    EXPECT_EQ(std::string(entry.trustedPath) + "simple/", entry.indexPath);
  }
}

}  // namespace

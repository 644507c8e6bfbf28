#include "mirror/catalogue.h"

#include <cstring>

const MirrorEntry MirrorCatalogue[kMirrorCount] = {
    {"阿里云镜像", "http", "mirrors.aliyun.com", "/pypi/simple/", "/pypi/"},
    {"中国科技大学镜像", "https", "pypi.mirrors.ustc.edu.cn", "/simple/", "/"},
    {"清华大学镜像", "https", "pypi.tuna.tsinghua.edu.cn", "/simple/", "/"},
    // Douban's old host pypi.douban.com only redirects and has been failing.
    {"豆瓣网镜像", "http", "pypi.doubanio.com", "/simple/", "/"},
};

namespace {

// pip reads trusted-host as "host" or "host:port". For an https mirror the
// URL form is kept as it is: it parses as the host "https", so pip keeps
// checking the mirror's certificate. For an http mirror that same form would
// name the host "http", pip would refuse the index as insecure, and the
// switch would do nothing: there only the bare host name works.
std::string TrustedHostValue(const MirrorEntry& entry) {
  if (std::strcmp(entry.scheme, "https") != 0) return entry.host;
  return std::string(entry.scheme) + "://" + entry.host + entry.trustedPath;
}

}  // namespace

std::string ComposePipConfig(int rowIndex) {
  const MirrorEntry& entry = MirrorCatalogue[rowIndex];
  std::string text = "[global]\r\n";
  text += "timeout = 6000\r\n";
  text += std::string("index-url = ") + entry.scheme + "://" + entry.host +
          entry.indexPath + "\r\n";
  text += "trusted-host = " + TrustedHostValue(entry);
  return text;
}

// Real pip reading the composed pip.ini as its only configuration file.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mirror/catalogue.h"

namespace {

struct Output {
  int status;
  std::string text;
};

Output RunShell(const std::string& command) {
  Output output{-1, ""};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return output;
  std::array<char, 4096> chunk;
  size_t count;
  while ((count = fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
    output.text.append(chunk.data(), count);
  output.status = pclose(pipe);
  return output;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class PipReadsConfig : public testing::Test {
 protected:
  void SetUp() override {
    // The interpreter's own path: the clean environment below has no
    // version-manager set-up to find it by.
    python_ = Trimmed(
        RunShell("python3 -c 'import sys; print(sys.executable)'").text);
    if (python_.empty() ||
        RunShell(Quoted(python_) + " -m pip --version").status)
      GTEST_SKIP() << "no python3 with pip on PATH";
    if (RunShell("unshare -n true").status == 0)
      unshare_ = "unshare -n";
    else if (RunShell("unshare -rn true").status == 0)
      unshare_ = "unshare -rn";
    else
      GTEST_SKIP() << "unshare cannot make a network namespace here";

    char pattern[] = "/tmp/velmora-pip-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    home_ = pattern;
  }
  void TearDown() override {
    if (!home_.empty()) RunShell("rm -rf " + Quoted(home_));
  }

  // pip with nothing of this machine's own configuration: an empty
  // environment (no PIP_* variables) and a throw-away home.
  std::string Pip(const std::string& configFile) const {
    return "env -i PATH=/usr/bin:/bin HOME=" + Quoted(home_) +
           " PIP_CONFIG_FILE=" + Quoted(configFile) + " " + Quoted(python_) +
           " -m pip";
  }

  std::string python_;
  std::string unshare_;
  std::string home_;
};

TEST_F(PipReadsConfig, UsesEachMirrorWithoutCallingItInsecure) {
  for (int row = 0; row < kMirrorCount; ++row) {
    const MirrorEntry& entry = MirrorCatalogue[row];
    SCOPED_TRACE(entry.host);
    const std::string configFile = home_ + "/pip.ini";
    std::ofstream(configFile, std::ios::binary) << ComposePipConfig(row);
    const std::string indexUrl =
        std::string(entry.scheme) + "://" + entry.host + entry.indexPath;
    const std::string trusted =
        std::string(entry.scheme) == "https"
            ? std::string("https://") + entry.host + entry.trustedPath
            : std::string(entry.host);

    const Output list = RunShell(Pip(configFile) + " config list");
    EXPECT_EQ(list.status, 0) << list.text;
    EXPECT_NE(list.text.find("global.index-url='" + indexUrl + "'"),
              std::string::npos)
        << list.text;
    EXPECT_NE(list.text.find("global.trusted-host='" + trusted + "'"),
              std::string::npos)
        << list.text;

    // No network in the namespace: pip gets as far as choosing the index.
    const Output download =
        RunShell(unshare_ + " " + Pip(configFile) +
                 " download --no-deps --retries 0 --timeout 2 -d " +
                 Quoted(home_ + "/download") + " six");
    EXPECT_NE(download.text.find("Looking in indexes: " + indexUrl),
              std::string::npos)
        << download.text;
    EXPECT_EQ(download.text.find("is not a trusted or secure host"),
              std::string::npos)
        << download.text;
  }
}

}  // namespace

#include "core/logging_utilities.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/my_types_mini.h"
#include "platform/utf.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cv_log_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ / "corvane.log";
    SetLogFilename(Utf8ToUtf16(path_.string()));
    keeping_log = true;
    current_tool_var = tt_shell;
  }
  void TearDown() override {
    keeping_log = false;
    SetLogFilename(u"");
    current_tool_var = tt_shell;
    chmod(dir_.c_str(), 0700);
    fs::remove_all(dir_);
  }

  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  // The file's text after its byte-order mark, decoded.
  string Text() const {
    const std::string b = Bytes();
    EXPECT_GE(b.size(), 2u);
    EXPECT_EQ(b.substr(0, 2), "\xFF\xFE");
    string t;
    for (size_t i = 2; i + 1 < b.size(); i += 2)
      t += static_cast<char16_t>(static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8));
    return t;
  }

  fs::path dir_;
  fs::path path_;
};

TEST_F(LogTest, NothingIsWrittenWhileLoggingIsOff) {
  keeping_log = false;
  AddToLogFile(u"hello");
  EXPECT_FALSE(fs::exists(path_));
  keeping_log = true;
  SetLogFilename(u"");
  AddToLogFile(u"hello");
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(LogTest, EntriesCarryThePrefixAndOptionalLineEnd) {
  AddToLogFile(u"first");
  current_tool_var = tt_kwic;
  AddToLogFile(u"no end", false);
  current_tool_var = tt_version_checker;
  AddToLogFile(u"ü€");
  EXPECT_EQ(Text(), u"(CV7): first\r\n(C): no end(?\?)ü€\r\n");
  EXPECT_TRUE(keeping_log);
}

TEST_F(LogTest, FileReportsUtf16LittleEndianWithCrlf) {
  if (std::system("command -v file >/dev/null 2>&1") != 0) GTEST_SKIP() << "no file(1)";
  for (int i = 0; i < 20; ++i) AddToLogFile(u"Some ordinary diagnostic line number " + string(1, u'a' + i));
  const std::string cmd = "file -b '" + path_.string() + "'";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  char buf[256] = {};
  fgets(buf, sizeof buf, p);
  pclose(p);
  const std::string out = buf;
  EXPECT_NE(out.find("UTF-16, little-endian"), std::string::npos) << out;
  EXPECT_NE(out.find("CRLF"), std::string::npos) << out;
}

TEST_F(LogTest, AWriteFailureSwitchesLoggingOff) {
  if (geteuid() == 0) {
    // root ignores permissions; a folder in place of the file fails for anyone.
    fs::create_directory(path_);
  } else {
    chmod(dir_.c_str(), 0500);
  }
  AddToLogFile(u"cannot be written");
  EXPECT_FALSE(keeping_log);
  fs::remove(path_);
  chmod(dir_.c_str(), 0700);
  AddToLogFile(u"not attempted");
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(LogTest, ClearLogFileStartsANewSection) {
  ClearLogFile();  // no file: nothing happens
  EXPECT_FALSE(fs::exists(path_));
  AddToLogFile(u"old");
  ClearLogFile();
  const string t = Text();
  EXPECT_EQ(t.find(u"old"), string::npos);
  EXPECT_EQ(t.rfind(u"(CV7): **********\r\n(CV7): LOG STARTED at ", 0), 0u) << Utf16ToUtf8(t);
}

TEST_F(LogTest, ConcurrentProcessesLeaveWholeEntries) {
  constexpr int kProcesses = 8;
  constexpr int kEntries = 1000;
  pid_t children[kProcesses];
  for (int p = 0; p < kProcesses; ++p) {
    children[p] = fork();
    ASSERT_GE(children[p], 0);
    if (children[p] == 0) {
      current_tool_var = static_cast<tool_type>(p);
      for (int e = 0; e < kEntries; ++e)
        AddToLogFile(Utf8ToUtf16("process " + std::to_string(p) + " entry " + std::to_string(e) +
                                 " with some padding to make the write longer"));
      _exit(keeping_log ? 0 : 1);
    }
  }
  for (pid_t c : children) {
    int status = 0;
    waitpid(c, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const string text = Text();
  EXPECT_EQ(text.find(u'\xFEFF'), string::npos) << "a second byte-order mark";
  std::map<std::string, int> seen;
  size_t start = 0;
  int lines = 0;
  while (start < text.size()) {
    const size_t end = text.find(u"\r\n", start);
    ASSERT_NE(end, string::npos) << "an entry without its line end";
    const std::string line = Utf16ToUtf8(text.substr(start, end - start));
    ++lines;
    // "(prefix): process P entry E ..."
    const size_t at = line.find("process ");
    ASSERT_NE(at, std::string::npos) << line;
    const int p = std::atoi(line.c_str() + at + 8);
    ASSERT_TRUE(p >= 0 && p < kProcesses) << line;
    EXPECT_EQ(line.substr(0, at), Utf16ToUtf8(ToolLogPrefix(static_cast<tool_type>(p)))) << line;
    EXPECT_EQ(line.substr(line.size() - 6), "longer") << line;
    ++seen[line.substr(at)];
    start = end + 2;
  }
  EXPECT_EQ(lines, kProcesses * kEntries);
  EXPECT_EQ(seen.size(), static_cast<size_t>(kProcesses * kEntries));
  for (const auto& [line, count] : seen) EXPECT_EQ(count, 1) << line;
}

}  // namespace
}  // namespace cv

#include "files/file_utils.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/file_names.h"
#include "files/file_ops.h"
#include "platform/nls.h"
#include "platform/process.h"
#include "platform/utf.h"
#include "tests/files/small_tmpfs.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& cmd) {
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return {};
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

class FileUtils : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cv_fu_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
    SetMessageBoxHandler(nullptr);
  }
  string Name(const std::string& leaf) const { return Utf8ToUtf16(dir_ + "/" + leaf); }
  void Put(const std::string& leaf, std::string_view bytes) { ASSERT_TRUE(WriteFileAtomically(Name(leaf), bytes)); }
  std::string Get(const std::string& leaf) {
    std::string b;
    ReadWholeFile(Name(leaf), b);
    return b;
  }
  std::string dir_;
};

// The answers a test gives to the questions, in order, and what was asked.
std::vector<int> g_answers;
std::vector<std::string> g_asked;
int Answer(std::u16string_view text, std::u16string_view, Cardinal) {
  g_asked.push_back(Utf16ToUtf8(text));
  if (g_answers.empty()) return 2;  // Cancel / nothing
  const int a = g_answers.front();
  g_answers.erase(g_answers.begin());
  return a;
}
void Answers(std::vector<int> a) {
  g_answers = std::move(a);
  g_asked.clear();
  SetMessageBoxHandler(Answer);
}
constexpr int kYes = 6, kNo = 7, kOK = 1, kCancel = 2;

TEST_F(FileUtils, ContentTypesOfSmallBuffers) {
  constexpr TFileContentsSet k8 = 0x01, kU8 = 0x02, k16 = 0x04, kWord = 0x08, kStg = 0x10, kZip = 0x20,
                             kRev = 0x40;
  struct Case {
    std::string bytes;
    TFileContentsSet quick, thorough;
  } cases[] = {
      {"abc", 0, 0},
      {"PK\x03\x04rest", kZip, kZip},
      {std::string("\xD0\xCF\x11\xE0", 4), kStg, kStg},
      {std::string("\xDB\xA5\x2D\x00xx", 6), kWord, kWord},
      {"\xEF\xBB\xBFplain", k8 | kU8, kU8},
      {"caf\xC3\xA9 au lait", k8, kU8},
      {"caf\xE9 au lait", k8, k8},
      {"caf\xC3 au lait", k8, k8},          // a lead byte without its continuation
      {"caf\xED\xA0\x80 x", k8, k8},        // an encoded surrogate is not UTF-8
      {std::string("ab\0\xC3\xA9", 5), k8, k8},  // only the bytes before the first NUL count
      {std::string("\xFF\xFE" "a\0b\0", 6), k16, k16},
      {std::string("\xFE\xFF\0a\0b", 6), kRev, kRev},
      {std::string("\xFF\xFE" "a\0b", 5), k16, k8},  // odd size: never UTF-16
      {std::string("H\0e\0l\0l\0o\0 \0w\0o\0r\0l\0d\0", 22), k8, k16},
      {std::string("\0H\0e\0l\0l\0o\0 \0w\0o\0r\0l\0d", 22), k8, k8},
      {"Bush hid the facts", k8, k8},
      {"this app can break", k8, k8},
      {std::string("\x01\0\x02\0\x03\0\x04\0\x05\0\x06\0", 12), k8, k8},  // binary words
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileBufferType(c.bytes.data(), c.bytes.size(), false), c.quick) << c.bytes;
    EXPECT_EQ(FileBufferType(c.bytes.data(), c.bytes.size(), true), c.thorough) << c.bytes;
    Put("c.bin", c.bytes);
    EXPECT_EQ(FileContentsType(Name("c.bin"), false), c.quick) << c.bytes;
    EXPECT_EQ(FileContentsType(Name("c.bin"), true), c.thorough) << c.bytes;
  }
  EXPECT_EQ(FileContentsType(Name("missing"), true), 0);
  EXPECT_EQ(FileContentsComparison(0x40, 0x01), 1);
  EXPECT_EQ(FileContentsComparison(0, 0), 0);
  EXPECT_FALSE(StringIsInUnicode("\xFF\xFE", 2));
  EXPECT_TRUE(StringIsInUnicode("\xFF\xFEx\0", 4));
}

// Agreement with `file --mime-encoding` on real texts converted with iconv.
TEST_F(FileUtils, ContentTypesAgreeWithFileOnRealTexts) {
  if (Shell("command -v file && command -v iconv").empty()) GTEST_SKIP() << "file or iconv missing";
  std::vector<std::string> sources;
  for (const char* s : {"/usr/share/common-licenses/GPL-3", "/usr/share/common-licenses/Apache-2.0"})
    if (fs::exists(s)) sources.push_back(s);
  const std::string non_ascii =
      Shell("grep -lP '[^\\x00-\\x7F]' /usr/share/doc/*/copyright 2>/dev/null | head -12");
  std::size_t at = 0;
  while (at < non_ascii.size()) {
    const std::size_t nl = non_ascii.find('\n', at);
    const std::string f = non_ascii.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
    if (!f.empty() && Shell("iconv -f UTF-8 -t UTF-8 '" + f + "' >/dev/null 2>&1 && echo ok") == "ok")
      sources.push_back(f);
    if (nl == std::string::npos) break;
    at = nl + 1;
  }
  ASSERT_GE(sources.size(), 2u);

  struct Form {
    const char* suffix;
    const char* make;  // shell text: %s is the source, output to stdout
  } forms[] = {
      {"u8", "cat '%s'"},
      {"u8sig", "printf '\\357\\273\\277'; cat '%s'"},
      {"u16", "iconv -f UTF-8 -t UTF-16 '%s'"},
      {"u16le", "printf '\\377\\376'; iconv -f UTF-8 -t UTF-16LE '%s'"},
      {"u16be", "printf '\\376\\377'; iconv -f UTF-8 -t UTF-16BE '%s'"},
      {"cp1252", "iconv -c -f UTF-8 -t CP1252 '%s'"},
      {"latin2", "iconv -c -f UTF-8 -t ISO-8859-2 '%s'"},
      {"cp1251", "iconv -c -f UTF-8 -t CP1251 '%s'"},
  };
  int compared = 0;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    for (const Form& f : forms) {
      const std::string out = dir_ + "/t" + std::to_string(i) + "." + f.suffix;
      char cmd[1024];
      std::snprintf(cmd, sizeof cmd, f.make, sources[i].c_str());
      Shell(std::string("(") + cmd + ") > '" + out + "' 2>/dev/null");
      const std::string enc = Shell("file -b --mime-encoding '" + out + "'");
      TFileContentsSet want;
      if (enc == "utf-8")
        want = FileContentsBit(_UTF8);
      else if (enc == "us-ascii" || enc == "iso-8859-1" || enc == "unknown-8bit")
        want = FileContentsBit(_8_bit);
      else if (enc == "utf-16le")
        want = FileContentsBit(_16_bit);
      else if (enc == "utf-16be")
        want = FileContentsBit(_16_bit_reversed);
      else
        continue;  // "binary" and the like say nothing about text
      EXPECT_EQ(FileContentsType(Utf8ToUtf16(out), true), want) << out << " file says " << enc;
      ++compared;
    }
    // Without byte-order marks `file` gives up; little-endian is still
    // recognised, big-endian is not taken for little-endian.
    const std::string le = dir_ + "/bare" + std::to_string(i) + ".u16le";
    const std::string be = dir_ + "/bare" + std::to_string(i) + ".u16be";
    Shell("iconv -f UTF-8 -t UTF-16LE '" + sources[i] + "' > '" + le + "'");
    Shell("iconv -f UTF-8 -t UTF-16BE '" + sources[i] + "' > '" + be + "'");
    EXPECT_EQ(FileContentsType(Utf8ToUtf16(le), true), FileContentsBit(_16_bit)) << le;
    EXPECT_TRUE(TextFileInUnicode(Utf8ToUtf16(le))) << le;
    EXPECT_FALSE(InFileContents(FileContentsType(Utf8ToUtf16(be), true), _16_bit)) << be;
  }
  EXPECT_GE(compared, 8 * 2);
}

TEST_F(FileUtils, ExistenceAndAttributes) {
  Put("a.txt", "x");
  ASSERT_EQ(mkdir((dir_ + "/sub").c_str(), 0755), 0);
  EXPECT_TRUE(DriveAndFileExist(Name("a.txt")));
  EXPECT_FALSE(DriveAndFileExist(Name("sub")));
  EXPECT_TRUE(DriveAndFolderExist(Name("sub")));
  EXPECT_FALSE(DriveAndFolderExist(Name("a.txt")));
  EXPECT_FALSE(DriveAndFileExist(Name("A.TXT")));  // names are case-sensitive
  EXPECT_TRUE(DriveAndFileExist(u"//server/share/a.txt", false, true));
  EXPECT_FALSE(DriveAndFileExist(u"//server/share/a.txt", false, false));
  EXPECT_EQ(GetFileStatusOfAFile(u"//server/share/a.txt", false), fs_unknown);
  EXPECT_EQ(GetFileStatusOfAFile(Name("a.txt"), false), fs_exists);
  EXPECT_EQ(GetFileStatusOfAFile(Name("gone.txt"), true), fs_moved);
  EXPECT_EQ(FileSize(Name("a.txt")), 1);
  EXPECT_EQ(FileSize(Name("gone.txt")), -1);
  EXPECT_TRUE(sIsADirectory(Name("sub")));
  EXPECT_TRUE(FileNameHasWildCards(u"a?.txt"));
  EXPECT_FALSE(FileNameHasWildCards(u"a.txt"));
  chmod((dir_ + "/a.txt").c_str(), 0444);
  EXPECT_TRUE(ReadOnlyFileW(Name("a.txt")));
  EXPECT_EQ(FileGetAttr(Name("a.txt")), faReadOnly | faArchive);
  chmod((dir_ + "/a.txt").c_str(), 0644);
  EXPECT_FALSE(ReadOnlyFileW(Name("a.txt")));
  Put(".hidden", "x");
  EXPECT_EQ(FileGetAttr(Name(".hidden")), faHidden | faArchive);
  // No name in the folder matters to the test, not even chk.tmp.
  Put("chk.tmp", "x");
  EXPECT_TRUE(IsDirectoryWriteable(Utf8ToUtf16(dir_)));
  EXPECT_FALSE(IsDirectoryWriteable(Name("nonexistent")));
  EXPECT_EQ(Get("chk.tmp"), "x");
}

TEST_F(FileUtils, QuestionsAndBackups) {
  EXPECT_TRUE(OKToOverwrite(Name("new.txt")));
  Put("a.txt", "old");
  Answers({kNo});
  EXPECT_FALSE(OKToOverwrite(Name("a.txt")));
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(g_asked[0], "Overwrite " + dir_ + "/a.txt?");
  Answers({kYes});
  EXPECT_TRUE(OKToOverwriteWithBackup(Name("a.txt")));
  EXPECT_EQ(Get("a.bak"), "old");
  Answers({kCancel});
  EXPECT_FALSE(OKToDeleteFile(Name("a.txt")));
  EXPECT_EQ(Get("a.txt"), "old");
  Answers({kOK});
  EXPECT_TRUE(OKToDeleteFile(Name("a.txt")));
  EXPECT_FALSE(DriveAndFileExist(Name("a.txt")));
  Answers({});
  EXPECT_TRUE(ProceedIfLittleDiskSpace(Utf8ToUtf16(dir_), 0));
  EXPECT_FALSE(ProceedIfLittleDiskSpace(u"", 0));
  EXPECT_FALSE(ProceedIfLittleDiskSpace(Utf8ToUtf16(dir_), UINT64_MAX));  // asked, Cancel
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_NE(g_asked[0].find("Mb space left on " + dir_), std::string::npos);
}

TEST_F(FileUtils, NewFileNames) {
  SetBatchFileStartNumberTo(-5);
  EXPECT_EQ(GetBatchFileStartNumber(), 0);
  Put("report.txt", "");
  Put("report_001.txt", "");
  string name = Name("report.txt");
  EXPECT_TRUE(ForcedToBeNewFile(name));
  EXPECT_EQ(name, Name("report_001_002.txt"));
  Put("noext.", "");
  name = Name("noext");
  EXPECT_TRUE(ForcedToBeNewFile(name));
  EXPECT_EQ(name, Name("noext_003."));
  // A dot in a folder name is not an extension.
  ASSERT_EQ(mkdir((dir_ + "/v1.2").c_str(), 0755), 0);
  Put("v1.2/notes.", "");
  name = Name("v1.2/notes");
  EXPECT_TRUE(ForcedToBeNewFile(name));
  EXPECT_EQ(name, Name("v1.2/notes_004."));
}

TEST_F(FileUtils, CopiesAndDates) {
  Put("a.txt", "content");
  EXPECT_TRUE(SetFileDate(Name("a.txt"), u"25.12.2010"));
  EXPECT_TRUE(CopyFileRetainingDate(Name("a.txt"), Name("b.txt")));
  EXPECT_EQ(Get("b.txt"), "content");
  EXPECT_EQ(FileFacts(Name("b.txt")).mtime_sec, FileFacts(Name("a.txt")).mtime_sec);
  struct tm t;
  const time_t when = FileFacts(Name("a.txt")).mtime_sec;
  localtime_r(&when, &t);
  EXPECT_EQ(t.tm_year + 1900, 2010);
  EXPECT_EQ(t.tm_mon + 1, 12);
  EXPECT_EQ(t.tm_mday, 25);
  EXPECT_EQ(t.tm_hour, 12);
  struct DateCase {
    Integer d, m, y;
    bool ok;
  } dates[] = {{31, 2, 2010, false}, {1, 1, 1979, false}, {1, 1, 2107, false}, {29, 2, 2012, true},
               {29, 2, 2100, false}, {0, 1, 2000, false}, {1, 13, 2000, false}};
  for (const DateCase& c : dates) EXPECT_EQ(SetFileDate(Name("a.txt"), c.d, c.m, c.y), c.ok) << c.d << "." << c.m << "." << c.y;
  EXPECT_FALSE(SetFileDate(Name("a.txt"), u"2010-12-25x"));
  EXPECT_FALSE(SetFileDate(Name("a.txt"), u"xx", u"12", u"2010"));
  EXPECT_FALSE(SetFileDate(Name("missing"), 1, 1, 2000));
  EXPECT_FALSE(CopyDateOfFile(Name("missing"), Name("a.txt")));
  // Copying onto itself, also through another name of the same file.
  ASSERT_EQ(link((dir_ + "/a.txt").c_str(), (dir_ + "/hard.txt").c_str()), 0);
  EXPECT_FALSE(CopyFileRetainingDate(Name("a.txt"), Name("a.txt")));
  EXPECT_FALSE(CopyFileRetainingDate(Name("a.txt"), Name("hard.txt")));
  EXPECT_EQ(Get("a.txt"), "content");
}

TEST_F(FileUtils, TextFiles) {
  EXPECT_FALSE(SavedTextAsStream(u"", Name("t.txt")));
  EXPECT_FALSE(DriveAndFileExist(Name("t.txt")));
  EXPECT_TRUE(SavedTextAsStream(u"Aé", Name("t.txt")));
  EXPECT_EQ(Get("t.txt"), std::string("\xFF\xFE" "A\0\xE9\0", 6));
  EXPECT_EQ(TextFileContents(Name("t.txt")), u"Aé\r\n");
  EXPECT_EQ(TextFileContents(Name("missing")), u"");

  Put("sig.txt", "\xEF\xBB\xBFna\xC3\xAFve");
  TPossiblyDodgyTextStringlist list;
  list.LoadFromFile(Name("sig.txt"));
  EXPECT_TRUE(list.SignedUTF8);
  EXPECT_EQ(list.Text(), u"naïve\r\n");
  // A UTF-8-signed file is decoded as UTF-8, not in the locale's code page.
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(Name("sig.txt"), 0x0419));
  EXPECT_EQ(Get("sig.txt"), std::string("\xFF\xFEn\0a\0\xEF\0v\0e\0", 12));
  Put("ru.txt", "\xCF\xF0\xE8");  // "При" in cp1251
  EXPECT_TRUE(ConvertATextFileAnsiToUTF16(Name("ru.txt"), 0x0419));
  EXPECT_EQ(Get("ru.txt"), std::string("\xFF\xFE\x1F\x04\x40\x04\x38\x04", 8));
  EXPECT_FALSE(ConvertATextFileAnsiToUTF16(Name("missing"), 0x0419));

  Put("ins.txt", "\xEF\xBB\xBF" "abc");
  EXPECT_TRUE(InsertIntoFileA(Name("ins.txt"), u"ü", true, 2));
  EXPECT_EQ(Get("ins.txt"), "\xEF\xBB\xBF" "a\xC3\xBC" "bc");
  EXPECT_EQ(Get("ins.bak"), "\xEF\xBB\xBF" "abc");
  EXPECT_TRUE(InsertIntoFileW(Name("ins.txt"), u"!", false, 99));
  EXPECT_EQ(Get("ins.txt"), std::string("\xFF\xFE" "a\0\xFC\0b\0c\0!\0", 12));
  EXPECT_FALSE(InsertIntoFileW(Name("missing"), u"!", false, 1));
}

TEST_F(FileUtils, SortingFileLists) {
  TStringList l;
  for (const char* s : {"/x/b/alpha.txt", "/x/a/Beta.txt", "/x/a/alpha.txt", "/x/c/ALPHA.TXT"}) l.Add(Utf8ToUtf16(s));
  SortListOfFiles(l, false, true);
  EXPECT_EQ(l.Text(), u"/x/a/alpha.txt\r\n/x/b/alpha.txt\r\n/x/c/ALPHA.TXT\r\n/x/a/Beta.txt\r\n");
  SortListOfFiles(l, false, false);
  EXPECT_EQ(l.Text(), u"/x/a/Beta.txt\r\n/x/c/ALPHA.TXT\r\n/x/b/alpha.txt\r\n/x/a/alpha.txt\r\n");
}

TEST(FileUtilsOnASmallDisk, FullAndReadOnlyDisksLoseNothing) {
  testing_support::SmallTmpfs disk;
  CV_REQUIRE_SMALL_TMPFS(disk);
  const string a = Utf8ToUtf16(disk.dir() + "/a.txt");
  const string big = Utf8ToUtf16(disk.dir() + "/big.txt");
  ASSERT_TRUE(WriteFileAtomically(a, "abc"));
  ASSERT_TRUE(WriteFileAtomically(big, std::string(100000, 'x')));
  disk.Fill(1000);
  Answers({});  // every question answered with Cancel
  EXPECT_FALSE(ProceedIfLittleDiskSpace(Utf8ToUtf16(disk.dir()), 1 << 20));
  // Nothing fits: each rewrite fails and the file stays as it was.
  EXPECT_FALSE(InsertIntoFileW(big, u"y", false, 1));
  EXPECT_FALSE(CopyAFile(big, a));
  EXPECT_FALSE(CopyAFileWithBackup(big));
  EXPECT_FALSE(SavedTextAsStream(string(100000, u'z'), a));
  std::string s;
  ASSERT_TRUE(ReadWholeFile(a, s));
  EXPECT_EQ(s, "abc");
  ASSERT_TRUE(ReadWholeFile(big, s));
  EXPECT_EQ(s, std::string(100000, 'x'));
  EXPECT_FALSE(fs::exists(disk.dir() + "/big.bak"));
  disk.Unfill();
  ASSERT_TRUE(disk.MakeReadOnly());
  EXPECT_FALSE(IsDirectoryWriteable(Utf8ToUtf16(disk.dir())));
  EXPECT_FALSE(InsertIntoFileA(a, u"y", false, 1));
  EXPECT_FALSE(ConvertATextFileAnsiToUTF16(a, 0x0409));
  ASSERT_TRUE(ReadWholeFile(a, s));
  EXPECT_EQ(s, "abc");
  disk.MakeWritable();
  SetMessageBoxHandler(nullptr);
}

}  // namespace
}  // namespace cv

// Pointer and short strings in streams, checksums against od, the zip
// naming rules, and zip members against Info-ZIP's zip/unzip.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "lists/my_filestream.h"
#include "lists/pointer_utils.h"
#include "lists/zip_archive.h"
#include "lists/zip_utils.h"
#include "platform/coding.h"
#include "platform/utf.h"
#include "test_support.h"

namespace cv {
namespace {

using testing_support::Hex;
using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::Shell;
using testing_support::Unhex;
using testing_support::WriteFile;

TEST(PointerStringTest, GoldenImagesAndRoundTrip) {
  TMemoryStream m;
  ASSERT_TRUE(WriteUnknownLengthPointer(m, nullptr, true));
  ASSERT_TRUE(WriteUnknownLengthPointer(m, u"ab", true));
  ASSERT_TRUE(WriteUnknownLengthPointer(m, "ab", false));
  ASSERT_TRUE(StreamWritePchar(m, u"\u00e9"));
  ASSERT_TRUE(StreamWritePAnsichar(m, "xyz"));
  ASSERT_TRUE(WriteShortString(m, "hi"));
  EXPECT_EQ(Hex(m.Bytes()),
            "00 00 00 00 "
            "02 00 00 00 61 00 62 00 "
            "02 00 00 00 61 62 "
            "01 00 00 00 e9 00 "
            "03 00 78 79 7a "
            "02 68 69");
  m.SetPosition(0);
  auto* empty = static_cast<char16_t*>(ReadUnknownLengthPointer(m, true));
  EXPECT_EQ(PcharView(empty), u"");
  DeletePChar(empty);
  auto* w = static_cast<char16_t*>(ReadUnknownLengthPointer(m, true));
  EXPECT_EQ(PcharView(w), u"ab");
  EXPECT_EQ(temp_pointer_chars_allocated, 2);
  DeletePChar(w);
  auto* a = static_cast<char*>(ReadUnknownLengthPointer(m, false));
  EXPECT_EQ(PAnsicharView(a), "ab");
  DeletePAnsichar(a);
  char16_t* p = StreamReadPchar(m);
  EXPECT_EQ(PcharView(p), u"\u00e9");
  DeletePChar(p);
  char* q = StreamReadPAnsichar(m);
  EXPECT_EQ(PAnsicharView(q), "xyz");
  DeletePAnsichar(q);
  EXPECT_EQ(ReadShortString(m), "hi");
  EXPECT_EQ(m.Remaining(), 0);
}

TEST(PointerStringTest, WritersRefuseWhatCannotBeReadBack) {
  TMemoryStream m;
  const std::string s256(256, 'x'), s65536(65536, 'y');
  const string w50001(50001, u'z');
  EXPECT_FALSE(WriteShortString(m, s256));
  EXPECT_FALSE(StreamWritePAnsichar(m, s65536.c_str()));
  EXPECT_FALSE(WriteUnknownLengthPointer(m, w50001.c_str(), true));
  EXPECT_FALSE(StreamWritePchar(m, w50001.c_str()));
  EXPECT_EQ(m.Size(), 0);
  EXPECT_TRUE(WriteShortString(m, std::string(255, 'x')));
  EXPECT_TRUE(StreamWritePAnsichar(m, std::string(65535, 'y').c_str()));
}

TEST(PointerStringTest, BadCountsRaiseTheFileReadError) {
  struct Case {
    const char* hex;
    int form;  // 0 wide counted, 1 8-bit counted, 2 StreamReadPchar, 3 StreamReadPAnsichar
    const char* message;
  } cases[] = {
      {"51 c3 00 00", 0, "file read error : ReadUnknownLengthPointer 50001"},
      {"ff ff ff ff", 1, "file read error : ReadUnknownLengthPointer -1"},
      {"02 00 00 00 61 00", 0, "file read error : ReadUnknownLengthPointer 2"},
      {"03 00 00 00 61 62", 1, "file read error : ReadUnknownLengthPointer 3"},
      {"ff ff ff 7f", 2, "file read error : StreamReadPchar"},
      {"ff ff ff ff", 2, "file read error : StreamReadPchar"},
      {"05 00 61 62", 3, "file read error : StreamReadPAnsichar"},
  };
  for (const auto& c : cases) {
    TBytesStream m(Unhex(c.hex));
    try {
      void* p = c.form == 0   ? ReadUnknownLengthPointer(m, true)
                : c.form == 1 ? ReadUnknownLengthPointer(m, false)
                : c.form == 2 ? static_cast<void*>(StreamReadPchar(m))
                              : static_cast<void*>(StreamReadPAnsichar(m));
      ADD_FAILURE() << c.hex << " read as " << p;
    } catch (const EFileReadError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  TBytesStream short_string(Unhex("05 61 62"));
  EXPECT_THROW(ReadShortString(short_string), EReadError);
}

// ---------------------------------------------------------------------------
// Checksums

std::uint32_t OdSum(const std::string& path, std::size_t size) {
  // od pads a last partial word with zeros, so only whole words are given it.
  const std::string out = Shell("head -c " + std::to_string(size / 4 * 4) + " " + path +
                                " | od -An -v -t u4 | awk '{for(i=1;i<=NF;i++)s=(s+$i)%4294967296} END{printf \"%.0f\", s}'");
  return static_cast<std::uint32_t>(std::stoull(out));
}

TEST(ChecksumTest, AgreesWithOdOnFilesOfEverySize) {
  ScratchDir dir;
  std::mt19937 rng(3);
  for (std::size_t size : {0u, 3u, 6u, 7u, 4096u, (3u << 20) + 2u}) {
    std::string bytes(size, '\0');
    for (auto& c : bytes) c = static_cast<char>(rng());
    WriteFile(dir.Path("f"), bytes);
    EXPECT_EQ(static_cast<std::uint32_t>(CheckSumOfAFile(dir.UPath("f"))), OdSum(dir.Path("f"), size)) << size;
  }
  WriteFile(dir.Path("six"), Unhex("01 02 03 04 05 06"));
  EXPECT_EQ(CheckSumOfAFile(dir.UPath("six")), 0x04030201);
  EXPECT_EQ(CheckSumOfAFile(dir.UPath("missing")), 0);
  TMyCheckSumFileStream f(dir.UPath("six"), fmOpenRead);
  f.SetPosition(1);
  EXPECT_THROW(f.GetChecksum(), EReadError);
}

// ---------------------------------------------------------------------------
// Zip naming rules

TEST(ZipNamingTest, ExtensionsNumbersAndSplitPoints) {
  struct Ext {
    const char16_t* name;
    bool zip;
    Integer number;
  } exts[] = {
      {u"a.zip", true, -1},    {u"A.ZIP", true, -1},  {u"x.zip7", true, 7},       {u"x.zip12", true, 12},
      {u"x.zipab", true, -1},  {u"x.zi", false, -1},  {u"c:\\d.zip\\f.txt", false, -1},
      {u"zip", false, -1},
  };
  for (const auto& e : exts) {
    EXPECT_EQ(IsAZipFile(e.name), e.zip) << Utf16ToUtf8(e.name);
    EXPECT_EQ(ZipFilePlusNumber(e.name), e.number) << Utf16ToUtf8(e.name);
  }
  struct Split {
    const char16_t *name, *marker, *full, *within;
  } splits[] = {
      {u"c:\\a\\texts.zip\\one.txt", u"", u"c:\\a\\texts.zip", u"one.txt"},
      {u"d:\\t\\b.ZIP\\sub\\f.txt", u"", u"d:\\t\\b.ZIP", u"sub\\f.txt"},
      {u"/home/u/b.zip/sub/f.txt", u"", u"/home/u/b.zip", u"sub/f.txt"},
      {u"c:\\a\\b.cvz\\one.txt", u".cvz\\", u"c:\\a\\b.cvz", u"one.txt"},
      {u"c:\\a\\b.txt", u"", u"", u""},
  };
  for (const auto& s : splits) {
    EXPECT_EQ(ZipFileFullFileName(s.name, s.marker), s.full) << Utf16ToUtf8(s.name);
    EXPECT_EQ(ZipFileWantedFileNameWithin(s.name, s.marker), s.within) << Utf16ToUtf8(s.name);
  }
  EXPECT_TRUE(IsWithinAZipFile(u"c:\\x.zip\\a.txt", u""));
  EXPECT_TRUE(IsWithinAZipFile(u"c:\\x.cvz|a.txt", u"|"));
  EXPECT_FALSE(IsWithinAZipFile(u"c:\\x.txt", u""));
  ScratchDir dir;  // a real file is never "within a zip", whatever its name
  std::filesystem::create_directory(dir.Path("real.zip"));
  WriteFile(dir.Path("real.zip/b.txt"), "x");
  EXPECT_FALSE(IsWithinAZipFile(dir.UPath("real.zip/b.txt"), u""));
  for (auto bad : {u"../x", u"a/../../x", u"/etc/passwd", u"\\x", u"c:\\x", u""})
    EXPECT_FALSE(IsSafeZipMemberName(bad)) << Utf16ToUtf8(bad);
  EXPECT_TRUE(IsSafeZipMemberName(u"sub/a..b.txt"));
}

// ---------------------------------------------------------------------------
// Zip members, against Info-ZIP

class ZipMembersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.Path("src/sub"));
    WriteFile(dir_.Path("src/one.txt"), "plain text\nsecond line\n");
    std::string utf16("\xff\xfe");
    PutUtf16(utf16, u"wide \u03b1\u03b2 text");
    WriteFile(dir_.Path("src/sub/wide.txt"), utf16);
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "line " + std::to_string(i) + " caf\xc3\xa9\n";
    WriteFile(dir_.Path("src/sub/big.txt"), big);
    Shell("cd " + dir_.Path("src") + " && echo 'my comment' | zip -q -r -z ../t.zip one.txt sub");
  }
  ScratchDir dir_;
};

TEST_F(ZipMembersTest, NamesCommentAndBytesMatchInfoZip) {
  TZipArchiveReader zip(dir_.UPath("t.zip"));
  EXPECT_EQ(zip.Comment(), u"my comment");
  const std::string listing = Shell("zipinfo -1 " + dir_.Path("t.zip"));
  std::string mine;
  for (Integer n = 1; n <= zip.MemberCount(); ++n) mine += Utf16ToUtf8(zip.MemberName(n)) + "\n";
  EXPECT_EQ(mine, listing);
  for (Integer n = 1; n <= zip.MemberCount(); ++n) {
    const std::string name = Utf16ToUtf8(zip.MemberName(n));
    std::string bytes;
    ASSERT_TRUE(zip.ReadMember(n, 1 << 30, bytes));
    EXPECT_EQ(bytes, Shell("unzip -p " + dir_.Path("t.zip") + " '" + name + "'")) << name;
  }
  EXPECT_EQ(zip.MemberName(0), u"");
  EXPECT_EQ(zip.MemberName(zip.MemberCount() + 1), u"");
  std::string capped;
  const Integer big = zip.IndexOfName(u"sub\\big.txt");
  ASSERT_GT(big, 0);
  EXPECT_FALSE(zip.ReadMember(big, 1000, capped));  // over the cap: refused, not cut
  EXPECT_TRUE(capped.empty());
}

TEST_F(ZipMembersTest, MembersAsText) {
  const string zip = dir_.UPath("t.zip");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip + u"/one.txt"), u"plain text\nsecond line\n");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip + u"\\SUB\\wide.txt"), u"wide \u03b1\u03b2 text");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip + u"/sub/../one.txt"), u"");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip + u"/nothing.txt"), u"");
  TZipArchiveReader reader(zip);
  const Integer wide = reader.IndexOfName(u"sub/wide.txt");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip, wide), u"wide \u03b1\u03b2 text");
  EXPECT_EQ(ContentsOfFileWithinZipFile(zip, 0), u"");
  EXPECT_THROW(ContentsOfFileWithinZipFile(dir_.UPath("missing.zip"), 1), EZipError);
  WriteFile(dir_.Path("fake.zip"), "not a zip at all");
  EXPECT_THROW(ContentsOfFileWithinZipFile(dir_.UPath("fake.zip"), 1), EZipError);
}

TEST_F(ZipMembersTest, TempFileIsFreshPrivateAndNeverFollowsLinks) {
  const string zip = dir_.UPath("t.zip");
  const string base = dir_.UPath("tmp");
  std::filesystem::create_directory(dir_.Path("tmp"));
  TZipArchiveReader reader(zip);
  const Integer one = reader.IndexOfName(u"one.txt");
  const string path = OpenedAZipFileToTempDir(zip, one, base);
  ASSERT_FALSE(path.empty());
  const std::string folder = dir_.Path("tmp/cvane7-" + std::to_string(::getuid()));
  EXPECT_EQ(Utf16ToUtf8(path), folder + "/tempzip.txt");
  struct stat st;
  ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  std::string want("\xff\xfe");
  PutUtf16(want, u"plain text\nsecond line\n");
  EXPECT_EQ(ReadFile(Utf16ToUtf8(path)), want);

  // A member that is not there: no path, and no stale text left behind.
  EXPECT_EQ(OpenedAZipFileToTempDir(zip, 99, base), u"");
  EXPECT_FALSE(std::filesystem::exists(Utf16ToUtf8(path)));

  // A planted link is removed, not written through.
  WriteFile(dir_.Path("victim"), "precious");
  ASSERT_EQ(::symlink(dir_.Path("victim").c_str(), (folder + "/tempzip.txt").c_str()), 0);
  ASSERT_FALSE(OpenedAZipFileToTempDir(zip, one, base).empty());
  EXPECT_EQ(ReadFile(dir_.Path("victim")), "precious");
  EXPECT_EQ(ReadFile(folder + "/tempzip.txt"), want);

  // A folder that is a link, or open to others, is refused.
  std::filesystem::remove_all(folder);
  std::filesystem::create_directory(dir_.Path("elsewhere"));
  ASSERT_EQ(::symlink(dir_.Path("elsewhere").c_str(), folder.c_str()), 0);
  EXPECT_EQ(OpenedAZipFileToTempDir(zip, one, base), u"");
  std::filesystem::remove(folder);
  ::mkdir(folder.c_str(), 0755);
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(OpenedAZipFileToTempDir(zip, one, base), u"");
}

TEST(ZipWriterTest, WrittenArchivesReadBackWithUnzip) {
  ScratchDir dir;
  {
    TZipArchiveWriter w(dir.UPath("b.zip"));
    w.SetComment(u"CVane Batch file .cnc");
    w.AddMember(u"first.cnc", "one");
    w.AddMember(u"sub\\second.cnc", std::string(100000, 'z'));
    EXPECT_THROW(w.AddMember(u"../evil", "x"), EZipError);
    w.Commit();
  }
  EXPECT_EQ(Shell("unzip -z " + dir.Path("b.zip") + " | tail -1"), "CVane Batch file .cnc\n");
  EXPECT_EQ(Shell("unzip -p " + dir.Path("b.zip") + " first.cnc"), "one");
  EXPECT_EQ(Shell("unzip -p " + dir.Path("b.zip") + " sub/second.cnc | wc -c"), "100000\n");
  {
    TZipArchiveWriter abandoned(dir.UPath("never.zip"));
    abandoned.AddMember(u"x", "y");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("never.zip")));
}

}  // namespace
}  // namespace cv

#include "files/wingenok_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/file_ops.h"
#include "files/wingenok.h"
#include "platform/process.h"
#include "platform/utf.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

class Folders : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cv_paths_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
    SetMessageBoxHandler(nullptr);
  }
  void Touch(const std::string& leaf) {
    fs::create_directories(fs::path(dir_ + "/" + leaf).parent_path());
    std::ofstream(dir_ + "/" + leaf) << "x";
  }
  void MkDir(const std::string& leaf) { fs::create_directories(dir_ + "/" + leaf); }
  string N(const std::string& leaf = "") const { return Utf8ToUtf16(leaf.empty() ? dir_ : dir_ + "/" + leaf); }
  std::string dir_;
};

std::vector<std::string> g_asked;
int g_answer = 2;
int Answer(std::u16string_view text, std::u16string_view caption, Cardinal) {
  g_asked.push_back(Utf16ToUtf8(caption) + ": " + Utf16ToUtf8(text));
  return g_answer;
}
void AnswerWith(int a) {
  g_answer = a;
  g_asked.clear();
  SetMessageBoxHandler(Answer);
}

std::string Lines(const TStringList& l) { return Utf16ToUtf8(l.Text()); }

TEST(StoredNames, MacrosRoundTrip) {
  // Paths on the root volume, away from every mount point.
  const string base = u"/cv-no-such/corpus/";
  struct Case {
    const char16_t* fname;
    const char16_t* stored;
  } cases[] = {
      {u"/cv-no-such/corpus/a/b.txt", u"$userdir/a/b.txt"},
      {u"/cv-no-such/other/x.txt", u"$user_drive/cv-no-such/other/x.txt"},
      {u"/cv-no-such/corpus/", u"$user_drive/cv-no-such/corpus/"},
      {u"/proc/on-another-volume.txt", u"/proc/on-another-volume.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertedUserFolderInFilename(base, c.fname, true), c.stored) << Utf16ToUtf8(c.fname);
    EXPECT_EQ(ConvertedFilenameFromUserDirFName(base, c.stored), c.fname) << Utf16ToUtf8(c.stored);
  }
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/cv-no-such/work", u"$userdir/a/b.txt"), u"/cv-no-such/work/a/b.txt");
  // Names stored by the Windows tools.
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/cv-no-such/work/", u"$userdir\\a\\b.txt"), u"/cv-no-such/work/a/b.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/cv-no-such/work/", u"$user_drive\\x\\y.txt"), u"/x/y.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/cv-no-such/work/", u"$user_drivez.txt"), u"/z.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/w/", u"/plain.txt"), u"/plain.txt");
  // The program's base is the home folder.
  const string home = ProgramBaseFolder();
  EXPECT_EQ(ConvertedAppFolderInFilename(ConvertedAppFolderInFilename(home + u"q/r.txt", true), false), home + u"q/r.txt");
  EXPECT_EQ(ConvertedAppFolderInFilename(home + u"q/r.txt", true), u"$userdir/q/r.txt");
  TStringList l;
  l.Add(home + u"s.txt");
  CheckUserDirConstFolder(l, true);
  EXPECT_EQ(l[0], u"$userdir/s.txt");
  const string drive = ProgramDrive();
  EXPECT_EQ(ConvertedFilenameIfUserDrive(ConvertedFilenameIfUserDrive(home + u"t.txt", true), false), home + u"t.txt");
  EXPECT_EQ(ConvertedFilenameIfUserDrive(u"$user_drive/t.txt", false), drive + u"/t.txt");
}

TEST(PathPieces, Table) {
  EXPECT_EQ(FileFilterWithinFilterText(u""), u"*.*");
  EXPECT_EQ(FileFilterWithinFilterText(u"Plain text files (*.txt)"), u"*.txt");
  EXPECT_EQ(FileFilterWithinFilterText(u") odd (x"), u") odd (x");
  EXPECT_EQ(PathDelimiterCount(u"/a/b/c.txt"), 3);
  EXPECT_EQ(NameUpToXPathDelimiters(u"/a/b/c.txt", 3), u"/a/b");
  EXPECT_EQ(NameUpToXPathDelimiters(u"/a/b/c.txt", 2), u"/a");
  EXPECT_EQ(NameUpToXPathDelimiters(u"/a/b/c.txt", 4), u"");
  EXPECT_EQ(CleanedUpFilename(u"/x/y/a?b*.txt"), u"ab.txt");
  EXPECT_EQ(CleanedUpFilename(u"C:\\x\\<q>|\"[1]^+=.txt\x01"), u"q1.txt");
  EXPECT_EQ(RemoveDotsFromFilename(u"a.b.c"), u"abc");
  EXPECT_EQ(NewSubFolderFrom(u"/base/sub/deeper/f.txt", u"/base"), u"sub/deeper/");
  EXPECT_EQ(NewSubFolderFrom(u"/base/f.txt", u"/base/"), u"");
  EXPECT_EQ(ExpandFileName(u"/a/./b/../c//d/"), u"/a/c/d/");
  EXPECT_EQ(ExpandFileName(u"/../.."), u"/");
  EXPECT_EQ(NormalisedPath(u"/a/b/../c/"), u"/a/c");
  EXPECT_EQ(NormalisedPath(u"ab"), u"ab");
  EXPECT_TRUE(FolderProposedIsOriginalFolder(u"/a/b/x.txt", u"/a/./b/y.txt"));
  EXPECT_FALSE(FolderProposedIsOriginalFolder(u"/a/b/x.txt", u"/a/B/y.txt"));
  EXPECT_FALSE(FolderProposedIsOriginalFolder(u"", u"/a/y.txt"));
  maxpathwidechar buf;
  EXPECT_TRUE(NormalisedPathW(u"/a/b/", buf));
  EXPECT_EQ(FixedText(buf), u"/a/b");
  EXPECT_FALSE(NormalisedPathW(u"/" + string(300, u'x'), buf));  // refused, not cut
  EXPECT_EQ(FixedText(buf), u"");
}

TEST(Volumes, MountTableAndQueries) {
  const std::string text =
      "22 1 0:21 / /proc rw - proc proc rw\n"
      "29 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 29 8:17 / /media/my\\040stick rw master:3 - vfat /dev/sdb1 rw\n"
      "garbage line\n"
      "31 29 0:40 / /mnt/share rw - cifs //server/share rw\n"
      "32 29 0:41 / /short\n";
  const std::vector<TMountInfo> m = ParseMountInfo(text);
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[2].mount_point, u"/media/my stick");
  EXPECT_EQ(m[2].fs_type, u"vfat");
  EXPECT_EQ(m[3].source, u"//server/share");
  EXPECT_TRUE(IsRemoteVolume(m[3]));
  EXPECT_FALSE(IsRemoteVolume(m[1]));

  EXPECT_TRUE(IsMountRoot(u"/"));
  EXPECT_TRUE(IsMountRoot(u"/proc"));
  EXPECT_FALSE(IsMountRoot(u"/proc/self"));
  EXPECT_GE(NumberOfDrives(), 1);
  EXPECT_TRUE(ValidDrive(u"/"));
  EXPECT_FALSE(ValidDrive(u"/proc"));
  EXPECT_NE(DriveBits, 0u);
  const string best = DriveWithMostFreeSpace();
  if (!best.empty()) {
    EXPECT_EQ(best.back(), u'/');
  }
  EXPECT_EQ(NumberOfNetworkDrives() == 0, AllNetworkDrives().empty());
  const string id = VolumeID(u"/");
  ASSERT_GE(id.size(), 2u);
  EXPECT_EQ(id.front(), u'[');
  EXPECT_EQ(id.back(), u']');
  EXPECT_EQ(NetworkVolume(u"/"), id);
}

TEST_F(Folders, ListingKeepsCaseSkipsHiddenAndDoesNotFollowLinks) {
  MkDir("Beta/Gamma");
  MkDir("alpha");
  MkDir(".svn/inner");
  Touch("Beta/file.TXT");
  Touch("alpha/x.txt");
  Touch(".hidden.txt");
  // A link back up the tree would make an endless walk if followed.
  ASSERT_EQ(symlink(dir_.c_str(), (dir_ + "/Beta/Gamma/loop").c_str()), 0);
  auto subs = ListOfSubFolders(N(), true);
  EXPECT_EQ(Lines(*subs), dir_ + "\r\n" + dir_ + "/alpha\r\n" + dir_ + "/Beta\r\n" + dir_ + "/Beta/Gamma\r\n");
  EXPECT_EQ(ListOfSubFolders(N(), false)->Count(), 1);

  auto files = ListOfAllFilesIn(N("Beta"), u"*.txt");
  EXPECT_EQ(Lines(*files), dir_ + "/Beta/file.TXT\r\n");
  EXPECT_EQ(ListOfAllFilesIn(N(), u"*.txt")->Count(), 0);  // hidden files are left out

  Touch("alpha/x.bak");
  Touch("alpha/x.b");
  Touch("alpha/y.bak");
  EXPECT_EQ(Lines(*ListOfAllFilesMatchingExt(N("alpha/x.txt"), u".b*", false)),
            dir_ + "/alpha/x.b\r\n" + dir_ + "/alpha/x.bak\r\n");
  EXPECT_EQ(ListOfAllFilesMatchingExt(N("alpha/x.txt"), u".*", true)->Count(), 3);
}

TEST_F(Folders, PruningEmptyFolders) {
  MkDir("keep/empty1/empty2");
  MkDir("gone/a/b");
  MkDir("only_hidden");
  Touch("keep/file.txt");
  Touch("only_hidden/.dotfile");
  EXPECT_TRUE(RemovedEmptyFolder(N("keep")));  // holds a file: left, and true
  EXPECT_TRUE(fs::exists(dir_ + "/keep"));
  EXPECT_TRUE(RemovedEmptyFolder(N("missing")));
  EXPECT_FALSE(RemovedEmptyFolder(N("only_hidden")));  // counts as empty, but removing fails
  EXPECT_TRUE(fs::exists(dir_ + "/only_hidden/.dotfile"));
  auto visited = RemoveAllEmptyFolders(N());
  EXPECT_GE(visited->Count(), 7);
  EXPECT_FALSE(fs::exists(dir_ + "/gone"));
  EXPECT_FALSE(fs::exists(dir_ + "/keep/empty1"));
  EXPECT_TRUE(fs::exists(dir_ + "/keep/file.txt"));
  EXPECT_TRUE(RemovedEmptyFolder(u"/proc/self/fdinfo/no-such"));
  EXPECT_TRUE(FolderIsEmpty(N("only_hidden")));
  EXPECT_FALSE(FolderIsEmpty(N("keep")));
}

TEST_F(Folders, DeletingAllFilesOfOneKind) {
  Touch("a.tmp");
  Touch("b.tmp");
  Touch("keep.txt");
  Touch("sub/c.tmp");
  Touch("sub/.d.tmp");
  AnswerWith(2);  // Cancel
  EXPECT_EQ(DeleteAllFilesOn(N(), u".tmp"), 0);
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(g_asked[0], "Sure?: File(s) already found there.\rDelete all 3 .tmp files in " + dir_ + "?");
  EXPECT_TRUE(fs::exists(dir_ + "/a.tmp"));

  // The root and mount roots are refused, and so are patterns that climb.
  AnswerWith(1);
  EXPECT_EQ(DeleteAllFilesOn(u"/", u"tmp"), 0);
  EXPECT_EQ(g_asked.back(), "No Way!: Won't delete all files on /");
  EXPECT_EQ(DeleteAllFilesOn(u"/proc", u"tmp"), 0);
  EXPECT_EQ(DeleteAllFilesOn(N("sub"), u"/../a.tmp"), 0);
  EXPECT_TRUE(fs::exists(dir_ + "/a.tmp"));

  MkDir("target");
  EXPECT_EQ(DeleteAllFilesOn(N("sub"), u"tmp", N("target"), false, false, true), 1);
  EXPECT_TRUE(fs::exists(dir_ + "/target/c.tmp"));
  EXPECT_FALSE(fs::exists(dir_ + "/sub/c.tmp"));
  EXPECT_EQ(g_asked.back(), "Sure?: File(s) already found there.\rDelete the one .tmp file in " + dir_ + "/sub?");

  EXPECT_EQ(DeleteAllFilesOn(N(), u"tmp"), 3);  // a, b, target/c; the hidden one stays
  EXPECT_TRUE(fs::exists(dir_ + "/keep.txt"));
  EXPECT_TRUE(fs::exists(dir_ + "/sub/.d.tmp"));
  EXPECT_FALSE(fs::exists(dir_ + "/target"));  // emptied, then removed
}

}  // namespace
}  // namespace cv

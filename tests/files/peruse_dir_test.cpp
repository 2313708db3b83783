#include "files/peruse_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "files/file_names.h"
#include "platform/utf.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& cmd) {
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return {};
  std::string out;
  char buf[1 << 14];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

std::set<std::string> LinesOf(const std::string& text) {
  std::set<std::string> s;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t nl = text.find('\n', at);
    if (nl == std::string::npos) nl = text.size();
    if (nl > at) s.insert(text.substr(at, nl - at));
    at = nl + 1;
  }
  return s;
}

// Every accepted file below root (the root included), as the tools collect
// them: each reported folder listed in turn.
std::set<std::string> Walk(TPeruseDir& w, const std::string& root, std::vector<std::string>* order = nullptr) {
  std::vector<string> folders{Utf8ToUtf16(root)};
  w.OnFoundDir = [&](const string& d) { folders.push_back(d); };
  w.ProcessAllSubDirectories(Utf8ToUtf16(root));
  std::set<std::string> found;
  for (const string& f : folders) {
    TFolderful folder(f);
    folder.FillList(w);
    for (Integer i = 0; i < folder.Count(); ++i) {
      found.insert(Utf16ToUtf8(folder.fGetAFullname(i)));
      if (order) order->push_back(Utf16ToUtf8(folder.fGetAShortName(i)));
    }
  }
  return found;
}

class Walker : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cv_walk_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void Touch(const std::string& leaf, const std::string& text = "x") {
    fs::create_directories(fs::path(dir_ + "/" + leaf).parent_path());
    std::ofstream(dir_ + "/" + leaf) << text;
  }
  std::string dir_;
};

TEST(WalkerOnARealTree, FindsWhatFindFinds) {
  const std::string root = "/usr/share/doc";
  if (!fs::exists(root)) GTEST_SKIP() << root << " missing";
  TPeruseDir w(u"*.GZ;copyright", u"*", u"", u"", u"", false, false, false, false, false);
  const std::set<std::string> ours = Walk(w, root);
  const std::set<std::string> theirs = LinesOf(Shell(
      "find " + root +
      " -mindepth 1 -name '.*' -prune -o \\( -type f -o \\( -type l -xtype f \\) \\) "
      "\\( -iname '*.gz' -o -iname copyright \\) -print"));
  EXPECT_GT(theirs.size(), 100u);
  EXPECT_EQ(ours, theirs);
}

TEST_F(Walker, OrderHiddenFilesAndExcludedFolders) {
  Touch("b.txt");
  Touch("A.htm");
  Touch("a.TXT");
  Touch(".hidden.txt");
  Touch("._mac.txt");
  Touch("old.bak.txt");
  Touch("x.bak");
  Touch("data/temp/t.txt");
  Touch("data/temp/deeper/u.txt");
  Touch("data/temporary/v.txt");
  Touch(".svn/w.txt");
  ASSERT_EQ(symlink("..", (dir_ + "/data/loop").c_str()), 0);  // would never end if followed
  ASSERT_EQ(symlink((dir_ + "/b.txt").c_str(), (dir_ + "/linked.txt").c_str()), 0);
  ASSERT_EQ(mkfifo((dir_ + "/pipe.txt").c_str(), 0600), 0);

  TPeruseDir w(u"*.txt;*.htm;", u"*", u"", u"temp", u".bak", true, false, false, false, false);
  std::vector<std::string> order;
  TMySearchRecList top;
  EXPECT_TRUE(w.HandleAllFilesIn(Utf8ToUtf16(dir_), &top));
  for (Integer i = 0; i < top.Count(); ++i) order.push_back(Utf16ToUtf8(top.GetAMySearchRec(i).ShortName));
  // Masks in the order given, names by upper-cased name; "._" files, hidden
  // and special files are left out; the link to a file is a file.
  EXPECT_EQ(order, (std::vector<std::string>{"a.TXT", "b.txt", "linked.txt", "old.bak.txt", "A.htm"}));

  const std::set<std::string> all = Walk(w, dir_);
  EXPECT_EQ(all.count(dir_ + "/data/temporary/v.txt"), 1u);
  EXPECT_EQ(all.count(dir_ + "/data/temp/t.txt"), 0u);
  EXPECT_EQ(all.count(dir_ + "/data/temp/deeper/u.txt"), 0u);
  EXPECT_EQ(all.count(dir_ + "/.svn/w.txt"), 0u);
  EXPECT_EQ(w.SubDirsFound(), 2);  // data, data/temporary

  TPeruseDir hidden(u"*.txt", u"*", u"", u"", u"", false, false, false, true, true);
  TMySearchRecList with;
  hidden.HandleAllFilesIn(Utf8ToUtf16(dir_), &with);
  EXPECT_EQ(with.Count(), 7);  // now also .hidden.txt, ._mac.txt and the pipe
}

TEST_F(Walker, ZipMembersAgreeWithZipinfoAndBadArchivesHideNothing) {
  if (Shell("command -v zip zipinfo python3").empty()) GTEST_SKIP() << "zip, zipinfo or python3 missing";
  Touch("src/a.txt", "alpha");
  Touch("src/sub/B.TXT", "beta");
  Touch("src/c.dat", "gamma");
  Touch("plain.txt");
  Shell("cd '" + dir_ + "/src' && zip -q -r ../good.zip . && cd .. && zip -q other.zip plain.txt");
  std::ofstream(dir_ + "/bad.zip") << "PK\x03\x04 this is not really an archive";
  Shell("python3 -c \"import zipfile; z=zipfile.ZipFile('" + dir_ +
        "/evil.zip','w'); z.writestr('../escape.txt','x'); z.writestr('/abs.txt','x'); z.writestr('ok.txt','x')\"");

  TPeruseDir w(u"*.txt", u"", u"*.txt", u"", u"", false, true, false, false, false);
  int problems = 0;
  w.OnZipProblem = [&](void* sender) {
    EXPECT_EQ(sender, &w);
    ++problems;
  };
  TMySearchRecList list;
  EXPECT_TRUE(w.HandleAllFilesIn(Utf8ToUtf16(dir_), &list));
  EXPECT_EQ(problems, 2);  // the damaged archive and the one with unsafe names

  std::set<std::string> ours;
  for (Integer i = 0; i < list.Count(); ++i) {
    const TMySearchRec r = list.GetAMySearchRec(i);
    if (r.Number_Within_Zip > 0) ours.insert(Utf16ToUtf8(r.ShortName));
  }
  std::set<std::string> theirs;
  for (const char* z : {"evil.zip", "good.zip", "other.zip"}) {
    for (const std::string& m : LinesOf(Shell("zipinfo -1 '" + dir_ + "/" + z + "'"))) {
      std::string low = m;
      std::transform(low.begin(), low.end(), low.begin(), ::tolower);
      const bool unsafe = m[0] == '/' || m.find("..") != std::string::npos;
      if (low.size() > 4 && low.compare(low.size() - 4, 4, ".txt") == 0 && !unsafe)
        theirs.insert(dir_ + "/" + z + "/" + m);
    }
  }
  EXPECT_EQ(ours, theirs);
  EXPECT_EQ(w.ZipsExamined(), 3);
  EXPECT_EQ(w.TotalFilesInZips(), static_cast<Integer>(theirs.size()));
  // Zip members come first; the ordinary file is still listed after the bad archive.
  EXPECT_EQ(list.GetAMySearchRec(list.Count() - 1).ShortName, u"plain.txt");
  EXPECT_EQ(list.GetAMySearchRec(0).Number_Within_Zip > 0, true);

  // An empty member mask opens and counts the archives but takes nothing.
  TPeruseDir none(u"*.txt", u"", u"", u"", u"", false, true, false, false, false);
  TMySearchRecList only_files;
  none.HandleAllFilesIn(Utf8ToUtf16(dir_), &only_files);
  EXPECT_EQ(only_files.Count(), 1);
  EXPECT_EQ(none.ZipsExamined(), 3);
  // Archives listed like any other file.
  TPeruseDir as_files(u"*.zip", u"", u"", u"", u"", false, false, true, false, false);
  TMySearchRecList zips;
  as_files.HandleAllFilesIn(Utf8ToUtf16(dir_), &zips);
  EXPECT_EQ(zips.Count(), 4);
  EXPECT_EQ(zips.GetAMySearchRec(0).Number_Within_Zip, 0);
}

TEST_F(Walker, LargeFilesAndStopping) {
  Touch("big.txt");
  fs::resize_file(dir_ + "/big.txt", (Int64(3) << 30));  // sparse: 3 GiB
  TPeruseDir w(u"*.txt", u"*", u"", u"", u"", false, false, false, false, false);
  TMySearchRecList list;
  w.HandleAllFilesIn(Utf8ToUtf16(dir_), &list);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetAMySearchRec(0).Size, INT32_MAX);

  Touch("s1/a/x.txt");
  Touch("s2/x.txt");
  std::vector<string> seen;
  w.OnFoundDir = [&](const string& d) {
    seen.push_back(d);
    w.SetPeruse_Processing_Files(false);
  };
  w.ProcessAllSubDirectories(Utf8ToUtf16(dir_));
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_FALSE(w.HandleAllFilesIn(Utf8ToUtf16(dir_), &list));
  EXPECT_EQ(list.Count(), 1);
}

TMySearchRec Rec(const char16_t* name, TDateTime date, Integer size, Integer attr = 0x20) {
  TMySearchRec r;
  r.ShortName = name;
  r.DateTime = date;
  r.Size = size;
  r.Attr = attr;
  return r;
}

TEST(SearchRecLists, SortFindAndStore) {
  TFolderful f(u"/x");
  EXPECT_EQ(f.DirName(), u"/x/");
  TMySearchRecList& l = *f.ListOfFiles();
  l.AddRec(Rec(u"b.htm", 3, 30));
  l.AddRec(Rec(u"A.txt", 1, 10));
  l.AddRec(Rec(u"c.txt", 2, -5));
  l.AddRec(Rec(u"d.htm", 2, 20));
  auto names = [&] {
    std::string s;
    for (Integer i = 0; i < l.Count(); ++i) s += static_cast<char>(l.GetAMySearchRec(i).ShortName[0]);
    return s;
  };
  struct Case {
    TMySearchRecSort sort;
    const char* order;
  } cases[] = {{sr_sort_by_name, "Abcd"}, {sr_sort_by_date, "bcdA"}, {sr_sort_by_size, "cAdb"},
               {sr_sort_by_extension, "dbcA"}};
  for (const Case& c : cases) {
    f.fSetSort(c.sort);
    EXPECT_EQ(names(), c.order) << c.sort;
    EXPECT_EQ(f.CurrentSort(), c.sort);
    for (Integer i = 0; i < l.Count(); ++i) EXPECT_EQ(l.Find(l.GetAMySearchRec(i)), i) << c.sort;
    EXPECT_EQ(l.Find(Rec(u"a.txt", 1, 10)), -1);  // names are compared case-sensitively
  }
  EXPECT_EQ(f.GetAFileSize(99), -1);
  EXPECT_EQ(f.fGetAFullname(0), u"/x/d.htm");
  EXPECT_EQ(f.fGetAShortName(-1), u"");

  f.set_dirnum(7);
  f.SetStarts(-1);
  TMemoryStream ms;
  f.SaveToStream(ms);
  f.SaveToStream(ms);  // folders follow one another
  ms.SetPosition(0);
  for (int round = 0; round < 2; ++round) {
    TFolderful back(u"/other");
    back.ReadFromStream(ms);
    EXPECT_EQ(back.DirName(), u"/x/");
    EXPECT_EQ(back.dirnum(), 7);
    EXPECT_EQ(back.Starts(), -1);
    EXPECT_EQ(back.CurrentSort(), sr_sort_by_extension);
    ASSERT_EQ(back.Count(), 4);
    for (Integer i = 0; i < 4; ++i) EXPECT_EQ(back.fGetAShortName(i), f.fGetAShortName(i));
    EXPECT_EQ(back.fGetASearchRec(2).Size, -5);
    EXPECT_EQ(back.ListOfFiles()->Find(f.fGetASearchRec(3)), 3);  // a scan: the list's order is unknown
  }

  // Damaged copies: shortened, an impossible count, an impossible length.
  const std::string good(ms.Bytes().substr(0, ms.Size() / 2));
  std::vector<std::string> bad;
  bad.push_back(good.substr(0, good.size() - 3));
  std::string huge_count = good;
  const std::size_t count_at = 1 + 12 + 4 + 2 * 3;
  huge_count[count_at + 3] = '\x10';
  bad.push_back(huge_count);
  std::string huge_len = good;
  huge_len[13 + 3] = '\x7F';
  bad.push_back(huge_len);
  std::string bad_sort = good;
  bad_sort[0] = '\x09';
  bad.push_back(bad_sort);
  for (const std::string& b : bad) {
    TBytesStream s(b);
    TFolderful back(u"/y");
    EXPECT_ANY_THROW(back.ReadFromStream(s));
    EXPECT_EQ(back.DirName(), u"/y/");
  }
  f.Clear();
  EXPECT_EQ(f.Count(), 0);
  EXPECT_TRUE(f.Empty());
  EXPECT_EQ(f.fGetAShortName(0), u"");
}

TEST_F(Walker, RenamingNeverReplacesAFile) {
  Touch("a.txt", "a");
  Touch("b.txt", "b");
  TPeruseDir w(u"*.txt", u"", u"", u"", u"", false, false, false, false, false);
  TFolderful f(Utf8ToUtf16(dir_));
  f.FillList(w);
  ASSERT_EQ(f.Count(), 2);
  EXPECT_THROW(f.fSetAFullName(0, Utf8ToUtf16(dir_ + "/b.txt")), EFileRenameError);
  EXPECT_EQ(f.fGetAShortName(0), u"a.txt");
  f.fSetAFullName(0, Utf8ToUtf16(dir_ + "/c.txt"));
  EXPECT_EQ(f.fGetAShortName(0), u"c.txt");
  EXPECT_TRUE(fs::exists(dir_ + "/c.txt"));
}

}  // namespace
}  // namespace cv

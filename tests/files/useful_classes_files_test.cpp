#include "files/useful_classes_files.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

TEST(FolderEfficientLists, FoldersAreStoredOnceAndKeepTheirSpelling) {
  TFolderEfficientFileStringlist l;
  EXPECT_EQ(l.AddOne(u"/a/x.txt"), 0);
  EXPECT_EQ(l.Add(u"/b/y.txt"), 1);
  EXPECT_EQ(l.AddOne(u"/a/z.txt"), 2);
  EXPECT_EQ(l.AddOne(u"/A/z.txt"), 3);  // another folder: names are case-sensitive
  ASSERT_EQ(l.folders.Count(), 3);
  EXPECT_EQ(l.folders[0], u"/a/");
  EXPECT_EQ(l.folders[2], u"/A/");
  EXPECT_EQ(l.GetFullFilename(2), u"/a/z.txt");
  EXPECT_EQ(l.GetFullFilename(3), u"/A/z.txt");
  EXPECT_EQ(l.GetFullFilename(-1), u"");
  EXPECT_EQ(l.GetFullFilename(4), u"");
  EXPECT_EQ(l.GetASimpleSearchRec(9).ShortName, u"");
  EXPECT_EQ(l.files.Get(9), u"");
  auto all = l.GetAsStringlist();
  EXPECT_EQ(all->Text(), u"/a/x.txt\r\n/b/y.txt\r\n/a/z.txt\r\n/A/z.txt\r\n");
  l.Delete(0);
  EXPECT_EQ(l.folders.Count(), 3);
  EXPECT_EQ(l.GetFullFilename(0), u"/b/y.txt");
  l.Clear();
  EXPECT_EQ(l.AddOne(u"/c/w.txt"), 0);
  EXPECT_EQ(l.GetASimpleSearchRec(0).folder_number, 0);
}

TEST(FolderEfficientLists, LookupsCompareTheFolder) {
  TFolderEfficientFileStringlist l;
  l.AddOne(u"/a/same.txt");
  l.AddOne(u"/b/same.txt");
  EXPECT_EQ(l.IndexOfShortName(u"same.txt"), 0);
  EXPECT_EQ(l.IndexOfShortName(u"SAME.TXT"), -1);
  EXPECT_EQ(l.IndexOfFullName(u"/b/same.txt"), 1);
  EXPECT_EQ(l.IndexOfFullName(u"/a/same.txt"), 0);
  EXPECT_EQ(l.IndexOfFullName(u"/c/same.txt"), -1);
  EXPECT_EQ(l.IndexOfFullName(u"/a/other.txt"), -1);
  l.SetFullFilename(1, u"/c/renamed.txt");
  EXPECT_EQ(l.GetASimpleSearchRec(1).ShortName, u"renamed.txt");
  EXPECT_EQ(l.files[1], u"renamed.txt");
  EXPECT_EQ(l.GetFullFilename(1), u"/c/renamed.txt");
  EXPECT_EQ(l.IndexOfFullName(u"/c/renamed.txt"), 1);
  l.SetFullFilename(7, u"/c/ignored.txt");
}

TEST(FolderEfficientLists, Sorting) {
  TFolderEfficientFileStringlist l;
  struct E {
    const char16_t* folder;
    const char16_t* name;
    TDateTime date;
    Integer size;
  } entries[] = {
      {u"/b/", u"b.txt", 100, 5}, {u"/a/", u"a.txt", 200, 5}, {u"/a/", u"c.txt", 100, 1}, {u"/b/", u"d.txt", 300, 9},
  };
  for (const E& e : entries) {
    TMySimpleSearchRec r;
    r.ShortName = e.name;
    r.DateTime = e.date;
    r.Size = e.size;
    l.AddOne(string(e.folder), r);
  }
  auto order = [&] {
    string s;
    for (Integer i = 0; i < l.Count(); ++i) s += l.files.Get(i).substr(0, 1);
    return s;
  };
  l.DoASort(ss_date, ss_shortname, true);
  EXPECT_EQ(order(), u"dabc");  // newest first, same date by name
  l.DoASort(ss_date, ss_shortname, false);
  EXPECT_EQ(order(), u"cbad");
  l.DoASort(ss_size, ss_size, true);
  EXPECT_EQ(order(), u"cbad");  // by size alone; equal sizes keep their order
  l.DoASort(ss_folder, ss_date, true);
  EXPECT_EQ(order(), u"dbac");  // folder 0 is /b/, then newest first
  EXPECT_EQ(l.sort_1, ss_folder);
  EXPECT_EQ(l.sort_2, ss_date);
  l.DoASort(ss_none, ss_date, false);
  EXPECT_EQ(order(), u"dbac");
  EXPECT_EQ(l.GetFullFilename(2), u"/a/a.txt");
}

}  // namespace
}  // namespace cv

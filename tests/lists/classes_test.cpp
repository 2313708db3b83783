// The Classes layer: TList, the buffered file stream against a memory-stream
// model, TStringList's text forms and file encodings.
#include "platform/classes.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <random>

#include "platform/nls.h"
#include "platform/utf.h"
#include "test_support.h"

namespace cv {
namespace {

using testing_support::ReadFile;
using testing_support::Shell;
using testing_support::ScratchDir;
using testing_support::WriteFile;

int CompareIntPtrs(void* a, void* b) {
  const auto x = reinterpret_cast<std::intptr_t>(a), y = reinterpret_cast<std::intptr_t>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

void* P(std::intptr_t v) { return reinterpret_cast<void*>(v); }

TEST(TListTest, EditingOperationsAndBounds) {
  TList l;
  for (int i = 1; i <= 5; ++i) l.Add(P(i));
  l.Insert(0, P(9));       // 9 1 2 3 4 5
  l.Exchange(1, 5);        // 9 5 2 3 4 1
  l.Move(0, 5);            // 5 2 3 4 1 9
  l.Delete(1);             // 5 3 4 1 9
  l.SetItem(2, nullptr);   // 5 3 _ 1 9
  l.Pack();                // 5 3 1 9
  std::vector<std::intptr_t> got;
  for (int i = 0; i < l.Count(); ++i) got.push_back(reinterpret_cast<std::intptr_t>(l[i]));
  EXPECT_EQ(got, (std::vector<std::intptr_t>{5, 3, 1, 9}));
  EXPECT_EQ(l.IndexOf(P(1)), 2);
  EXPECT_EQ(l.IndexOf(P(77)), -1);
  EXPECT_THROW(l.Items(4), EListError);
  EXPECT_THROW(l.Insert(6, nullptr), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Move(0, 4), EListError);
}

TEST(TListTest, SortOrdersLikeStdSort) {
  std::mt19937 rng(7);
  std::vector<std::intptr_t> random(50000), sorted(100000), equal(100000, 42);
  for (auto& v : random) v = static_cast<std::intptr_t>(rng() % 1000);
  for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = static_cast<std::intptr_t>(i);
  for (auto* in : {&random, &sorted, &equal}) {
    TList l;
    for (auto v : *in) l.Add(P(v));
    l.Sort(CompareIntPtrs);
    std::vector<std::intptr_t> want = *in;
    std::sort(want.begin(), want.end());
    for (int i = 0; i < l.Count(); ++i) ASSERT_EQ(reinterpret_cast<std::intptr_t>(l[i]), want[static_cast<std::size_t>(i)]);
  }
}

// An organ-pipe input drives this quicksort to its worst case: every pass
// splits off one item.  Recursing into the smaller part keeps the stack
// shallow, so the sort runs on a 128 KiB stack where a depth of n would not.
TEST(TListTest, WorstCaseSortStaysWithinASmallStack) {
  struct Job {
    std::vector<std::intptr_t> out;
    static void* Run(void* p) {
      auto* job = static_cast<Job*>(p);
      TList l;
      const int n = 12000;
      for (int i = 0; i < n; ++i) l.Add(P(i < n / 2 ? i : n - i));
      l.Sort(CompareIntPtrs);
      for (int i = 0; i < l.Count(); ++i) job->out.push_back(reinterpret_cast<std::intptr_t>(l[i]));
      return nullptr;
    }
  } job;
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 128 * 1024);
  pthread_t t;
  ASSERT_EQ(pthread_create(&t, &attr, &Job::Run, &job), 0);
  pthread_join(t, nullptr);
  ASSERT_EQ(job.out.size(), 12000u);
  EXPECT_TRUE(std::is_sorted(job.out.begin(), job.out.end()));
}

// Random reads, writes, seeks and truncations on a TFileStream must give the
// same results as on a TMemoryStream, whatever the buffering does.
TEST(TFileStreamTest, BehavesLikeMemoryStreamUnderRandomOperations) {
  ScratchDir dir;
  std::mt19937 rng(12345);
  for (int round = 0; round < 4; ++round) {
    TMemoryStream model;
    {
      TFileStream f(dir.UPath("f.bin"), fmCreate);
      for (int op = 0; op < 3000; ++op) {
        const int kind = static_cast<int>(rng() % 10);
        // Mostly small fields, sometimes more than a buffer.
        const Int64 len = rng() % 20 == 0 ? 70000 + rng() % 100000 : rng() % 40;
        if (kind < 4) {
          std::string bytes(static_cast<std::size_t>(len), '\0');
          for (auto& c : bytes) c = static_cast<char>(rng());
          ASSERT_EQ(f.Write(bytes.data(), len), model.Write(bytes.data(), len));
        } else if (kind < 8) {
          std::string a(static_cast<std::size_t>(len), 'x'), b(static_cast<std::size_t>(len), 'y');
          const Int64 na = f.Read(a.data(), len), nb = model.Read(b.data(), len);
          ASSERT_EQ(na, nb) << "op " << op;
          ASSERT_EQ(a.substr(0, static_cast<std::size_t>(na)), b.substr(0, static_cast<std::size_t>(nb)));
        } else if (kind < 9 || model.Size() == 0) {
          const Int64 to = static_cast<Int64>(rng() % (model.Size() + 10));
          ASSERT_EQ(f.Seek(to, TSeekOrigin::soBeginning), model.Seek(to, TSeekOrigin::soBeginning));
        } else {
          const Int64 n = static_cast<Int64>(rng() % (model.Size() + 1));
          f.SetSize(n);
          model.SetSize(n);
        }
        ASSERT_EQ(f.Size(), model.Size());
        ASSERT_EQ(f.Position(), model.Position());
      }
    }
    ASSERT_EQ(ReadFile(dir.Path("f.bin")), std::string(model.Bytes()));
  }
}

TEST(TFileStreamTest, OpenModesAndShortTransfers) {
  ScratchDir dir;
  EXPECT_THROW(TFileStream(dir.UPath("missing"), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.UPath("no/such/dir/x"), fmCreate), EFCreateError);
  WriteFile(dir.Path("a"), "abc");
  TFileStream f(dir.UPath("a"), fmOpenRead | fmShareDenyWrite);
  char buf[8];
  EXPECT_THROW(f.ReadBuffer(buf, 4), EReadError);
  EXPECT_EQ(f.Write("z", 1), 0);  // read-only: nothing written
}

TEST(SaveFileAtomicallyTest, FailedWriterKeepsTheOldFile) {
  ScratchDir dir;
  WriteFile(dir.Path("keep"), "old");
  EXPECT_THROW(SaveFileAtomically(dir.UPath("keep"),
                                  [](TStream& s) {
                                    s.WriteBuffer("partial", 7);
                                    throw EWriteError(u"disk full");
                                  }),
               EWriteError);
  EXPECT_EQ(ReadFile(dir.Path("keep")), "old");
  EXPECT_EQ(Shell("ls " + dir.path() + " | wc -l"), "1\n");
}

// ---------------------------------------------------------------------------
// TStringList

std::vector<string> Lines(const TStringList& l) {
  std::vector<string> v;
  for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
  return v;
}

TEST(TStringListTest, TextSplitsOnEveryLineBreakKind) {
  TStringList l;
  l.SetText(u"a\r\nb\nc\rd\r\n\r\ne");
  EXPECT_EQ(Lines(l), (std::vector<string>{u"a", u"b", u"c", u"d", u"", u"e"}));
  EXPECT_EQ(l.Text(), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
  l.SetText(u"x\r\n");
  EXPECT_EQ(Lines(l), (std::vector<string>{u"x"}));
}

struct DelimitedCase {
  const char16_t* text;
  WideChar delimiter;
  bool strict;
  std::vector<string> items;
};

TEST(TStringListTest, DelimitedTextParsesAsDelphi) {
  const DelimitedCase cases[] = {
      {u"a,b,c", u',', false, {u"a", u"b", u"c"}},
      {u"  a , b ,c  ", u',', false, {u"a", u"b", u"c"}},
      {u"a b", u',', false, {u"a", u"b"}},  // blanks separate too when not strict
      {u"a b;c", u';', true, {u"a b", u"c"}},
      {u"\"x, y\",\"q\"\"uote\"", u',', false, {u"x, y", u"q\"uote"}},
      {u"a,", u',', false, {u"a", u""}},
      {u"a,,b", u',', true, {u"a", u"", u"b"}},
      {u"", u',', false, {}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetDelimiter(c.delimiter);
    l.SetStrictDelimiter(c.strict);
    l.SetDelimitedText(c.text);
    EXPECT_EQ(Lines(l), c.items) << Utf16ToUtf8(c.text);
  }
}

TEST(TStringListTest, CommaTextQuotesWhatNeedsItAndRoundTrips) {
  TStringList l;
  for (auto s : {u"plain", u"two words", u"with,comma", u"say \"hi\"", u""}) l.Add(s);
  EXPECT_EQ(l.CommaText(), u"plain,\"two words\",\"with,comma\",\"say \"\"hi\"\"\",");
  TStringList back;
  back.SetCommaText(l.CommaText());
  EXPECT_EQ(Lines(back), Lines(l));
  TStringList one;
  one.Add(u"");
  EXPECT_EQ(one.CommaText(), u"\"\"");
}

TEST(TStringListTest, NamesAndValues) {
  TStringList l;
  l.Add(u"colour=red");
  l.Add(u"no separator");
  l.Add(u"size=10=ten");
  EXPECT_EQ(l.Names(0), u"colour");
  EXPECT_EQ(l.Names(1), u"");
  EXPECT_EQ(l.ValueFromIndex(1), u"");
  EXPECT_EQ(l.Values(u"SIZE"), u"10=ten");  // case-insensitive by default
  l.SetValue(u"colour", u"blue");
  EXPECT_EQ(l[0], u"colour=blue");
  l.SetValue(u"colour", u"");
  EXPECT_EQ(l.IndexOfName(u"colour"), -1);
  l.SetValue(u"new", u"1");
  EXPECT_EQ(l[l.Count() - 1], u"new=1");
}

TEST(TStringListTest, SortedListsFindAndHonourDuplicates) {
  SetUserDefaultLCID(LCID_EN_US);
  TStringList l;
  l.SetSorted(true);
  for (auto s : {u"pear", u"Apple", u"banana", u"apple", u"cherry"}) l.Add(s);
  // Case-insensitive by default: "apple" is a duplicate of "Apple".
  EXPECT_EQ(Lines(l), (std::vector<string>{u"Apple", u"banana", u"cherry", u"pear"}));
  Integer at = -1;
  EXPECT_TRUE(l.Find(u"CHERRY", at));
  EXPECT_EQ(at, 2);
  EXPECT_FALSE(l.Find(u"blueberry", at));
  EXPECT_EQ(at, 2);
  l.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(l.Add(u"PEAR"), EStringListError);
  l.SetDuplicates(TDuplicates::dupAccept);
  l.Add(u"PEAR");
  EXPECT_EQ(l.Count(), 5);
  EXPECT_THROW(l.Insert(0, u"x"), EStringListError);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf(u"pear") >= 0, true);
  EXPECT_EQ(l.IndexOf(u"Pear"), -1);
}

TEST(TStringListTest, OwnedObjectsAreFreed) {
  static int freed = 0;
  {
    TStringList l(true);
    l.SetObjectDeleter([](void* p) {
      ++freed;
      delete static_cast<int*>(p);
    });
    l.AddObject(u"a", new int(1));
    l.AddObject(u"b", new int(2));
    l.AddObject(u"c", new int(3));
    l.Delete(0);
    EXPECT_EQ(freed, 1);
  }
  EXPECT_EQ(freed, 3);
}

// Files written in each encoding are what iconv reads, and read back whole.
TEST(TStringListTest, FileEncodingsAgreeWithIconv) {
  ScratchDir dir;
  TStringList l;
  l.Add(u"caf\u00e9 \u03b1\u03b2");
  l.Add(u"\u4e2d\u6587 \U0001F600");
  const std::string utf8 = "caf\xc3\xa9 \xce\xb1\xce\xb2\r\n\xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80\r\n";
  struct Case {
    TTextEncoding enc;
    const char* iconv_from;
    std::string bom;
  } cases[] = {{TTextEncoding::teUTF16LE, "UTF-16LE", "\xff\xfe"},
               {TTextEncoding::teUTF16BE, "UTF-16BE", "\xfe\xff"},
               {TTextEncoding::teUTF8, "UTF-8", "\xef\xbb\xbf"},
               {TTextEncoding::teUTF8NoBOM, "UTF-8", ""}};
  for (const auto& c : cases) {
    l.SaveToFile(dir.UPath("t.txt"), c.enc);
    const std::string bytes = ReadFile(dir.Path("t.txt"));
    ASSERT_EQ(bytes.substr(0, c.bom.size()), c.bom);
    WriteFile(dir.Path("body"), bytes.substr(c.bom.size()));
    EXPECT_EQ(Shell(std::string("iconv -f ") + c.iconv_from + " -t UTF-8 " + dir.Path("body")), utf8);
    TStringList back;
    back.LoadFromFile(dir.UPath("t.txt"), c.bom.empty() ? TTextEncoding::teUTF8NoBOM : TTextEncoding::teDetect);
    EXPECT_EQ(Lines(back), Lines(l));
  }
  // No mark: the ANSI code page (1252 unless set).
  WriteFile(dir.Path("ansi.txt"), "na\xefve\r\n\x80");
  TStringList ansi;
  ansi.LoadFromFile(dir.UPath("ansi.txt"));
  EXPECT_EQ(Lines(ansi), (std::vector<string>{u"na\u00efve", u"\u20ac"}));
  EXPECT_EQ(ansi.Encoding(), TTextEncoding::teAnsi);
}

}  // namespace
}  // namespace cv

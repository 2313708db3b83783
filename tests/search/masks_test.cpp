// File-name masks against the shell's own answers (PathMatchSpecW under Wine,
// fixtures/mask_expected.txt, made by fixtures/make_mask_fixture.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/utf.h"
#include "search/wide_masks.h"

namespace cv {
namespace {

std::string FixturePath(const char* name) {
  const char* src = std::getenv("CV_SOURCE_DIR");
  return std::string(src ? src : ".") + "/tests/search/fixtures/" + name;
}

TEST(MatchesMask, AgreesWithPathMatchSpecW) {
  std::ifstream in(FixturePath("mask_expected.txt"));
  ASSERT_TRUE(in) << "missing fixture";
  std::string line;
  int cases = 0;
  while (std::getline(in, line)) {
    const auto t1 = line.find('\t');
    const auto t2 = line.rfind('\t');
    ASSERT_NE(t1, t2) << line;
    const string name = Utf8ToUtf16(line.substr(0, t1));
    const string mask_list = Utf8ToUtf16(line.substr(t1 + 1, t2 - t1 - 1));
    const bool want = line.substr(t2 + 1) == "1";
    EXPECT_EQ(MatchesMask(name, mask_list), want) << line;
    ++cases;
  }
  EXPECT_GT(cases, 50);
}

TEST(MatchesMask, EmptyNameNeverMatches) {
  EXPECT_FALSE(MatchesMask(u"", u"*"));
  EXPECT_FALSE(MatchesMask(u"", u"*.*"));
}

TEST(MatchesMask, ManyStarsStayFast) {
  // A back-tracking matcher takes exponential time here.
  const string name(4000, u'a');
  string mask_list;
  for (int i = 0; i < 200; ++i) mask_list += u"*a";
  mask_list += u"*b";
  EXPECT_FALSE(MatchesMask(name, mask_list));
  EXPECT_TRUE(MatchesMask(name + u"b", mask_list));
}

TEST(BuildAMask, SplitsAtSemicolonsAndLineBreaks) {
  struct Case {
    const char16_t* in;
    std::vector<string> want;
  } cases[] = {
      {u"*.txt;*.htm", {u"*.txt", u"*.htm"}},
      {u"*.txt;;*.htm", {u"*.txt", u"", u"*.htm"}},
      {u"  *.txt\r\n*.htm\r\n", {u"*.txt", u"*.htm"}},
      {u"*.txt;", {u"*.txt"}},
      {u";*.txt", {u"", u"*.txt"}},
      {u"", {}},
  };
  for (const auto& c : cases) {
    std::vector<string> masks{u"stale"};
    BuildAMask(masks, c.in);
    EXPECT_EQ(masks, c.want) << Utf16ToUtf8(c.in);
  }
}

TEST(WhereInAMask, SkipsEmptyMasks) {
  std::vector<string> masks;
  BuildAMask(masks, u"*.txt;;*.htm");
  EXPECT_EQ(WhereInAMask(u"a.htm", masks), 2);
  EXPECT_EQ(WhereInAMask(u"A.TXT", masks), 0);
  EXPECT_EQ(WhereInAMask(u"a.doc", masks), -1);
  EXPECT_EQ(WhereInAMask(u"", masks), -1);
}

}  // namespace
}  // namespace cv

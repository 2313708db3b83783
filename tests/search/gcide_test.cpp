// The engine on real dictionary text against an independent regular
// expression search (grep -P, fixtures/make_gcide_fixture.sh), for a UTF-16
// and an 8-bit (cp1252) buffer; and its word count against wc -w.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <sstream>

#include "platform/utf.h"
#include "search/search_engines.h"
#include "search/search_parsing.h"
#include "text/code_pages.h"

namespace cv {
namespace {

std::string Gunzip(const char* name) {
  const char* src = std::getenv("CV_SOURCE_DIR");
  const std::string path = std::string(src ? src : ".") + "/tests/search/fixtures/" + name;
  gzFile f = gzopen(path.c_str(), "rb");
  EXPECT_NE(f, nullptr) << path;
  std::string out;
  if (!f) return out;
  char buf[65536];
  int n;
  while ((n = gzread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
  gzclose(f);
  return out;
}

// Hits that do not start inside the previous hit: what a regular expression
// search that resumes after each match reports.
std::vector<Integer> LeftmostNonOverlapping(const std::vector<std::pair<Integer, Integer>>& hits) {
  std::vector<Integer> out;
  Integer end = 0;
  for (auto [pos, len] : hits)
    if (pos >= end) {
      out.push_back(pos);
      end = pos + len;
    }
  return out;
}

TEST(RealText, HitsAgreeWithGrepAndWordsWithWc) {
  const std::string text8 = Gunzip("gcide_slice.txt.gz");
  const std::string expected = Gunzip("gcide_expected.txt.gz");
  ASSERT_GT(text8.size(), 100000u);
  const string text16 = Utf8ToUtf16(text8);  // ASCII only
  ASSERT_EQ(text16.size(), text8.size());
  const AnsiString text1252 = WideToMultiByte(1252, text16);

  std::istringstream in(expected);
  std::string line;
  Integer want_words = -1;
  int patterns = 0;
  while (std::getline(in, line)) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos);
    const std::string key = line.substr(0, tab);
    std::vector<Integer> want;
    std::istringstream nums(line.substr(tab + 1));
    for (Integer v; nums >> v;) want.push_back(v);
    if (key == "words") {
      want_words = want.at(0);
      continue;
    }
    for (bool unicode : {true, false}) {
      SCOPED_TRACE(key + (unicode ? " utf-16" : " cp1252"));
      TSearchAndDoEngine e(unicode, true, 0x0409);
      std::vector<std::pair<Integer, Integer>> hits;
      TSearchStatsRec stats;
      e.PrepareFirst(unicode ? static_cast<const void*>(text16.c_str()) : text1252.c_str(), 0, 0,
                     [&](void*, const TSearchFound_Rec& r) {
                       hits.emplace_back(r.hit_pos_in_characters, r.exact_hit_len);
                       return true;
                     },
                     [&](void*, const TSearchStatsRec& s) { stats = s; });
      string typed = Utf8ToUtf16(key);
      TSearch_word_format_rec rec;
      Parsed_SearchWord(TIgnore_tag_type{}, typed, rec);
      ASSERT_TRUE(e.SearchAndDo(&rec));
      // grep reads line by line: a phrase hit across a line end is ours alone.
      std::vector<std::pair<Integer, Integer>> in_line;
      for (auto h : hits)
        if (text8.find('\n', static_cast<std::size_t>(h.first)) >= static_cast<std::size_t>(h.first + h.second))
          in_line.push_back(h);
      EXPECT_EQ(LeftmostNonOverlapping(in_line), want);
      if (key == "of the") EXPECT_GT(hits.size(), in_line.size());
      // wc -w also counts a word at the very start of the text.
      const Integer leading = (text8[0] != ' ' && text8[0] != '\n' && text8[0] != '\t') ? 1 : 0;
      EXPECT_EQ(stats.number[word_stats] + leading, want_words);
    }
    ++patterns;
  }
  EXPECT_EQ(patterns, 8);
}

}  // namespace
}  // namespace cv

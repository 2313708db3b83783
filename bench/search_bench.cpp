// The search engine over large texts.  Inputs come from the environment
// (bench/run_search_bench.sh makes them):
//   CV_SEARCH_BENCH_UTF16  a UTF-16LE text without byte-order mark;
//   CV_SEARCH_BENCH_ANSI   the same text in cp1252.
// Each benchmark reports the hits it found, to compare with the peers.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "search/search_engines.h"
#include "search/search_parsing.h"
#include "text/char_details.h"
#include "text/char_types.h"

namespace cv {
namespace {

std::string ReadAll(const char* env) {
  const char* p = std::getenv(env);
  if (!p) return {};
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

const string& Utf16Text() {
  static const string text = [] {
    const std::string b = ReadAll("CV_SEARCH_BENCH_UTF16");
    string t(b.size() / 2, u'\0');
    for (std::size_t i = 0; i < t.size(); ++i)
      t[i] = static_cast<char16_t>(static_cast<unsigned char>(b[2 * i]) | (static_cast<unsigned char>(b[2 * i + 1]) << 8));
    return t;
  }();
  return text;
}

const std::vector<Word>& Utf16Map() {
  static const std::vector<Word> map = [] {
    const string& t = Utf16Text();
    std::vector<Word> m(t.size() + 2, C1_CNTRL);
    GetStringTypeExNT2000(true, 0x0409, CT_CTYPE1, m.data(), static_cast<Integer>(t.size()), t.data());
    return m;
  }();
  return map;
}

Int64 SearchOnce(bool unicode, const void* text, Word* map, Integer n, const char16_t* word) {
  TSearchAndDoEngine e(unicode, true, 0x0409);
  Int64 hits = 0;
  e.PrepareForConcordancing(u"bench", text, map, map + n + 1, 0, n, 0, false,
                            [&](void*, const TSearchFound_Rec&) {
                              ++hits;
                              return true;
                            },
                            nullptr);
  string typed = word;
  TSearch_word_format_rec rec;
  Parsed_SearchWord(TIgnore_tag_type{}, typed, rec);
  e.SearchAndDo(&rec);
  return hits;
}

void BM_Utf16(benchmark::State& state, const char16_t* word) {
  const string& t = Utf16Text();
  if (t.empty()) {
    state.SkipWithError("CV_SEARCH_BENCH_UTF16 not set");
    return;
  }
  auto& map = const_cast<std::vector<Word>&>(Utf16Map());
  Int64 hits = 0;
  for (auto _ : state) hits = SearchOnce(true, t.c_str(), map.data(), static_cast<Integer>(t.size()), word);
  state.counters["hits"] = static_cast<double>(hits);
  state.counters["Mchars"] = static_cast<double>(t.size()) / 1e6;
}

// The whole path for an 8-bit file: its map is built (through the code
// page), then searched.
void BM_AnsiFullPath(benchmark::State& state, const char16_t* word) {
  static const std::string t = ReadAll("CV_SEARCH_BENCH_ANSI");
  if (t.empty()) {
    state.SkipWithError("CV_SEARCH_BENCH_ANSI not set");
    return;
  }
  Int64 hits = 0;
  for (auto _ : state) {
    std::vector<Word> map(t.size() + 2, C1_CNTRL);
    GetStringTypeExNT2000(false, 0x0409, CT_CTYPE1, map.data(), static_cast<Integer>(t.size()), t.data());
    hits = SearchOnce(false, t.c_str(), map.data(), static_cast<Integer>(t.size()), word);
  }
  state.counters["hits"] = static_cast<double>(hits);
}

BENCHMARK_CAPTURE(BM_Utf16, the, u"the")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Utf16, c_star_t, u"c*t")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_AnsiFullPath, the, u"the")->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace cv

BENCHMARK_MAIN();

// Lemma list load and lookup against std::map in the same run.
//
// 100,000 "HEAD -> VARIANT" pairs (50,000 head words, two variants each) in
// three orders: sorted by variant, reversed, shuffled.  Each iteration reads
// the list file and looks every variant up.  The peer reads the same file,
// splits the same lines and inserts the pairs into a std::map (the first
// pairing of a variant wins), then finds every variant.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lemmatiser_library/lemma_and_match_lists.h"
#include "platform/utf.h"

namespace {

constexpr int kPairs = 100000;

struct Pair {
  std::string head, variant;
};

std::string Word(std::mt19937& rng) {
  std::uniform_int_distribution<int> len(5, 11), letter(0, 25);
  std::string w(static_cast<std::size_t>(len(rng)), 'A');
  for (char& c : w) c = static_cast<char>('A' + letter(rng));
  return w;
}

struct Data {
  std::vector<std::string> variants;
  std::string paths[3];
};

const Data& TheData() {
  static const Data data = [] {
    Data d;
    std::mt19937 rng(2024);
    std::vector<Pair> pairs;
    std::map<std::string, int> seen;
    while (static_cast<int>(pairs.size()) < kPairs) {
      const std::string head = Word(rng);
      for (int i = 0; i < 2; ++i) {
        const std::string variant = head + static_cast<char>('A' + i) + Word(rng).substr(0, 2);
        if (seen.emplace(variant, 0).second) pairs.push_back({head, variant});
      }
    }
    pairs.resize(kPairs);
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.variant < b.variant; });
    for (const Pair& p : pairs) d.variants.push_back(p.variant);
    const char* names[3] = {"sorted", "reversed", "shuffled"};
    for (int o = 0; o < 3; ++o) {
      std::vector<Pair> ordered = pairs;
      if (o == 1) std::reverse(ordered.begin(), ordered.end());
      if (o == 2) std::shuffle(ordered.begin(), ordered.end(), std::mt19937(7));
      std::string text;
      for (const Pair& p : ordered) text += p.head + " -> " + p.variant + "\r\n";
      d.paths[o] = std::string("/tmp/cv_lemmatiser_bench_") + names[o] + ".txt";
      std::ofstream(d.paths[o], std::ios::binary) << text;
    }
    return d;
  }();
  return data;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

void BM_LemmaList(benchmark::State& state, cv::TCaseSensitivity cs) {
  const Data& d = TheData();
  const cv::string path = cv::Utf8ToUtf16(d.paths[state.range(0)]);
  for (auto _ : state) {
    cv::TLemmaList list(cs);
    list.LoadFromFile(nullptr, nullptr, 0x0409, cs, path);
    int found = 0;
    cv::TLemmaEntryRec rec{};
    for (const std::string& v : d.variants) found += list.FoundVariant(v.c_str(), rec) ? 1 : 0;
    if (found != kPairs) state.SkipWithError("lookups failed");
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kPairs);
}

void BM_LemmaListKeepCase(benchmark::State& state) { BM_LemmaList(state, cv::cs_sensitive); }
void BM_LemmaListFoldCase(benchmark::State& state) { BM_LemmaList(state, cv::cs_anyhow); }

void BM_StdMap(benchmark::State& state) {
  const Data& d = TheData();
  const std::string& path = d.paths[state.range(0)];
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    const std::string text = buf.str();
    std::map<std::string, std::string> map;
    std::string_view rest(text);
    while (!rest.empty()) {
      const auto eol = rest.find_first_of("\r\n");
      const std::string_view line = rest.substr(0, eol);
      rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
      const auto arrow = line.find("->");
      if (arrow == std::string_view::npos) continue;
      map.emplace(std::string(Trim(line.substr(arrow + 2))), std::string(Trim(line.substr(0, arrow))));
    }
    int found = 0;
    for (const std::string& v : d.variants) found += map.find(v) != map.end() ? 1 : 0;
    if (found != kPairs) state.SkipWithError("lookups failed");
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * kPairs);
}

// Argument: 0 sorted, 1 reversed, 2 shuffled.
BENCHMARK(BM_LemmaListKeepCase)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdMap)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LemmaListFoldCase)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

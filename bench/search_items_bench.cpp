// Loading 100,000 typed search words: from the text file (UTF-16LE with
// byte-order mark, CR LF) and from the stream form.  The entries are made
// here, distinct, with the marks users type: wildcards, case marks, slashes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/classes.h"
#include "platform/utf.h"
#include "search/search_items.h"

namespace cv {
namespace {

// CV_SEARCH_ITEMS_BENCH_N overrides the count (smaller runs for profiling).
Integer Entries() {
  const char* n = std::getenv("CV_SEARCH_ITEMS_BENCH_N");
  return n ? std::atoi(n) : 100000;
}

string Entry(Integer i) {
  // A pseudo-word from the index, then one of the typed forms.
  string w;
  for (Integer v = i * 7919 + 13; v > 0; v /= 23) w += static_cast<char16_t>(u'a' + v % 23);
  switch (i % 6) {
    case 0: return w;
    case 1: return w + u"*";
    case 2: return u"*" + w;
    case 3: return u"==" + w + u"==";
    case 4: return w.substr(0, 2) + u"?" + w.substr(2);
    default: return w + u"/" + w + u"s";
  }
}

const string& FileName() {
  static const string name = [] {
    const std::string path = (std::filesystem::temp_directory_path() / "cv_search_items_bench.txt").string();
    TStringList lines;
    for (Integer i = 0, n = Entries(); i < n; ++i) lines.Add(Entry(i));
    const string f = Utf8ToUtf16(path);
    lines.SaveToFile(f);
    return f;
  }();
  return name;
}

void BM_LoadTextFile(benchmark::State& state) {
  const string& f = FileName();
  Integer count = 0;
  for (auto _ : state) {
    TSearchWordItems items;
    items.LoadFromFile(f, 1);
    count = items.Count();
  }
  state.counters["entries"] = count;
}

void BM_ReadStream(benchmark::State& state) {
  TSearchWordItems source;
  source.LoadFromFile(FileName(), 1);
  TMemoryStream m;
  source.SaveToStream(m);
  Integer count = 0;
  for (auto _ : state) {
    m.SetPosition(0);
    TSearchWordItems items;
    items.ReadFromStream(m);
    count = items.Count();
  }
  state.counters["entries"] = count;
}

BENCHMARK(BM_LoadTextFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadStream)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace cv

BENCHMARK_MAIN();

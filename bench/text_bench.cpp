// Text primitives against their peers, in one run:
//   * My4Checksum and the buffer scans over 100 MB of real 8-bit text, beside
//     memchr and memmem;
//   * building the character details map over 200 M UTF-16 units;
//   * the join pass (middle characters and number punctuation) beside a
//     plain loop of ICU's u_charType over the same buffer.
// The text is the GCIDE dictionary (package dict-gcide), repeated to size.
// Rates are per second of CPU time of the (single) benchmark thread: the
// machines are shared by several jobs, which stretches wall-clock time but
// not CPU time.  Compare the figures of one run only; both times are shown.
#include <benchmark/benchmark.h>
#include <unicode/uchar.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/utf.h"
#include "text/bare_assemb.h"
#include "text/char_details.h"
#include "text/char_types.h"

namespace {

constexpr std::size_t kAnsiBytes = 100u << 20;       // 100 MB
constexpr std::size_t kWideUnits = 200'000'000;      // 200 M characters

std::string LoadDictionary() {
  std::string text;
  FILE* p = popen("zcat /usr/share/dictd/gcide.dict.dz", "r");
  if (p != nullptr) {
    char buf[1 << 16];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    pclose(p);
  }
  if (text.empty()) {
    std::fprintf(stderr, "gcide not found (apt-get install -y dict-gcide); using generated text\n");
    for (int i = 0; i < 200000; ++i) text += "The quick brown fox's 3.5 well-known jumps, over 1,000 lazy dogs. ";
  }
  return text;
}

const std::string& Source() {
  static const std::string s = LoadDictionary();
  return s;
}

// 100 MB of 8-bit text with every '\x01' and '~' removed, so that scans for
// them run the whole buffer.
const std::string& Ansi() {
  static const std::string a = [] {
    std::string src = Source();
    for (char& c : src)
      if (c == '\x01' || c == '~') c = ' ';
    std::string out;
    out.reserve(kAnsiBytes + 1);
    while (out.size() < kAnsiBytes) out.append(src, 0, std::min(src.size(), kAnsiBytes - out.size()));
    return out;
  }();
  return a;
}

const std::u16string& Wide() {
  static const std::u16string w = [] {
    // Latin-1 view of the dictionary: one unit per byte, as read.
    std::u16string src(Source().size(), u' ');
    for (std::size_t i = 0; i < src.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(Source()[i]);
      src[i] = (c == '\x01' || c == '~') ? u' ' : c;
    }
    std::u16string out;
    out.reserve(kWideUnits + 2);
    while (out.size() < kWideUnits) out.append(src, 0, std::min(src.size(), kWideUnits - out.size()));
    return out;
  }();
  return w;
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// ---- 100 MB, 8-bit -------------------------------------------------------

void BM_My4Checksum(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state) benchmark::DoNotOptimize(cv::My4Checksum(a.data(), static_cast<cv::Integer>(a.size())));
  SetBytes(state, a.size());
}
BENCHMARK(BM_My4Checksum)->Unit(benchmark::kMillisecond);

void BM_FastStrScan(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state) benchmark::DoNotOptimize(cv::FastStrScan(a.data(), '~', static_cast<cv::Integer>(a.size())));
  SetBytes(state, a.size());
}
BENCHMARK(BM_FastStrScan)->Unit(benchmark::kMillisecond);

void BM_memchr(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state) benchmark::DoNotOptimize(std::memchr(a.data(), '~', a.size()));
  SetBytes(state, a.size());
}
BENCHMARK(BM_memchr)->Unit(benchmark::kMillisecond);

void BM_Chr13sInPAnsichar(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state) benchmark::DoNotOptimize(cv::Chr13sInPAnsichar(a.data(), static_cast<cv::Integer>(a.size())));
  SetBytes(state, a.size());
}
BENCHMARK(BM_Chr13sInPAnsichar)->Unit(benchmark::kMillisecond);

void BM_FastStrPos(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state)
    benchmark::DoNotOptimize(cv::FastStrPos(a.data(), "zebra~crossing", static_cast<cv::Integer>(a.size())));
  SetBytes(state, a.size());
}
BENCHMARK(BM_FastStrPos)->Unit(benchmark::kMillisecond);

void BM_FastStrIPos(benchmark::State& state) {
  const auto& a = Ansi();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        cv::FastStrIPos(a.data(), "ZEBRA~CROSSING", "zebra~crossing", static_cast<cv::Integer>(a.size())));
  SetBytes(state, a.size());
}
BENCHMARK(BM_FastStrIPos)->Unit(benchmark::kMillisecond);

void BM_memmem(benchmark::State& state) {
  const auto& a = Ansi();
  static const char pat[] = "zebra~crossing";
  for (auto _ : state) benchmark::DoNotOptimize(memmem(a.data(), a.size(), pat, sizeof pat - 1));
  SetBytes(state, a.size());
}
BENCHMARK(BM_memmem)->Unit(benchmark::kMillisecond);

// The same scans over the first 100 MB of the wide buffer (50 M units).
void BM_FastStrScanW(benchmark::State& state) {
  const auto& w = Wide();
  const cv::Integer n = static_cast<cv::Integer>(kAnsiBytes / 2);
  for (auto _ : state) benchmark::DoNotOptimize(cv::FastStrScanW(w.data(), u'~', n));
  SetBytes(state, kAnsiBytes);
}
BENCHMARK(BM_FastStrScanW)->Unit(benchmark::kMillisecond);

void BM_FastStrPosW(benchmark::State& state) {
  const auto& w = Wide();
  const cv::Integer n = static_cast<cv::Integer>(kAnsiBytes / 2);
  for (auto _ : state) benchmark::DoNotOptimize(cv::FastStrPosW(w.data(), u"zebra~crossing", n));
  SetBytes(state, kAnsiBytes);
}
BENCHMARK(BM_FastStrPosW)->Unit(benchmark::kMillisecond);

// ---- 200 M units, UTF-16 -------------------------------------------------

void BM_DetailsMap(benchmark::State& state) {
  const auto& w = Wide();
  std::vector<cv::Word> details(w.size() + 2);
  for (auto _ : state) {
    cv::GetStringTypeExNT2000(true, 0x0409, cv::CT_CTYPE1, details.data(), static_cast<cv::Integer>(w.size()),
                              w.data());
    benchmark::DoNotOptimize(details.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(w.size()));
}
BENCHMARK(BM_DetailsMap)->Unit(benchmark::kMillisecond);

// The join pass: apostrophes and hyphens inside words, then number
// punctuation, on a details map already built.
void BM_JoinPass(benchmark::State& state) {
  const auto& w = Wide();
  const cv::Integer n = static_cast<cv::Integer>(w.size());
  std::vector<cv::Word> details(w.size() + 2);
  cv::GetStringTypeExNT2000(true, 0x0409, cv::CT_CTYPE1, details.data(), n, w.data());
  const std::u16string allowed = u"'-\u2019";
  for (auto _ : state) {
    cv::HandleMiddleChars(w.data(), details.data(), allowed, static_cast<cv::Integer>(allowed.size()), n, true,
                          false, false);
    cv::HandleMiddleCharsInNumbers(true, false, w.data(), details.data(), n);
    benchmark::DoNotOptimize(details.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(w.size()));
}
BENCHMARK(BM_JoinPass)->Unit(benchmark::kMillisecond);

void BM_u_charTypeLoop(benchmark::State& state) {
  const auto& w = Wide();
  for (auto _ : state) {
    unsigned sum = 0;
    for (char16_t c : w) sum += static_cast<unsigned>(u_charType(c));
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(w.size()));
}
BENCHMARK(BM_u_charTypeLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

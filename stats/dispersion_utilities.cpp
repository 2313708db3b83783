// Dispersion, set overlap, merged group statistics and small utilities.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "stats/checked_float.h"
#include "stats/maths_routines.h"

namespace cv {

using checked::Div;
using checked::ToSingle;

Single DispersionValue(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n <= 2) return 0.0f;
  double sum = 0;
  for (double v : values) sum += v;
  const double mean = sum / static_cast<double>(n);
  if (mean == 0) return 0.0f;
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  const double sd = std::sqrt(squares / static_cast<double>(n - 1));
  const double d = 1.0 - Div(sd, mean) / std::sqrt(static_cast<double>(n));
  return ToSingle(std::max(d, 0.0));
}

Single DispersionValue(const std::vector<Integer>& values) {
  return DispersionValue(std::vector<double>(values.begin(), values.end()));
}

Single RelativeEntropy(const std::vector<Integer>& values) {
  if (values.empty()) return 0.0f;
  Int64 total = 0;
  for (Integer v : values) total += v;
  if (total == 0) return 0.0f;
  const double log2n = std::log2(static_cast<double>(values.size()));
  if (log2n == 0) return 0.0f;
  const double t = static_cast<double>(total);
  double sum = 0;
  for (Integer v : values) {
    if (v == 0) continue;
    const double p = v / t;
    sum += p * checked::Log2(p);
  }
  if (sum == 0) return 0.0f;
  return ToSingle(std::fabs(sum) / log2n);
}

// Pairing each element with the first unpaired equal element of the other
// array pairs, for each value, as many elements as the rarer side has.
Single Dice_Coefficient(const std::vector<Integer>& a, const std::vector<Integer>& b) {
  if (a.empty() || b.empty()) return 0.0f;
  std::unordered_map<Integer, std::size_t> unpaired;
  for (Integer v : b) ++unpaired[v];
  double matches = 0;
  for (Integer v : a) {
    auto it = unpaired.find(v);
    if (it != unpaired.end() && it->second > 0) {
      --it->second;
      ++matches;
    }
  }
  return ToSingle(2 * matches / (static_cast<double>(a.size()) + static_cast<double>(b.size())));
}

Single Overlap_Coefficient(Integer a, Integer b, Integer c) {
  const Integer least = std::min(b, c);
  return least == 0 ? 0.0f : ToSingle(static_cast<double>(a) / least);
}

// Each position of `b` is found through the list of positions of its value,
// with a cursor past the ones already used, so the walk is linear instead of
// rescanning `b` for every element of `a`.
Single Overlap_Coefficient(const std::vector<Integer>& a, const std::vector<Integer>& b) {
  if (a.empty() || b.empty()) return 0.0f;
  struct Positions {
    std::vector<std::size_t> at;
    std::size_t cursor = 0;
  };
  std::unordered_map<Integer, Positions> where;
  for (std::size_t j = 0; j < b.size(); ++j) where[b[j]].at.push_back(j);
  std::vector<bool> used_a(a.size(), false), used_b(b.size(), false);
  std::size_t longest = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (used_a[i]) continue;
    auto it = where.find(a[i]);
    if (it == where.end()) continue;
    Positions& p = it->second;
    while (p.cursor < p.at.size() && used_b[p.at[p.cursor]]) ++p.cursor;
    if (p.cursor == p.at.size()) continue;
    std::size_t j = p.at[p.cursor];
    std::size_t run = 0;
    do {
      used_a[i + run] = used_b[j + run] = true;
      ++run;
    } while (i + run < a.size() && j + run < b.size() && a[i + run] == b[j + run]);
    longest = std::max(longest, run);
  }
  return ToSingle(static_cast<double>(longest) /
                  static_cast<double>(std::min(a.size(), b.size())));
}

Single NAsPercentOfTotal(double a, double b) { return b <= 0 ? 0.0f : ToSingle(100.0 * a / b); }

double FloatCorrectedIfBelowZero(bool negate, double x) { return negate ? -x : x; }

TText_stats_rec MergedTextStats(const TText_stats_rec& a, const TText_stats_rec& b) {
  const bool has_a = a.n >= 1, has_b = b.n >= 1;
  if (!has_a && !has_b) return {};
  if (!has_a) return b;
  if (!has_b) return a;
  const double na = a.n, nb = b.n, n = na + nb;
  const double mean = (na * a.mean + nb * b.mean) / n;
  // Within-group sums of squares plus the spread of the group means.
  const double da = a.mean - mean, db = b.mean - mean;
  const double squares = (na - 1) * double(a.std_dev) * a.std_dev +
                         (nb - 1) * double(b.std_dev) * b.std_dev + na * da * da + nb * db * db;
  TText_stats_rec r;
  r.n = n > std::numeric_limits<Integer>::max() ? std::numeric_limits<Integer>::max()
                                                : static_cast<Integer>(n);
  r.mean = ToSingle(mean);
  r.std_dev = squares > 0 ? ToSingle(std::sqrt(squares / (n - 1))) : 0.0f;
  return r;
}

// ---------------------------------------------------------------------------
// Triangular tables of the unordered pairs of n items.  Row y (0-based)
// holds the pairs (x, y) with x = y + 1 .. n - 1 and starts at
// RowStart(y) = y (n - 1) - y (y - 1) / 2.

Int64 SingleArrayLengthForXInterRelationships(Integer n) {
  const Int64 m = n;
  return m * (m + 1) / 2;
}

namespace {

Int64 PairCount(Int64 n) { return n * (n - 1) / 2; }
Int64 RowStart(Int64 y, Int64 n) { return y * (n - 1) - y * (y - 1) / 2; }

}  // namespace

Int64 SingleArrayPosForXYValue(Integer x, Integer y, Integer n) {
  if (n <= 0 || x < 0 || y < 0 || x >= n || y >= n || x == y) return -1;
  const Int64 hi = std::max(x, y), lo = std::min(x, y);
  return RowStart(lo, n) + (hi - lo - 1);
}

Int64 SingleArrayPosForXYValue1Based(Integer x, Integer y, Integer n) {
  const Int64 pos = SingleArrayPosForXYValue(x - 1, y - 1, n);
  return pos < 0 ? -1 : pos + 1;
}

void XYFromSingleArrayPosPos(Int64 position, Integer n, Integer& x, Integer& y) {
  x = y = -1;
  if (n < 2 || position < 0 || position >= PairCount(n)) return;
  // RowStart(y) <= position solved for the largest y, then corrected for
  // rounding of the square root.
  const double b = 2.0 * n - 1;
  Int64 row = static_cast<Int64>((b - std::sqrt(b * b - 8.0 * static_cast<double>(position))) / 2);
  row = std::clamp<Int64>(row, 0, n - 2);
  while (row > 0 && RowStart(row, n) > position) --row;
  while (row < n - 2 && RowStart(row + 1, n) <= position) ++row;
  y = static_cast<Integer>(row);
  x = static_cast<Integer>(position - RowStart(row, n) + row + 1);
}

// ---------------------------------------------------------------------------

bool IsBitSet32(Integer bit, Cardinal value) {
  return bit >= 0 && bit < 32 && (value >> bit) & 1u;
}
bool IsBitSet16(Integer bit, Word value) {
  return bit >= 0 && bit < 16 && (value >> bit) & 1u;
}
void SetBit32(Integer bit, Cardinal& value) {
  if (bit >= 0 && bit < 32) value |= Cardinal{1} << bit;
}
void SetBit16(Integer bit, Word& value) {
  if (bit >= 0 && bit < 16) value = static_cast<Word>(value | (1u << bit));
}
void SwapAround(Integer& a, Integer& b) { std::swap(a, b); }

namespace {

// A strict weak order even with NaNs, which go last in both directions.
template <typename T>
void SortWithNaNsLast(std::vector<T>& values, bool descending) {
  std::sort(values.begin(), values.end(), [descending](T l, T r) {
    if (std::isnan(l)) return false;
    if (std::isnan(r)) return true;
    return descending ? r < l : l < r;
  });
}

}  // namespace

void SortAnArrayOfSingles(std::vector<Single>& values, bool descending) {
  SortWithNaNsLast(values, descending);
}
void SortAnArrayOfExtendeds(std::vector<long double>& values, bool descending) {
  SortWithNaNsLast(values, descending);
}
void SortAnArrayOfIntegers(std::vector<Integer>& values, bool descending) {
  if (descending)
    std::sort(values.begin(), values.end(), std::greater<Integer>());
  else
    std::sort(values.begin(), values.end());
}

// ---------------------------------------------------------------------------

namespace {

std::uint64_t ClockSeed() {
  static std::uint64_t calls = 0;
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  return static_cast<std::uint64_t>(ticks) ^ (++calls * 0x9E3779B97F4A7C15ull);
}

// Uniform in 0 .. bound without modulo bias.
std::uint64_t UniformUpTo(std::mt19937_64& gen, std::uint64_t bound) {
  const std::uint64_t range = bound + 1;
  if (range == 0) return gen();
  const std::uint64_t threshold = (0 - range) % range;
  std::uint64_t r;
  do r = gen(); while (r < threshold);
  return r % range;
}

}  // namespace

TShuffledNumbers::TShuffledNumbers(Integer limit) : TShuffledNumbers(limit, ClockSeed()) {}

TShuffledNumbers::TShuffledNumbers(Integer limit, std::uint64_t seed)
    : numbers_(limit > 0 ? static_cast<std::size_t>(limit) : 0) {
  for (std::size_t i = 0; i < numbers_.size(); ++i) numbers_[i] = static_cast<Integer>(i);
  Shuffle(seed);
}

void TShuffledNumbers::Shuffle(std::uint64_t seed) {
  std::mt19937_64 gen(seed);
  for (std::size_t i = numbers_.size(); i > 1; --i)
    std::swap(numbers_[i - 1], numbers_[UniformUpTo(gen, i - 1)]);
}

Integer TShuffledNumbers::GetANumber(Integer i) const {
  return i >= 0 && static_cast<std::size_t>(i) < numbers_.size() ? numbers_[i] : -1;
}

}  // namespace cv

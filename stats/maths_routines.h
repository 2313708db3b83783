// Keyness, association, dispersion and overlap measures, the one-degree-of-
// freedom p-value, and small utilities (percentages, bits, triangular tables,
// sorts, shuffles).
//
// Conventions:
// - Counts are 32-bit integers; every product and sum of counts is formed in
//   double, so large corpora do not wrap.
// - Results are Single unless a declaration says otherwise; intermediate
//   values are double.
// - Floating-point faults are reported the way the tools expect them: a
//   division by zero or the logarithm of zero throws EZeroDivide, 0/0, the
//   logarithm or square root of a negative number or a NaN throws EInvalidOp,
//   and a result too large for a Single throws EOverflow (all from
//   platform/sysutils.h).  Only KWStatsCalculated and Log_Gamma catch them.
// - Zero counts are kept out of most faults by substitutes: a contingency cell
//   that is zero or negative becomes the smallest positive double
//   (kTinyDouble), a relative frequency of the log-ratio routine that is zero
//   becomes the smallest positive single (kTinySingle).  These are denormals:
//   this code must not be built with fast-math or flush-to-zero.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "platform/types.h"
#include "stats/stats_types.h"

namespace cv {

inline constexpr double kTinyDouble = 4.94065645841247E-324;   // smallest positive double
inline constexpr double kTinySingle = 1.401298464324817E-45;   // smallest positive single

// O1, O2 or N1, N2 of a keyness computation.
struct TTwoIntegers {
  Integer first = 0;
  Integer second = 0;
};

// ---------------------------------------------------------------------------
// Keyness: O1 = frequency in the text, N1 = the text's tokens, O2 and N2 the
// same for the reference corpus.

// Fills `rec` afresh: f = (|O1|, |O2|), LogRatio, LL (negated, with
// negative_score set, when O1 is below its expected frequency), BIC_Score
// (from the positive LL).  A floating-point fault (for instance N1 + N2 = 0)
// sets LL and LogRatio to 1.0 and leaves the rest as far as it was filled.
// lemma_words is left null and the text pointers point at EmptyWideText.
void KWStatsCalculated(TTwoIntegers o, TTwoIntegers n, TKeyword_entry_rec& rec);

// G2 = 2 (O1 ln(O1/E1) + O2 ln(O2/E2)); any non-positive argument or expected
// value is replaced by kTinyDouble first, so it never faults except on NaN.
Single Log_Likelihood_Lancaster(double O1, double O2, double N1, double N2);

// ((O1/N1) - (O2/N2)) / (O2/N2) * 100.  A non-positive N gives kTinySingle as
// its relative frequency.  O2 = 0 throws EZeroDivide (EInvalidOp when O1 is 0
// too): the caller decides what an infinite difference means.
Single PercentDiff(TTwoIntegers o, TTwoIntegers n);

// log2((a1/b1) / (a2/b2)); a ratio whose divisor is not positive, or that
// comes out 0, is replaced by kTinySingle, so an absent word gives a large
// finite value.
Single Log_Ratio(double a1, double a2, double b1, double b2);

// ---------------------------------------------------------------------------
// Association of a node (frequency F1) and a collocate (F2) that occur
// together J times among N tokens; S is the span (words left + right).

struct TContingencyCells {
  double O11, O12, O21, O22;
};
// O11 = J, O12 = F1 - J, O21 = F2 - J, O22 = N - F1 - F2 + J (the four sum
// to N); each cell that is zero or negative becomes kTinyDouble.
TContingencyCells ContingencyCells(double F1, double F2, double J, double N);

// The measure chosen by `stat`; 0 for a value outside TMutualInfoStats.
Single RelationshipComputation(TMutualInfoStats stat, Integer J, Integer F1, Integer F2,
                               Integer N, Tdouble_smallint_type span);

Single Dice_Coefficient(Integer a, Integer b, Integer c);          // 2a/(b+c); 0 when b+c = 0
Single SpecificMutualInformation(Integer F1, Integer F2, Integer J, Integer N);
Single MI3(Integer F1, Integer F2, Integer J, Integer N);
Single Z_Score(Integer F1, Integer F2, Integer J, Integer S, Integer N);
Single T_Score(Integer F1, Integer F2, Integer J, Integer N);
Single MI_Durrant(Integer F1, Integer F2, Integer J, Integer N);
Single MI_Oakes171(Integer F1, Integer F2, Integer J, Integer N);
// LogLikelihoodRatio of (J, F2 - J, S*F1 - J, N - F1 - F2 + J), each cell
// that is zero or negative taken as kTinyDouble.
Single Log_Likelihood_SameCorpus_Everts(Integer F1, Integer F2, Integer J, Integer S, Integer N);
// 2 (H(F1, N-F1) + H(F2, N-F2) - H(J, F1-J, F2-J, N+J-F1-F2)).  A negative
// cell throws EInvalidOp.
Single Log_Likelihood_SameCorpus_Dunning(Integer F1, Integer F2, Integer J, Integer N);
// As the Dunning form, but 0 where rounding would make it negative.
Single Log_likelihood_from_Java(Integer F1, Integer F2, Integer J, Integer N);
// G2 of a 2x2 table [[k11, k12], [k21, k22]]; cells with p = 0 are left out.
double LogLikelihoodRatio(double k11, double k12, double k21, double k22);
double XLnX(double x);  // x ln x; 0 for x = 0

// ---------------------------------------------------------------------------
// Significance

// Upper tail of the chi-square distribution with one degree of freedom at
// |x|, for 1 <= |x| <= 35.  Outside that range the results are fixed by
// convention: 0.99 below 1, and 0.8 / (1e9 (|x| - 34)^3) above 35.
Single Norberto(Single x);
// ln Gamma(x) for an integer or half-integer x; 0 when x is not finite.
double Log_Gamma(double x);

// ---------------------------------------------------------------------------
// Dispersion and evenness

// Juilland's D: max(1 - (s/m)/sqrt(n), 0) with s the sample standard
// deviation; 0 when n <= 2 or m = 0.
Single DispersionValue(const std::vector<double>& values);
Single DispersionValue(const std::vector<Integer>& values);
// Carroll's D2: the entropy of the distribution over log2 n; 0 when the array
// is empty or has one entry, or its sum is 0.  A negative entry throws
// EInvalidOp.
Single RelativeEntropy(const std::vector<Integer>& values);

// ---------------------------------------------------------------------------
// Set overlap

// 2m / (len1 + len2), m the number of elements that pair with an equal
// element of the other array; 0 when either is empty.
Single Dice_Coefficient(const std::vector<Integer>& a, const std::vector<Integer>& b);
Single Overlap_Coefficient(Integer a, Integer b, Integer c);  // a / min(b, c); 0 when that is 0
// m / min(len1, len2), m the longest run of equal consecutive elements found
// by pairing each unused element of `a` with the first unused equal element
// of `b`; 0 when either is empty.
Single Overlap_Coefficient(const std::vector<Integer>& a, const std::vector<Integer>& b);

// ---------------------------------------------------------------------------
// Utilities

Single NAsPercentOfTotal(double a, double b);  // 100 a / b; 0 when b <= 0
double FloatCorrectedIfBelowZero(bool negate, double x);
// The count, mean and sample standard deviation of the two groups taken
// together.  A group with a count below 1 contributes nothing.
TText_stats_rec MergedTextStats(const TText_stats_rec& a, const TText_stats_rec& b);

// Cells of a triangular n x n table with its diagonal: n (n + 1) / 2.
Int64 SingleArrayLengthForXInterRelationships(Integer n);
// Position of the pair {x, y} (0-based, x != y, both below n) in a table of
// the n (n - 1) / 2 unordered pairs, rows by the smaller index; -1 otherwise.
Int64 SingleArrayPosForXYValue(Integer x, Integer y, Integer n);
// The same with 1-based x, y (1..n) and 1-based positions; -1 otherwise.
Int64 SingleArrayPosForXYValue1Based(Integer x, Integer y, Integer n);
// Inverse of SingleArrayPosForXYValue: the pair with x > y at `position`;
// x = y = -1 when the position is not in the table.
void XYFromSingleArrayPosPos(Int64 position, Integer n, Integer& x, Integer& y);

// Bits are numbered from 0 (the least significant).  A bit number outside
// the value's width is never set: IsBitSet gives false, SetBit changes nothing.
bool IsBitSet32(Integer bit, Cardinal value);
bool IsBitSet16(Integer bit, Word value);
void SetBit32(Integer bit, Cardinal& value);
void SetBit16(Integer bit, Word& value);
void SwapAround(Integer& a, Integer& b);

// Sorts in place, ascending or descending.  NaNs go to the end either way.
void SortAnArrayOfSingles(std::vector<Single>& values, bool descending);
void SortAnArrayOfExtendeds(std::vector<long double>& values, bool descending);
void SortAnArrayOfIntegers(std::vector<Integer>& values, bool descending);

// The numbers 0 .. limit - 1 in a uniformly random order (Fisher-Yates).
// Each object draws from its own generator: seeded from the clock, or from
// `seed` for a repeatable order.
class TShuffledNumbers {
 public:
  explicit TShuffledNumbers(Integer limit);
  TShuffledNumbers(Integer limit, std::uint64_t seed);
  // The number at position i; -1 when i is outside 0 .. Count() - 1.
  Integer GetANumber(Integer i) const;
  Integer Count() const { return static_cast<Integer>(numbers_.size()); }

 private:
  void Shuffle(std::uint64_t seed);
  std::vector<Integer> numbers_;
};

}  // namespace cv

// Association measures of a node and a collocate.
#include <algorithm>
#include <cmath>
#include <limits>

#include "stats/checked_float.h"
#include "stats/maths_routines.h"

namespace cv {

using checked::Div;
using checked::Log2;
using checked::Ln;
using checked::PositiveOrTinyDouble;
using checked::ToSingle;

TContingencyCells ContingencyCells(double F1, double F2, double J, double N) {
  TContingencyCells c;
  c.O11 = PositiveOrTinyDouble(J);
  c.O12 = PositiveOrTinyDouble(F1 - J);
  c.O21 = PositiveOrTinyDouble(F2 - J);
  c.O22 = PositiveOrTinyDouble(N - F1 - F2 + J);
  return c;
}

Single Dice_Coefficient(Integer a, Integer b, Integer c) {
  const double sum = static_cast<double>(b) + c;
  return sum == 0 ? 0.0f : ToSingle(2.0 * a / sum);
}

Single SpecificMutualInformation(Integer F1, Integer F2, Integer J, Integer N) {
  const double n = N;
  return ToSingle(Log2(Div(Div(J, n), Div(F1, n) * Div(F2, n))));
}

// The logarithms are taken term by term: O11^3 of a substituted zero cell
// would underflow to 0 as a product.
Single MI3(Integer F1, Integer F2, Integer J, Integer N) {
  const TContingencyCells c = ContingencyCells(F1, F2, J, N);
  const double total = c.O11 + c.O12 + c.O21 + c.O22;
  return ToSingle(3 * Log2(c.O11) + Log2(total) - Log2((c.O11 + c.O12) * (c.O11 + c.O21)));
}

Single MI_Oakes171(Integer F1, Integer F2, Integer J, Integer N) {
  const TContingencyCells c = ContingencyCells(F1, F2, J, N);
  const double total = c.O11 + c.O12 + c.O21 + c.O22;
  return ToSingle(Log2(c.O11) + Log2(total) - Log2((c.O11 + c.O12) * (c.O11 + c.O21)));
}

Single MI_Durrant(Integer F1, Integer F2, Integer J, Integer N) {
  const double joint = static_cast<Single>(J);
  return ToSingle(Log2(Div(joint, Div(static_cast<double>(F1) * F2, N))));
}

Single Z_Score(Integer F1, Integer F2, Integer J, Integer S, Integer N) {
  double p = Div(F2, static_cast<double>(N) - F1);
  if (p == 0) p = kTinyDouble;
  const double expected = p * F1 * S;
  const double diff = static_cast<Single>(J - expected);
  return ToSingle(Div(diff, checked::Sqrt(expected * (1 - p))));
}

Single T_Score(Integer F1, Integer F2, Integer J, Integer N) {
  const double o11 = ContingencyCells(F1, F2, J, N).O11;
  return ToSingle(Div(o11 - Div(static_cast<double>(F1) * F2, N), checked::Sqrt(o11)));
}

double XLnX(double x) { return x == 0 ? 0.0 : x * Ln(x); }

// 2 T sum p ln(p / (p_row p_col)), written per cell as 2 k ln(k T / (r c)):
// the same quantity as the sum of p ln p over cells minus rows minus columns,
// without cancelling terms of size T ln T against each other.
double LogLikelihoodRatio(double k11, double k12, double k21, double k22) {
  const double total = k11 + k12 + k21 + k22;
  const double row1 = k11 + k12, row2 = k21 + k22;
  const double col1 = k11 + k21, col2 = k12 + k22;
  if (total == 0) checked::ThrowInvalidOp();  // every p would be 0/0
  auto term = [total](double k, double row, double col) {
    if (k == 0) return 0.0;
    if (k < 0 || row <= 0 || col <= 0) checked::ThrowInvalidOp();
    // k T / (r c) formed as (k / r) (T / c): each factor stays in range.
    const double ratio = (k / row) * (total / col);
    if (ratio >= std::numeric_limits<double>::min() && std::isfinite(ratio))
      return k * std::log(ratio);
    return k * (Ln(k) - Ln(row) + Ln(total) - Ln(col));
  };
  const double sum = term(k11, row1, col1) + term(k12, row1, col2) + term(k21, row2, col1) +
                     term(k22, row2, col2);
  return 2.0 * sum;
}

Single Log_Likelihood_SameCorpus_Everts(Integer F1, Integer F2, Integer J, Integer S,
                                        Integer N) {
  const double j = J, f1 = F1, f2 = F2, n = N;
  return ToSingle(LogLikelihoodRatio(PositiveOrTinyDouble(j), PositiveOrTinyDouble(f2 - j),
                                     PositiveOrTinyDouble(static_cast<double>(S) * f1 - j),
                                     PositiveOrTinyDouble(j + n - f1 - f2)));
}

namespace {

double H2(double a, double b) { return XLnX(a + b) - XLnX(a) - XLnX(b); }
double H4(double a, double b, double c, double d) {
  return XLnX(a + b + c + d) - XLnX(a) - XLnX(b) - XLnX(c) - XLnX(d);
}

struct DunningParts {
  double marginal, joint;
};
DunningParts Dunning(Integer F1, Integer F2, Integer J, Integer N) {
  const double j = J, f1 = F1, f2 = F2, n = N;
  return {H2(f1, n - f1) + H2(f2, n - f2), H4(j, f1 - j, f2 - j, n + j - f1 - f2)};
}

}  // namespace

Single Log_Likelihood_SameCorpus_Dunning(Integer F1, Integer F2, Integer J, Integer N) {
  const DunningParts p = Dunning(F1, F2, J, N);
  return ToSingle(2 * (p.marginal - p.joint));
}

Single Log_likelihood_from_Java(Integer F1, Integer F2, Integer J, Integer N) {
  const DunningParts p = Dunning(F1, F2, J, N);
  return p.marginal < p.joint ? 0.0f : ToSingle(2 * (p.marginal - p.joint));
}

Single RelationshipComputation(TMutualInfoStats stat, Integer J, Integer F1, Integer F2,
                               Integer N, Tdouble_smallint_type span) {
  const Integer S = static_cast<Integer>(span.to_left) + span.to_right;
  switch (stat) {
    case MI_Dice: return Dice_Coefficient(J, F1, F2);
    case MI_MI: return SpecificMutualInformation(F1, F2, J, N);
    case MI_MI3: return MI3(F1, F2, J, N);
    case MI_Z: return Z_Score(F1, F2, J, S, N);
    case MI_log_likelihood: return Log_Likelihood_SameCorpus_Everts(F1, F2, J, S, N);
    case MI_T_Score: return T_Score(F1, F2, J, N);
    case MI_Log_Ratio:
      // How much more often the collocate occurs beside the node than
      // elsewhere: J per node occurrence against (F2 - J) per other token.
      return Log_Ratio(J, static_cast<double>(F2) - J, F1, static_cast<double>(N) - F1);
  }
  return 0.0f;
}

}  // namespace cv

// Arithmetic that reports floating-point faults as exceptions instead of
// producing infinities and NaNs.  The statistics code checks explicitly
// rather than enabling hardware traps, so it behaves the same under any
// floating-point environment (as long as denormals are kept).
#pragma once

#include <cmath>
#include <limits>

#include "platform/sysutils.h"
#include "platform/types.h"

namespace cv::checked {

[[noreturn]] inline void ThrowZeroDivide() { throw EZeroDivide("Floating point division by zero"); }
[[noreturn]] inline void ThrowInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
[[noreturn]] inline void ThrowOverflow() { throw EOverflow("Floating point overflow"); }

inline double Div(double a, double b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) ThrowInvalidOp();
    ThrowZeroDivide();
  }
  const double r = a / b;
  if (std::isnan(r)) ThrowInvalidOp();
  if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) ThrowOverflow();
  return r;
}

inline double Ln(double x) {
  if (x > 0) return std::log(x);
  if (x == 0) ThrowZeroDivide();
  ThrowInvalidOp();  // negative or NaN
}

inline double Log2(double x) {
  if (x > 0) return std::log2(x);
  if (x == 0) ThrowZeroDivide();
  ThrowInvalidOp();
}

inline double Sqrt(double x) {
  if (!(x >= 0)) ThrowInvalidOp();
  return std::sqrt(x);
}

// Narrowing to Single: a finite value beyond the Single range overflows.
inline Single ToSingle(double x) {
  if (std::isnan(x)) ThrowInvalidOp();
  const Single s = static_cast<Single>(x);
  if (std::isinf(s) && !std::isinf(x)) ThrowOverflow();
  return s;
}

// A contingency cell or expected value that must stay usable as a divisor
// and inside a logarithm.
inline double PositiveOrTinyDouble(double x) {
  return x > 0 ? x : std::numeric_limits<double>::denorm_min();
}

}  // namespace cv::checked

// Internal pieces shared by the sysutils_*.cpp files; not part of the
// platform contract.
#pragma once

#include <string>

#include "platform/sysutils.h"

namespace cv::sysutils_detail {

// A float as decimal digits, after Delphi's FloatToDecimal: the value is
// 0.d1d2d3... x 10^exponent.  Digits are generated at 18 significant places
// (the precision of the 80-bit Extended the Delphi routines work in) and then
// rounded half away from zero at `precision` significant digits or `decimals`
// places after the point, whichever comes first.  Trailing zeros are dropped;
// a value that rounds to zero has no digits and exponent 0.
struct FloatDigits {
  bool negative = false;
  bool nan = false;
  bool infinite = false;
  int exponent = 0;
  std::string digits;  // ASCII '0'..'9', at most 18, no trailing zeros
};

constexpr int kMaxFloatPrecision = 18;

FloatDigits FloatToDecimal(double value, int precision, int decimals);

// Delphi's FloatToText for the five float formats; `precision` and `digits`
// are clamped to sane ranges.
string FloatToText(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs);

inline void AppendAscii(string& out, const std::string& s) {
  for (char c : s) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

}  // namespace cv::sysutils_detail

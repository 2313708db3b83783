// Number notations shown to and typed by the user: compact large numbers,
// file sizes, p-values, ordinals, number lists with ranges ('1-3,5,7-9'),
// Boolean ranges over an array, and the escape notations by which a string
// carries characters by their codes.
#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace cv {

class TStringList;

// Expanding a number list never produces more than this many numbers; the
// rest of a longer range is dropped ('1-2000000000' would otherwise take
// gigabytes).
constexpr Integer kMaxExpandedNumbers = 100000;

string EasiestNRepresentationOfLargeNumber(Single x);
string FormattedWithDecimals(Single x, Integer decimals, Boolean thousands, Boolean percent);
string PValueStr(double x);
// A Format pattern: "%dst", "%dnd", "%drd" or "%dth" (11, 12 and 13, and any
// number ending in them, take "th").
string OrdinalFormatOf(Integer n);
string ValueToByteStr(Int64 size);
string YesorNo(Boolean b);
string WithLeftZeros(Integer width, Integer n);

Boolean IsANumber(std::u16string_view s);
string DigitsOnlyOf(std::u16string_view s);
Integer PositionOfNumberInString(std::u16string_view s, Integer start);
// Raises EConvertError when no digit follows the '['.
Integer IntegerInsideSquareBrackets(std::u16string_view s);
string ValueString(std::u16string_view s);
string BracedNumberStrToDigitalformat(std::u16string_view s);

std::unique_ptr<TStringList> TArrayOfIntegersToStringlist(std::span<const Integer> values, Integer offset);
string HumanAbbreviatedNumberListString(std::span<const Integer> values, Integer offset);
string HumanAbbreviatedNumberListString(const TStringList& numbers);
string HumanAbbreviatedNumberListStringExpanded(std::u16string_view list);
void HumanAbbreviatedNumberListStringAsIntegers(std::u16string_view list, Integer offset, std::vector<Integer>& out);
string ANumberInHumanString(std::u16string_view list, Integer n);
string HumanAbbreviatedNumberListStringToMonths(std::u16string_view s);

// Clears the array, then marks the positions the text names ('2, 5-6', '-3').
void ConvertStringToRangeOfBoolean(std::u16string_view text, Boolean zero_based, std::span<Boolean> marks);

string ToHexNumStr(std::u16string_view s);
// The inverse of ToHexNumStr for any unit: each ','-terminated piece is read
// as a hexadecimal number; a piece that is not one is skipped.
string FromHexNumStr(std::u16string_view s);
string PwdToNumStr(std::u16string_view s);
string FromNumStr(std::u16string_view s);

// Units below `limit` become "{CHR(code)}".
string CVFormattedWorkStringToReadableString(std::u16string_view s, Integer limit);
// Decodes "{CHR(n)}" (decimal, $hex, Xhex, hexH) and "#n", "#$hex;", "#xhex"
// escapes in a single pass; a code of 0 or above 0xFFFF, or one that does not
// convert, stays as written.
string CVFormattedReadableStringToWorkString(std::u16string_view s);

}  // namespace cv

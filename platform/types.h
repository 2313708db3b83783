// Scalar and text types shared by the whole runtime.
//
// The runtime was designed around the Delphi type names; they are kept so that
// record layouts and routine signatures read the same everywhere.  `string` is
// UTF-16 (char16_t code units) and `AnsiString` its 8-bit twin.  A Boolean is
// one byte in every record and export.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cv {

using string = std::u16string;
using AnsiString = std::string;

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using SmallInt = std::int16_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Boolean = bool;
using WideChar = char16_t;
using AnsiChar = char;
using Single = float;
using Double = double;
using LCID = std::uint32_t;
using TColor = std::int32_t;
// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

static_assert(sizeof(Boolean) == 1, "a Boolean is one byte in every record");
static_assert(sizeof(WideChar) == 2);

}  // namespace cv

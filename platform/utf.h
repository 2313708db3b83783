// Conversions between UTF-16 (`string`) and UTF-8 (file names, the console,
// the C library).  Ill-formed input never fails: an unpaired surrogate or a
// malformed UTF-8 sequence becomes U+FFFD.
#pragma once

#include "platform/types.h"

namespace cv {

std::string Utf16ToUtf8(std::u16string_view s);
string Utf8ToUtf16(std::string_view s);

// For literals and ASCII-only data, where no decoding is wanted: each byte
// becomes one code unit (Latin-1).
string Latin1ToUtf16(std::string_view s);

// True when s is well-formed UTF-8 (no overlongs, surrogates or values past
// U+10FFFF).
bool IsValidUtf8(std::string_view s);

}  // namespace cv

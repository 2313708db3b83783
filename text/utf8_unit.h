// Recognition and validation of UTF-8 text.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace cv {

// The continuation bytes a sequence starting with each byte value carries:
// 0 for 00-BF, 1 for C0-DF, 2 for E0-EF, 3 for F0-F7, 4 for F8-FB, 5 for FC-FF.
extern const Byte kUTF8SequenceLength[256];

// The three signature bytes EF BB BF.
AnsiString UTF8SignatureAsUTF8String();

// True when p is not null and its first three bytes are EF BB BF.  The
// caller guarantees three readable bytes.
Boolean IsUTF8SignatureA(const void* p);
// True when p is not null, holds at least two units before its NUL, and its
// first three bytes are EF BB BF (bytes, not characters, are compared).
Boolean IsUTF8SignatureW(const WideChar* p);
Boolean IsUTF8Signature(Byte b1, Byte b2, Byte b3);

// The number of characters of a UTF-8 byte string; the byte length when the
// text is not UTF-8 (a continuation, FE or FF byte in lead position, or a
// sequence running past the end).
Integer UTF8LengthInChars(std::string_view bytes);

// Whether the text is acceptable as UTF-8, judged up to its first multi-byte
// sequence (which must be well formed); `all_ascii` tells whether no
// multi-byte sequence was met.  Long ASCII stretches call the yield hook
// every 4,096 bytes.  Never raises.
Boolean CheckedUTF(std::string_view bytes, Boolean& all_ascii);

}  // namespace cv

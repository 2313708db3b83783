// The national-language character typing of the suite (GetStringTypeEx):
// CT_CTYPE1 classes, CT_CTYPE2 layout directions and CT_CTYPE3 text
// properties for every UTF-16 code unit.
//
// CT_CTYPE1 defines what a word is for the whole suite, so it follows the
// Windows classification rather than raw Unicode categories.  The tables are
// built once, at first use, from ICU's general categories with explicit
// Windows adjustments (see char_types.cpp); they cover the whole BMP and a
// surrogate unit is classified on its own (C1_DEFINED only).  CT_CTYPE2
// follows the bidirectional classes; CT_CTYPE3 is exact only for its letter,
// ideograph, kashida and surrogate bits.
#pragma once

#include "platform/types.h"

namespace cv {

// CT_CTYPE1 bits.
constexpr Word C1_UPPER = 0x0001;
constexpr Word C1_LOWER = 0x0002;
constexpr Word C1_DIGIT = 0x0004;
constexpr Word C1_SPACE = 0x0008;
constexpr Word C1_PUNCT = 0x0010;
constexpr Word C1_CNTRL = 0x0020;
constexpr Word C1_BLANK = 0x0040;
constexpr Word C1_XDIGIT = 0x0080;
constexpr Word C1_ALPHA = 0x0100;
constexpr Word C1_DEFINED = 0x0200;

// CT_CTYPE2 values (one per unit, not bits).
constexpr Word C2_NOTAPPLICABLE = 0;
constexpr Word C2_LEFTTORIGHT = 1;
constexpr Word C2_RIGHTTOLEFT = 2;
constexpr Word C2_EUROPENUMBER = 3;
constexpr Word C2_EUROPESEPARATOR = 4;
constexpr Word C2_EUROPETERMINATOR = 5;
constexpr Word C2_ARABICNUMBER = 6;
constexpr Word C2_COMMONSEPARATOR = 7;
constexpr Word C2_BLOCKSEPARATOR = 8;
constexpr Word C2_SEGMENTSEPARATOR = 9;
constexpr Word C2_WHITESPACE = 10;
constexpr Word C2_OTHERNEUTRAL = 11;

// CT_CTYPE3 bits.
constexpr Word C3_NONSPACING = 0x0001;
constexpr Word C3_DIACRITIC = 0x0002;
constexpr Word C3_VOWELMARK = 0x0004;
constexpr Word C3_SYMBOL = 0x0008;
constexpr Word C3_KATAKANA = 0x0010;
constexpr Word C3_HIRAGANA = 0x0020;
constexpr Word C3_HALFWIDTH = 0x0040;
constexpr Word C3_FULLWIDTH = 0x0080;
constexpr Word C3_IDEOGRAPH = 0x0100;
constexpr Word C3_KASHIDA = 0x0200;
constexpr Word C3_LEXICAL = 0x0400;
constexpr Word C3_HIGHSURROGATE = 0x0800;
constexpr Word C3_LOWSURROGATE = 0x1000;
constexpr Word C3_ALPHA = 0x8000;

constexpr Cardinal CT_CTYPE1 = 1;
constexpr Cardinal CT_CTYPE2 = 2;
constexpr Cardinal CT_CTYPE3 = 4;

// The 65,536-entry tables, indexed by code unit.  Built once; the pointers
// stay valid for the life of the process.
const Word* CType1Table();
const Word* CType2Table();
const Word* CType3Table();

inline Word CType1Of(char16_t c) { return CType1Table()[c]; }

// GetStringTypeExW: `out[i]` receives the info of `text[i]` for i < count.
// False for an unknown info type, count < 0 or a null pointer with count > 0.
bool GetStringTypeExW(LCID lcid, Cardinal info_type, const char16_t* text, Integer count, Word* out);

// GetStringTypeExA: the bytes are converted with the locale's ANSI code page
// first; a double-byte character gives its class to both of its bytes.
bool GetStringTypeExA(LCID lcid, Cardinal info_type, const char* text, Integer count, Word* out);

}  // namespace cv

#include "text/char_types.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/nls.h"
#include "text/code_pages.h"

namespace cv {

namespace {

using Table = std::array<Word, 65536>;

// CT_CTYPE1 from the general category, then the places where Windows does
// not follow the category.
Word Ctype1FromCategory(UChar32 c) {
  switch (u_charType(c)) {
    case U_UPPERCASE_LETTER: return C1_UPPER | C1_ALPHA | C1_DEFINED;
    case U_LOWERCASE_LETTER: return C1_LOWER | C1_ALPHA | C1_DEFINED;
    case U_TITLECASE_LETTER: return C1_UPPER | C1_LOWER | C1_ALPHA | C1_DEFINED;
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
    case U_LETTER_NUMBER:  // Roman numerals, U+3007: letters to Windows
      return C1_ALPHA | C1_DEFINED;
    case U_DECIMAL_DIGIT_NUMBER: return C1_DIGIT | C1_DEFINED;
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR: return C1_SPACE | C1_DEFINED;
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR: return C1_CNTRL | C1_DEFINED;
    case U_DASH_PUNCTUATION:
    case U_START_PUNCTUATION:
    case U_END_PUNCTUATION:
    case U_CONNECTOR_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
    case U_INITIAL_PUNCTUATION:
    case U_FINAL_PUNCTUATION:
      return C1_PUNCT | C1_DEFINED;
    // Windows counts symbols as punctuation: a symbol is never part of a word.
    case U_MATH_SYMBOL:
    case U_CURRENCY_SYMBOL:
    case U_MODIFIER_SYMBOL:
    case U_OTHER_SYMBOL:
      return C1_PUNCT | C1_DEFINED;
    case U_UNASSIGNED: return 0;
    default:  // marks, other numbers, private use, surrogates
      return C1_DEFINED;
  }
}

std::unique_ptr<Table> BuildCtype1() {
  auto t = std::make_unique<Table>();
  for (UChar32 c = 0; c < 0x10000; ++c) (*t)[c] = Ctype1FromCategory(c);

  // Blanks: tab and the horizontal spaces that Windows lists.
  for (char16_t c : {u'\t', u' ', u'\u00A0', u'\u3000'}) (*t)[c] |= C1_BLANK;
  // The vertical controls are white space.
  for (char16_t c : {u'\t', u'\n', u'\v', u'\f', u'\r', u'\u0085'}) (*t)[c] |= C1_SPACE;
  // Hex digits, ASCII and fullwidth.
  for (char16_t c = u'0'; c <= u'9'; ++c) (*t)[c] |= C1_XDIGIT, (*t)[c + 0xFEE0] |= C1_XDIGIT;
  for (char16_t c = u'A'; c <= u'F'; ++c) (*t)[c] |= C1_XDIGIT, (*t)[c + 0xFEE0] |= C1_XDIGIT;
  for (char16_t c = u'a'; c <= u'f'; ++c) (*t)[c] |= C1_XDIGIT, (*t)[c + 0xFEE0] |= C1_XDIGIT;

  // Legacy Latin-1 classes kept by Windows:
  //  - the superscript digits one, two and three count as digits (and punctuation);
  (*t)[0x00B2] = (*t)[0x00B3] = (*t)[0x00B9] = C1_DIGIT | C1_PUNCT | C1_DEFINED;
  //  - the vulgar fractions are punctuation;
  (*t)[0x00BC] = (*t)[0x00BD] = (*t)[0x00BE] = C1_PUNCT | C1_DEFINED;
  //  - the ordinal indicators and the micro sign are lowercase letters that
  //    are also punctuation;
  (*t)[0x00AA] = (*t)[0x00BA] = (*t)[0x00B5] = C1_LOWER | C1_PUNCT | C1_ALPHA | C1_DEFINED;
  //  - the soft hyphen is punctuation as well as a format control;
  (*t)[0x00AD] = C1_PUNCT | C1_CNTRL | C1_DEFINED;
  //  - the byte-order mark is a blank;
  (*t)[0xFEFF] = C1_BLANK | C1_CNTRL | C1_DEFINED;
  //  - superscript i and n are lowercase letters.
  (*t)[0x2071] = (*t)[0x207F] = C1_LOWER | C1_ALPHA | C1_DEFINED;
  return t;
}

Word Ctype2Of(UChar32 c) {
  if (u_charType(c) == U_UNASSIGNED) return C2_NOTAPPLICABLE;
  switch (u_charDirection(c)) {
    case U_LEFT_TO_RIGHT: return C2_LEFTTORIGHT;
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC: return C2_RIGHTTOLEFT;
    case U_EUROPEAN_NUMBER: return C2_EUROPENUMBER;
    case U_EUROPEAN_NUMBER_SEPARATOR: return C2_EUROPESEPARATOR;
    case U_EUROPEAN_NUMBER_TERMINATOR: return C2_EUROPETERMINATOR;
    case U_ARABIC_NUMBER: return C2_ARABICNUMBER;
    case U_COMMON_NUMBER_SEPARATOR: return C2_COMMONSEPARATOR;
    case U_BLOCK_SEPARATOR: return C2_BLOCKSEPARATOR;
    case U_SEGMENT_SEPARATOR: return C2_SEGMENTSEPARATOR;
    case U_WHITE_SPACE_NEUTRAL: return C2_WHITESPACE;
    case U_BOUNDARY_NEUTRAL: return C2_NOTAPPLICABLE;
    default: return C2_OTHERNEUTRAL;  // other neutrals, marks, embeddings, isolates
  }
}

std::unique_ptr<Table> BuildCtype2() {
  auto t = std::make_unique<Table>();
  for (UChar32 c = 0; c < 0x10000; ++c) (*t)[c] = Ctype2Of(c);
  return t;
}

// CT_CTYPE3 is a legacy classification that Unicode does not carry as such.
// The letter, ideograph, kashida and surrogate bits match Windows exactly;
// the non-spacing, diacritic, symbol, kana and width bits are approximations
// from Unicode properties (full width means East Asian width F only).
Word Ctype3Of(UChar32 c) {
  const int8_t cat = u_charType(c);
  if (cat == U_UNASSIGNED) return 0;
  if (c >= 0xD800 && c <= 0xDBFF) return C3_HIGHSURROGATE;
  if (c >= 0xDC00 && c <= 0xDFFF) return C3_LOWSURROGATE;
  Word w = 0;
  const uint32_t mask = U_MASK(cat);
  if (mask & (U_GC_L_MASK | U_GC_NL_MASK)) w |= C3_ALPHA;
  if (mask & (U_GC_MN_MASK | U_GC_ME_MASK)) w |= C3_NONSPACING;
  if (mask & U_GC_S_MASK) w |= C3_SYMBOL;
  if (u_hasBinaryProperty(c, UCHAR_DIACRITIC) && (mask & U_GC_M_MASK)) w |= C3_DIACRITIC;
  UErrorCode err = U_ZERO_ERROR;
  const UScriptCode script = uscript_getScript(c, &err);
  if (script == USCRIPT_KATAKANA) w |= C3_KATAKANA;
  if (script == USCRIPT_HIRAGANA) w |= C3_HIRAGANA;
  const int width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
  if (width == U_EA_HALFWIDTH || width == U_EA_NARROW) w |= C3_HALFWIDTH;
  if (width == U_EA_FULLWIDTH) w |= C3_FULLWIDTH;
  if (u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC)) w |= C3_IDEOGRAPH;
  if (c == 0x0640) w |= C3_KASHIDA;
  return w;
}

std::unique_ptr<Table> BuildCtype3() {
  auto t = std::make_unique<Table>();
  for (UChar32 c = 0; c < 0x10000; ++c) (*t)[c] = Ctype3Of(c);
  return t;
}

const Word* TableFor(Cardinal info_type) {
  switch (info_type) {
    case CT_CTYPE1: return CType1Table();
    case CT_CTYPE2: return CType2Table();
    case CT_CTYPE3: return CType3Table();
    default: return nullptr;
  }
}

}  // namespace

const Word* CType1Table() {
  static const std::unique_ptr<Table> table = BuildCtype1();
  return table->data();
}

const Word* CType2Table() {
  static const std::unique_ptr<Table> table = BuildCtype2();
  return table->data();
}

const Word* CType3Table() {
  static const std::unique_ptr<Table> table = BuildCtype3();
  return table->data();
}

bool GetStringTypeExW(LCID /*lcid*/, Cardinal info_type, const char16_t* text, Integer count, Word* out) {
  const Word* table = TableFor(info_type);
  if (table == nullptr || count < 0 || (count > 0 && (text == nullptr || out == nullptr))) return false;
  // Unrolled table lookup: this is the inner loop of building a details map.
  Integer i = 0;
  for (; i + 4 <= count; i += 4) {
    const Word a = table[text[i]], b = table[text[i + 1]], c = table[text[i + 2]], d = table[text[i + 3]];
    out[i] = a;
    out[i + 1] = b;
    out[i + 2] = c;
    out[i + 3] = d;
  }
  for (; i < count; ++i) out[i] = table[text[i]];
  return true;
}

namespace {
// The classes of the 256 bytes of a single-byte code page, built once per
// page and info table; nil for a page where a character can take two or
// more bytes.  Typing an 8-bit buffer is then one lookup per byte instead of
// a decode per byte.
const Word* SingleByteClasses(Cardinal cp, const Word* table) {
  struct Entry {
    Cardinal cp;
    const Word* table;
    bool single_byte;
    std::array<Word, 256> classes;
  };
  static std::mutex mutex;
  static std::vector<std::unique_ptr<Entry>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  for (const auto& e : cache)
    if (e->cp == cp && e->table == table) return e->single_byte ? e->classes.data() : nullptr;
  auto e = std::make_unique<Entry>(Entry{cp, table, true, {}});
  for (int b = 0; b < 256; ++b) {
    // 0x80 completes a double-byte pair and a UTF-8 sequence after any
    // lead byte, so every multi-byte page shows itself here.
    const char probe[2] = {static_cast<char>(b), static_cast<char>(0x80)};
    if (CharByteLength(cp, probe, 2) != 1) e->single_byte = false;
    e->classes[static_cast<std::size_t>(b)] = table[DecodeOneChar(cp, probe, 1)];
  }
  cache.push_back(std::move(e));
  return cache.back()->single_byte ? cache.back()->classes.data() : nullptr;
}
}  // namespace

bool GetStringTypeExA(LCID lcid, Cardinal info_type, const char* text, Integer count, Word* out) {
  const Word* table = TableFor(info_type);
  if (table == nullptr || count < 0 || (count > 0 && (text == nullptr || out == nullptr))) return false;
  if (count == 0) return true;
  const Cardinal cp = CodePageOfLCIDOrACP(lcid);
  if (const Word* classes = SingleByteClasses(cp, table)) {
    const auto* bytes = reinterpret_cast<const Byte*>(text);
    for (Integer k = 0; k < count; ++k) out[k] = classes[bytes[k]];
    return true;
  }
  // Each character's class goes to every byte that encodes it.
  Integer i = 0;
  while (i < count) {
    const Integer len = CharByteLength(cp, text + i, count - i);
    const char16_t unit = DecodeOneChar(cp, text + i, len);
    for (Integer k = 0; k < len; ++k) out[i + k] = table[unit];
    i += len;
  }
  return true;
}

}  // namespace cv

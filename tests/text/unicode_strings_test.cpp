#include "text/unicode_strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "files/my_kpsmall.h"
#include "platform/classes.h"
#include "platform/nls.h"
#include "platform/utf.h"
#include "text/code_pages.h"
#include "text/file_of_char.h"
#include "text/utf8_unit.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

fs::path SourceDir() {
  const char* d = std::getenv("CV_SOURCE_DIR");
  return d ? fs::path(d) : fs::path(".");
}

TEST(Utf8, LengthAndValidation) {
  struct Case { std::string bytes; Integer chars; bool ok; bool ascii; };
  const Case cases[] = {
      {"A\xC3\xA9", 2, true, false},
      {"A\xC3", 2, false, true},            // truncated: byte length; sequence past the end
      {"\x80" "A", 2, false, true},         // continuation byte in lead position
      {"plain", 5, true, true},
      {"A\xC3\xA9\x80\x80", 5, true, false}, // only the first sequence is examined
      {"A\xC0\x80", 2, false, true},        // C0 is never a lead byte
      {"\xE0\x80\x80", 1, false, true},     // overlong
      {"\xF4\x90\x80\x80", 1, false, true}, // above U+10FFFF
      {"A\xE2\x82", 3, false, true},        // truncated
      {"", 0, true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UTF8LengthInChars(c.bytes), c.chars) << c.bytes;
    Boolean ascii = false;
    EXPECT_EQ(CheckedUTF(c.bytes, ascii), c.ok) << c.bytes;
    EXPECT_EQ(ascii, c.ascii) << c.bytes;
  }
  EXPECT_EQ(kUTF8SequenceLength[0xBF], 0);
  EXPECT_EQ(kUTF8SequenceLength[0xC0], 1);
  EXPECT_EQ(kUTF8SequenceLength[0xF7], 3);
  EXPECT_EQ(kUTF8SequenceLength[0xFB], 4);
  EXPECT_EQ(kUTF8SequenceLength[0xFF], 5);
}

TEST(Utf8, Signatures) {
  EXPECT_EQ(UTF8SignatureAsUTF8String(), "\xEF\xBB\xBF");
  EXPECT_TRUE(IsUTF8SignatureA("\xEF\xBB\xBFx"));
  EXPECT_FALSE(IsUTF8SignatureA(nullptr));
  // Units BBEF, 00BF: the bytes EF BB BF 00.
  const char16_t two[] = {0xBBEF, 0x00BF, 0};
  EXPECT_TRUE(IsUTF8SignatureW(two));
  const char16_t one[] = {0xBBEF, 0};  // one unit before the NUL: never a signature
  EXPECT_FALSE(IsUTF8SignatureW(one));
}

TEST(CodePageConversion, WindowsSpecificsAndSubstitution) {
  // cp1252 maps every byte; 0x81 is U+0081 and comes back.
  EXPECT_EQ(ConvertedToWideString(Word{1252}, "\x80\x81", 2), u"\u20AC\u0081");
  EXPECT_EQ(ConvertedFromWideString(Word{1252}, u"\u20AC\u0081"), "\x80\x81");
  // Unmappable characters are substituted with '?', not best-fitted.
  EXPECT_EQ(ConvertedFromWideString(Word{1252}, u"\u0142\u221E\u0100x"), "???x");
  bool lost = false;
  AnsiString out;
  EXPECT_TRUE(WideToMultiByte(1250, u"\u0142", out, &lost));
  EXPECT_EQ(out, "\xB3");
  EXPECT_FALSE(lost);
  EXPECT_TRUE(WideToMultiByte(1250, u"\u221E", out, &lost));
  EXPECT_TRUE(lost);
  // Double-byte text gets room for two bytes a character.
  EXPECT_EQ(ConvertedFromWideString(Word{936}, u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(ConvertedToWideString(Word{936}, "\xD6\xD0\xCE\xC4", 4), u"\u4E2D\u6587");
  EXPECT_EQ(ConvertedFromWideString(LCID{0x0411}, u"\u65E5\u672C"), "\x93\xFA\x96\x7B");
  EXPECT_EQ(ConvertedToWideString(LCID{0x0411}, "\x93\xFA\x96\x7B"), u"\u65E5\u672C");
  // A lead byte cut off at the end, null pointers.
  EXPECT_EQ(ConvertedToWideString(Word{932}, "a\x93", 2), u"a?");
  EXPECT_EQ(ConvertedToWideString(Word{1252}, nullptr, 3), u"");
  EXPECT_EQ(ConvertedFromWideString(Word{1252}, nullptr), "");
  EXPECT_EQ(ConvertedToWideString(Word{65001}, "\xC3\xA9", 2), u"\u00E9");
}

// Our converters against ICU's uconv on real translated text (fixture made by
// fixtures/make_uconv_fixture.sh).
TEST(CodePageConversion, AgreesWithUconvOnTranslatedPages) {
  const fs::path dir = SourceDir() / "tests/text/fixtures/uconv";
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const fs::path p = entry.path();
    if (p.extension() != ".utf8") continue;
    const fs::path encoded = p.parent_path() / p.stem();  // "ja-JP.932"
    const Cardinal cp = static_cast<Cardinal>(std::stoul(encoded.extension().string().substr(1)));
    const string text = Utf8ToUtf16(ReadBytes(p));
    const std::string expect = ReadBytes(encoded);
    ASSERT_FALSE(text.empty()) << p;
    bool lost = true;
    AnsiString ours;
    ASSERT_TRUE(WideToMultiByte(cp, text, ours, &lost));
    EXPECT_FALSE(lost) << p;
    EXPECT_TRUE(ours == expect) << p;
    EXPECT_TRUE(MultiByteToWide(cp, expect) == text) << encoded;
    ++files;
  }
  EXPECT_GE(files, 13);
}

TEST(Precomposing, ComposesButKeepsSingletons) {
  struct Case { std::u16string in, out; };
  const Case cases[] = {
      {u"e\u0301te\u0301", u"\u00E9t\u00E9"},
      {u"\u212B", u"\u212B"},                 // ANGSTROM SIGN stays; NFC would give U+00C5
      {u"\u2126x", u"\u2126x"},               // OHM SIGN stays
      {u"A\u030A\u212B", u"\u00C5\u212B"},
      {u"\u1100\u1161", u"\uAC00"},           // Hangul jamo compose
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(EnsurePrecomposed(c.in), c.out);
  EXPECT_EQ(WideCharFromCardinal(65536), u'?');
  EXPECT_EQ(WideCharFromCardinal(65), u'A');
  EXPECT_EQ(WideStringFromCardinal(0x4E2D), u"\u4E2D");
}

TEST(CaseMapping, LocaleRulesInPlace) {
  char16_t tr[] = u"istanbul";
  WinUpperCased(0x041F, tr, true);
  EXPECT_EQ(std::u16string(tr), u"\u0130STANBUL");
  char16_t en[] = u"istanbul";
  char16_t en2[] = u"istanbul";
  WinUpperCased(0x0409, en, true);
  EXPECT_EQ(Capitalise(0x0409, en2, true), 8);
  EXPECT_EQ(std::u16string(en), u"ISTANBUL");
  EXPECT_EQ(std::u16string(en), std::u16string(en2));
  char16_t low[] = u"\u00C9COLE";
  WinLowerCased(0x040C, low, true);
  EXPECT_EQ(std::u16string(low), u"\u00E9cole");
  // 8-bit buffers go through the locale's code page (1254: I-dot is 0xDD).
  char ansi[] = "ix\xE7";
  WinUpperCased(0x041F, ansi, false);
  EXPECT_STREQ(ansi, "\xDDX\xC7");
  EXPECT_EQ(CaseInsensitivePos(u"B\u00E9", u"xab\u00C9"), 3);
  EXPECT_EQ(CaseInsensitivePos(u"q", u"abc"), 0);
  EXPECT_EQ(CaseInsensitiveUpperedPos(u"BC", u"abc"), 2);
}

TEST(SmallUtilities, LineEndsTabsAndFields) {
  Integer inserted = -7;
  EXPECT_EQ(UnixStringToWindowsStringW(inserted, u"a\nb\rc\r"), u"a\r\nb\r\nc\r");
  EXPECT_EQ(inserted, 2);
  EXPECT_EQ(UnixStringToWindowsString(inserted, "x\r\ny\n"), "x\r\ny\r\n");
  EXPECT_EQ(inserted, 1);
  inserted = -7;
  EXPECT_EQ(UnixStringToWindowsStringW(inserted, u""), u"");
  EXPECT_EQ(inserted, -7);
  EXPECT_EQ(UnixStringToWindowsString(inserted, std::string("a\0\n", 3)), "a");

  EXPECT_EQ(ExpandTabbedWideString(u"a\t\tb", 2), u"a    b");
  EXPECT_EQ(StrScanIndex(u"abcb", u'b', 3), 4);
  EXPECT_EQ(StrScanIndex(u"abcb", u'b', 5), 0);
  char16_t buf[4] = {1, 1, 1, 1};
  FillWChar(buf, 5, u'x');
  EXPECT_EQ(std::u16string(buf, 4), u"xx\x01\x01");

  search_word_type32 field;
  StringToSearch_word_type32(std::u16string(100, u'w'), field);
  EXPECT_EQ(field[79], u'w');
  EXPECT_EQ(field[80], 0);
  EXPECT_EQ(Search_word_type32ToString(&field), std::u16string(80, u'w'));
  EXPECT_TRUE(IsHashSymbol(27));
  EXPECT_TRUE(IsHashOrBrace(u'{'));
  EXPECT_FALSE(IsHashOrBrace(u'}'));
}

TEST(SmallUtilities, CharacterCodeEscapesDecodeInOnePass) {
  struct Case { std::u16string in, out; Integer last; };
  const Case cases[] = {
      {u"x{chr(65)}y#66", u"xAyB", 66},
      {u"{CHR(z)}", u"{CHR(z)}", -1},
      {u"a#b", u"a#b", -1},
      {u"{chr(35)}66", u"#66", 35},          // the '#' made by an escape is not read again
      {u"#35#3", u"#\u0003", 3},
      {u"{CHR(0)}#0", u"{CHR(0)}#0", -1},    // 0 is no character
      {u"{CHR(70000)}#70000", u"{CHR(70000)}#70000", -1},  // nor is anything above 0xFFFF
      {u"{CHR($41)}", u"A", 65},
  };
  for (const auto& c : cases) {
    std::u16string s = c.in;
    EXPECT_EQ(MyFormatValidNumberStr(s), c.last) << Utf16ToUtf8(c.in);
    EXPECT_EQ(s, c.out) << Utf16ToUtf8(c.in);
  }
}

// Long conversions hand control to the user interface now and then, not at
// every character.
TEST(SmallUtilities, YieldEveryFewThousandCharacters) {
  int calls = 0;
  AYieldProcessProc = [&calls] { ++calls; };
  Integer inserted = 0;
  UnixStringToWindowsStringW(inserted, std::u16string(10000, u'a'));
  EXPECT_EQ(calls, 2);
  calls = 0;
  Boolean ascii = false;
  EXPECT_TRUE(CheckedUTF(std::string(10000, 'a'), ascii));
  EXPECT_EQ(calls, 2);
  AYieldProcessProc = nullptr;
}

TEST(SmallUtilities, StaticCopiesAreCut) {
  const std::u16string long_text(300, u'\u00E9');
  const WideChar* w = GetCopyOfWideSTringEncodedASUnicode(long_text, 0x0409);
  EXPECT_EQ(std::u16string(w).size(), 255u);
  const AnsiChar* a = GetCopyOfWideSTringEncodedAsAnsi(long_text, 0x040C);
  EXPECT_EQ(std::string(a), std::string(255, '\xE9'));
  EXPECT_EQ(std::u16string(GetCopyOfAnsiEncodedAsUnicode("caf\xE9", 0x040C)), u"caf\u00E9");
  EXPECT_EQ(std::string(GetCopyOfAnsiEncodedAsAnsi(std::string(400, 'x'), 0)).size(), 255u);
}

TEST(AppendingToFiles, MarkOnNewAndEmptyFilesOnly) {
  const fs::path dir = fs::temp_directory_path() / ("cv_text_append_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path fresh = dir / "new.txt", empty = dir / "empty.txt";
  std::ofstream(empty).close();
  AddToFileOfChar(Utf8ToUtf16(fresh.string()), u"ab");
  AddToFileOfChar(Utf8ToUtf16(fresh.string()), u"\u4E2D");
  EXPECT_EQ(ReadBytes(fresh), std::string("\xFF\xFE" "a\0b\0\x2D\x4E", 8));
  AddToFileOfChar(Utf8ToUtf16(empty.string()), u"x");
  EXPECT_EQ(ReadBytes(empty), std::string("\xFF\xFEx\0", 4));

  TStringList lines;
  lines.Add(u"caf\u00E9");
  lines.Add(u"");
  const fs::path ansi = dir / "ansi.txt";
  EXPECT_THROW(AnsiAppendToTextFile(Utf8ToUtf16(ansi.string()), lines), EOSError);  // must exist
  std::ofstream(ansi) << "top\r\n";
  AnsiAppendToTextFile(Utf8ToUtf16(ansi.string()), lines);
  EXPECT_EQ(ReadBytes(ansi), "top\r\ncaf\xE9\r\n\r\n");

  const fs::path uni = dir / "uni.txt";
  UnicodeAppendToTextFile(Utf8ToUtf16(uni.string()), lines);
  EXPECT_EQ(ReadBytes(uni), std::string("\xFF\xFE" "c\0a\0f\0\xE9\0\r\0\n\0\r\0\n\0", 18));
  EXPECT_THROW(AddToFileOfChar(Utf8ToUtf16((dir / "no/such/dir.txt").string()), u"x"), EOSError);
  AddToFileOfChar(u"", u"x");  // nothing happens
  fs::remove_all(dir);
}

}  // namespace
}  // namespace cv

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <vector>

#include "files/dll_utils.h"
#include "files/general_runtime_filters.h"
#include "files/my_kpsmall.h"
#include "files/registry_utils.h"
#include "files/wingenok.h"
#include "platform/nls.h"
#include "platform/process.h"
#include "platform/utf.h"

namespace cv {
namespace {

double CpuSeconds() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return ru.ru_utime.tv_sec + ru.ru_stime.tv_sec + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

TEST(Waits, ReturnAtOnceWhenThereIsNothingToWaitFor) {
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  bool clear = false;
  bool set = true;
  const Int64 t0 = MonotonicMilliseconds();
  EXPECT_FALSE(WaitedFor(clear, 5));
  EXPECT_FALSE(WaitTillDone(set, 5));
  EXPECT_FALSE(EspereFuncao([] { return false; }, 5));
  EXPECT_LT(MonotonicMilliseconds() - t0, 100);
  AYieldProcessProc = nullptr;
}

TEST(Waits, TimeOutAfterAWholeSecondWithoutSpinning) {
  bool flag = true;
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  const double cpu0 = CpuSeconds();
  const Int64 t0 = MonotonicMilliseconds();
  EXPECT_TRUE(WaitedFor(flag, 0));
  const Int64 waited = MonotonicMilliseconds() - t0;
  EXPECT_GE(waited, 1000);
  EXPECT_LT(waited, 2000);
  EXPECT_LT(CpuSeconds() - cpu0, 0.5) << "the wait must sleep, not spin";
  EXPECT_GE(yields, 3);
  EXPECT_EQ(yields % 3, 0);
  AYieldProcessProc = nullptr;
}

TEST(Waits, TheHookCanEndTheWait) {
  bool busy = true;
  int calls = 0;
  AYieldProcessProc = [&] {
    if (++calls == 7) busy = false;
  };
  EXPECT_FALSE(WaitedFor(busy, 10));
  bool done = false;
  calls = 0;
  AYieldProcessProc = [&] {
    if (++calls == 4) done = true;
  };
  EXPECT_FALSE(WaitTillDone(done, 10));
  int polls = 0;
  AYieldProcessProc = nullptr;
  EXPECT_FALSE(EspereFuncao([&] { return ++polls < 3; }, 10));
}

std::vector<std::u16string> g_boxes;
int CaptureBox(std::u16string_view text, std::u16string_view, Cardinal) {
  g_boxes.emplace_back(text);
  return IDOK;
}

TEST(CheckExec, ReportsFailedStarts) {
  const auto old = SetMessageBoxHandler(CaptureBox);
  const struct {
    Cardinal code;
    const char16_t* text;
  } cases[] = {
      {0, u"Not enough memory to run /x/a.xyz"}, {8, u"Not enough memory to run /x/a.xyz"},
      {2, u"Can't access /x/a.xyz"},             {5, u"Can't access /x/a.xyz"},
      {16, u"/x/a.xyz already running"},         {26, u"Sharing problem: /x/a.xyz"},
      {31, u"Can't handle files ending \".xyz\""}, {27, u"Can't handle files ending \".xyz\""},
      {11, u"Can't communicate with /x/a.xyz"},
  };
  for (const auto& c : cases) {
    g_boxes.clear();
    EXPECT_EQ(CheckExec(c.code, u"/x/a.xyz"), c.code);
    ASSERT_EQ(g_boxes.size(), 1u) << c.code;
    EXPECT_EQ(g_boxes[0], c.text);
  }
  g_boxes.clear();
  EXPECT_EQ(CheckExec(42, u"/x/a.xyz"), 42u);
  EXPECT_TRUE(g_boxes.empty());
  SetMessageBoxHandler(old);
}

TEST(SmallStrings, AmpersandsBooleansAttributes) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } amps[] = {
      {u"Save & quit", u"Save && quit"}, {u"Tom&", u"Tom&&"}, {u"Tom&&", u"Tom&&"},
      {u"A&&B", u"A&&B"}, {u"&", u"&&"}, {u"", u""}, {u"none", u"none"},
  };
  for (const auto& a : amps) EXPECT_EQ(DoubleAnyAmpersands(a.in), a.out) << Utf16ToUtf8(a.in);

  EXPECT_EQ(BooleanToStr(true), u"true");
  EXPECT_EQ(BooleanToStr(false), u"false");
  EXPECT_TRUE(StrToBoolean(u"TRUE"));
  EXPECT_TRUE(StrToBoolean(u"True"));
  EXPECT_FALSE(StrToBoolean(u"yes"));
  EXPECT_FALSE(StrToBoolean(u""));

  EXPECT_EQ(AttributesToStr(0x01 | 0x02 | 0x10), u"rhd");
  EXPECT_EQ(AttributesToStr(0x37), u"rashd");
  EXPECT_EQ(AttributesToStr(0), u"");

  EXPECT_EQ(Rightstr(u"abcdef", 2), u"ef");
  EXPECT_EQ(Rightstr(u"ab", 5), u"ab");
  EXPECT_EQ(Rightstr(u"ab", -1), u"");
}

TEST(Numbers, IntToDecStrIsExact) {
  TFormatSettings fs = InvariantFormatSettings();
  EXPECT_EQ(IntToDecStr(16777217, fs), u"16,777,217");  // not representable as a Single
  EXPECT_EQ(IntToDecStr(Integer{-1234567}, fs), u"-1,234,567");
  EXPECT_EQ(IntToDecStr(Integer{0}, fs), u"0");
  EXPECT_EQ(IntToDecStr(Integer{999}, fs), u"999");
  EXPECT_EQ(IntToDecStr(INT64_MAX, fs), u"9,223,372,036,854,775,807");
  EXPECT_EQ(IntToDecStr(INT64_MIN, fs), u"-9,223,372,036,854,775,808");
  fs.ThousandSeparator = u'.';
  EXPECT_EQ(IntToDecStr(Integer{1000}, fs), u"1.000");

  fs = InvariantFormatSettings();
  EXPECT_EQ(RealToDecStr(1234567.891, fs), u"1,234,567.89");
  EXPECT_EQ(RealToDecStr(0.5, fs), u".50");
  EXPECT_EQ(RealToDecStr(NAN, fs), u"*");
  EXPECT_EQ(Int64ToSingle(3), 3.0f);
}

TEST(Numbers, DigitsOfAnyScript) {
  EXPECT_TRUE(IsOrdinaryNumberChar(u'7'));
  EXPECT_FALSE(IsOrdinaryNumberChar(u'\x0667'));
  EXPECT_TRUE(IsADigitChar(u'\x0667'));  // Arabic-Indic seven
  EXPECT_TRUE(IsADigitChar(u'\xFF13'));  // full-width three
  EXPECT_FALSE(IsADigitChar(u'x'));
}

TEST(Time, ElapsedSecondsAreNotCutToADay) {
  const TDateTime two_days_ago = Now() - 2.0 - 30.0 / 86400.0;
  const Int64 s = SecondsElapsedSince(two_days_ago);
  EXPECT_NEAR(static_cast<double>(s), 2 * 86400 + 30, 2);
  EXPECT_EQ(TodaysTimeInSeconds(45000.5), 43200);
  EXPECT_EQ(TodaysTimeInSeconds(45000.25), 21600);
  EXPECT_EQ(TodayAsLongint(), static_cast<Integer>(std::floor(Date())));
  EXPECT_GT(Compilation_DateTime(), 40000.0);  // after 2009
  EXPECT_EQ(Compilation_Year().size(), 4u);
}

TEST(Buffers, StrLScanWAndByteSwap) {
  const char16_t text[] = u"abcabc";
  EXPECT_EQ(StrLScanW(text, u'c', 6), text + 2);
  EXPECT_EQ(StrLScanW(text, u'c', 2), nullptr);
  EXPECT_EQ(StrLScanW(text, u'a', 0), nullptr);  // nothing scanned, nothing found
  EXPECT_EQ(StrLScanW(nullptr, u'a', 3), nullptr);

  char16_t swap[] = u"\x0102\x4100";
  StrSwapByteOrder(swap);
  EXPECT_EQ(swap[0], 0x0201);
  EXPECT_EQ(swap[1], 0x0041);
  EXPECT_EQ(swap[2], 0);
  StrSwapByteOrder(nullptr);
}

TEST(Locale, CodePagesMeasurementsAndCase) {
  const struct {
    LCID lcid;
    Cardinal cp;
    bool metric;
  } cases[] = {
      {0x0409, 1252, false}, {0x0809, 1252, true}, {0x0407, 1252, true}, {0x0419, 1251, true},
      {0x041F, 1254, true},  {0x0405, 1250, true}, {0x0408, 1253, true}, {0x040D, 1255, true},
      {0x0401, 1256, true},  {0x0425, 1257, true}, {0x042A, 1258, true}, {0x041E, 874, true},
      {0x0411, 932, true},   {0x0804, 936, true},  {0x0412, 949, true},  {0x0404, 950, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageFromLocale(c.lcid), c.cp) << std::hex << c.lcid;
    EXPECT_EQ(LCIDToCodePage(c.lcid), c.cp) << std::hex << c.lcid;
    EXPECT_EQ(UserDefaultMeasurements(c.lcid), c.metric) << std::hex << c.lcid;
  }
  // An unknown locale falls back to the process's ANSI code page.
  const Cardinal acp = GetACP();
  EXPECT_EQ(CodePageFromLocale(0x7777), acp);
  SetACP(1250);
  EXPECT_EQ(CodePageFromLocale(0x7777), 1250u);
  SetACP(acp);

  EXPECT_EQ(Uppercase(0x041F, u"istanbul"), u"\x0130STANBUL");
  EXPECT_EQ(Lowercase(0x041F, u"ISPARTA"), u"\x0131sparta");
  EXPECT_EQ(Uppercase(0x0409, u"istanbul"), u"ISTANBUL");
  EXPECT_EQ(Uppercase(0x0409, std::u16string_view(u"ab\0cd", 5)), u"AB");  // up to the first null
  char16_t buf[] = u"\x00DF" u"iz";
  UppercaseIt(0x042C, buf);  // Azeri
  EXPECT_EQ(std::u16string(buf), u"\x00DF\x0130Z");  // sharp s keeps its length
  EXPECT_EQ(Uppercase(u"stra\x00DF" u"e"), u"STRA\x00DF" u"E");
}

TEST(Library, BindsAFunctionByName) {
  Tlibrary_rec rec = FindLibraryFunction(u"libm.so.6", "cos");
  ASSERT_NE(rec.Hinst, nullptr);
  ASSERT_NE(rec.FPointer, nullptr);
  EXPECT_EQ(reinterpret_cast<double (*)(double)>(rec.FPointer)(0.0), 1.0);
  EXPECT_TRUE(CloseLibraryFunction(rec));
  EXPECT_EQ(rec.Hinst, nullptr);
  EXPECT_EQ(rec.FPointer, nullptr);

  rec = FindLibraryFunction(u"libm.so.6", "no_such_function");
  EXPECT_NE(rec.Hinst, nullptr);
  EXPECT_EQ(rec.FPointer, nullptr);
  CloseLibraryFunction(rec);
  rec = FindLibraryFunction(u"libno_such_library.so", "f");
  EXPECT_EQ(rec.Hinst, nullptr);
  EXPECT_FALSE(CloseLibraryFunction(rec));
}

TEST(User, NameAndInitials) {
  EXPECT_FALSE(Registry_Current_User().empty());
  EXPECT_EQ(InitialsOf(u"john"), u"");
  EXPECT_EQ(InitialsOf(u"John Smith Jones"), u"JS");
  EXPECT_EQ(InitialsOf(u"\x00C9mile"), u"\x00C9");
}

TEST(LanguageStringlist, StartsUnicodeWithItsLanguage) {
  TLanguageStringlist list(0x0419);
  EXPECT_EQ(list.Language, 0x0419u);
  EXPECT_TRUE(list.SaveUnicode);
  list.Add(u"\u0441\u043B\u043E\u0432\u043E");
  EXPECT_EQ(list.Count(), 1);
}

TEST(Filters, DialogFileTypes) {
  EXPECT_EQ(WordList_Filetypes.mask_str, u"*.lst;*.tokens;*.mut");
  EXPECT_EQ(Keywords_Filetypes.display_str, u"KeyWords files");
  EXPECT_EQ(CVConcgram_Filetypes.mask_str, u"*.base_index");
  EXPECT_EQ(All_FileTypes.mask_str, u"*.*");
}

}  // namespace
}  // namespace cv

// The get/set exports of libCairn7, in one process.
#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "cairn_test_support.h"
#include "settings_library/cairn7.h"

namespace {

using cvtest::RegionBytes;

class CairnExports : public cvtest::RegionTest {};

std::u16string Text(const char16_t* p) { return p == nullptr ? u"<null>" : std::u16string(p); }

TEST_F(CairnExports, ScalarSettersReportAChangeOnceAndEveryProcessSeesTheBytes) {
  struct Case {
    const char* name;
    std::function<bool()> set;
    std::function<long long()> get;
    long long expected;
    std::size_t offset, size;
  };
  const Case cases[] = {
      {"AutoSaveMinutes", [] { return SetAutoSaveMinutes(10); }, [] { return GetAutoSaveMinutes(); }, 10, 92400, 4},
      {"IgnoreTagsSpan", [] { return SetIgnoreTagsSpan(-2); }, [] { return GetIgnoreTagsSpan(); }, -2, 92456, 2},
      {"TempOne32char", [] { return SetTempOne32char(0x1F600); }, [] { return GetTempOne32char(); }, 0x1F600, 92392, 4},
      {"ShellWnd", [] { return SetShellWnd(0xCAFE); }, [] { return GetShellWnd(); }, 0xCAFE, 92368, 4},
      {"AskRunConc", [] { return SetAskWhetherToSaveRunConcData(1); }, [] { return GetAskWhetherToSaveRunConcData(); }, 1, 92504, 1},
      {"TMSOfficeStyle", [] { return SetTMSOfficeStyle(9); }, [] { return GetTMSOfficeStyle(); }, 9, 36524, 1},
      {"ConcEntriesWanted", [] { return SetConcSaveRecEntriesWantedPerSw(77); }, [] { return GetConcSaveRecEntriesWantedPerSW(); }, 77, 47192 + 648, 4},
      {"ToolsOpen[tt_kwic]", [] { return SetToolsOpen(1, 3); }, [] { return GetToolsOpen(1); }, 3, 14468 + 4, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(c.set());
    EXPECT_FALSE(c.set());
    EXPECT_EQ(c.get(), c.expected);
    const auto bytes = RegionBytes(region_);
    ASSERT_EQ(bytes.size(), 92512u);
    long long stored = 0;
    std::memcpy(&stored, &bytes[c.offset], c.size);
    if (c.size == 2) stored = static_cast<int16_t>(stored);
    EXPECT_EQ(stored, c.expected);
  }
}

TEST_F(CairnExports, OverLongTextIsCutAndARepeatIsNoChange) {
  const std::u16string long_text(300, u'x');
  EXPECT_TRUE(SetTempPathFolder(long_text.c_str()));
  EXPECT_EQ(Text(GetTempPathFolder()), std::u16string(260, u'x'));
  EXPECT_FALSE(SetTempPathFolder(long_text.c_str()));
  // A surrogate pair that would straddle the cut is left out whole.
  const std::u16string pair_at_end = std::u16string(259, u'y') + u"\U0001F600";
  EXPECT_TRUE(SetTempPathFolder(pair_at_end.c_str()));
  EXPECT_EQ(Text(GetTempPathFolder()), std::u16string(259, u'y'));
  // The end-of-text header holds 80 characters.
  EXPECT_TRUE(SetEndOfTextHeader(long_text.c_str()));
  EXPECT_EQ(Text(GetEndOfTextHeader()).size(), 80u);
  EXPECT_FALSE(SetEndOfTextHeader(long_text.c_str()));
}

TEST_F(CairnExports, FoldersAreNormalisedBeforeTheyAreCompared) {
  EXPECT_TRUE(SetDefaultFolder(3, u"/data/corpus/"));
  EXPECT_EQ(Text(GetDefaultFolder(3)), u"/data/corpus");
  EXPECT_FALSE(SetDefaultFolder(3, u"/data//old/../corpus/."));
  EXPECT_TRUE(SetInstructionsFolder(u"/srv/x/"));
  EXPECT_FALSE(SetInstructionsFolder(u"/srv/x"));
  EXPECT_EQ(Text(GetInstructionsFolder()), u"/srv/x");
  // Three characters or fewer are stored as given.
  EXPECT_TRUE(SetLastOpenedFolder(0, u"ab/"));
  EXPECT_EQ(Text(GetLastOpenedFolder(0)), u"ab/");
}

TEST_F(CairnExports, LastFileNamesFollowTheirExtension) {
  EXPECT_TRUE(SetLastMainToolFileName(0, u"/r/keys.kdb"));
  EXPECT_EQ(Text(GetLastUsedFile(2)), u"/r/keys.kdb");
  EXPECT_EQ(Text(GetLastMainToolFileName(0)), u"");
  EXPECT_TRUE(SetLastMainToolFileName(12, u"/r/idx.tokens"));  // any slot: it is not stored there
  EXPECT_EQ(Text(GetLastUsedFile(23)), u"/r/idx.tokens");
  EXPECT_TRUE(SetLastMainToolFileName(9, u"/r/a.KDB"));  // extensions are case-sensitive
  EXPECT_EQ(Text(GetLastMainToolFileName(9)), u"/r/a.KDB");
  EXPECT_FALSE(SetLastMainToolFileName(10, u"/r/a.lst"));
  EXPECT_EQ(GetLastUsedFile(0), nullptr);
  EXPECT_FALSE(SetLastUsedFile(0, u"x"));
}

TEST_F(CairnExports, DefaultTextSpecs) {
  EXPECT_EQ(Text(GetDefaultTextSpecs()), u"*.*");
  EXPECT_TRUE(SetDefaultTextSpecs(u""));
  EXPECT_EQ(Text(GetDefaultTextSpecs()), u".");
  EXPECT_TRUE(SetDefaultTextSpecs(u"*.txt;*.xml;*.htm"));
  EXPECT_EQ(Text(GetDefaultTextSpecs()), u"*.txt;*.xm");
}

// Every setter given an index outside its range refuses and leaves every byte
// of the shared record as it was.
TEST_F(CairnExports, OutOfRangeSettersChangeNothing) {
  SetAllDefaults();
  TMatchListSettingsRec match{};
  TStoplistSettingsRec stop{};
  TLemmaListSettingsRec lemma{};
  TSelectTextFile_RecW select{};
  TText_segment_rec marker{};
  const std::pair<const char*, std::function<bool()>> cases[] = {
      {"SetToolsOpen 18", [] { return SetToolsOpen(18, 1); }},
      {"SetKeyPressMode 255", [] { return SetKeyPressMode(255, 2); }},
      {"SetActiveMainToolWindow 18", [] { return SetActiveMainToolWindow(18, 5); }},
      {"SetActiveChildToolWindow 200", [] { return SetActiveChildToolWindow(200, 5); }},
      {"SetLemmaMatchStopFilename slot 4", [] { return SetLemmaMatchStopFilename(4, 0, u"f"); }},
      {"SetLemmaMatchStopFilename kind 4", [] { return SetLemmaMatchStopFilename(0, 4, u"f"); }},
      {"SetLemmaMatchStopWanted -1", [] { return SetLemmaMatchStopWanted(-1, 0, 1); }},
      {"SetRelationMatchWanted 4", [] { return SetRelationMatchWanted(4, 1); }},
      {"SetMatchListSettings 4", [&] { return SetMatchListSettings(4, &match); }},
      {"SetMatchListBasis 4", [] { return SetMatchListBasis(4, 1); }},
      {"SetStopListSettings -1", [&] { return SetStopListSettings(-1, &stop); }},
      {"SetLemmaListSettings 4", [&] { return SetLemmaListSettings(4, &lemma); }},
      {"SetUseUserFilter slot 4", [] { return SetUseUserFilter(1, 4); }},
      {"SetNewChoiceOfTextFiles 4", [] { SetNewChoiceOfTextFiles(4, 1); return false; }},
      {"SetRemoveDuplicatesAutomatically 3", [] { return SetRemoveDuplicatesAutomatically(3, 1); }},
      {"SetWizardStartsAutomatically 3", [] { return SetWizardStartsAutomatically(3, 1); }},
      {"SetZipAllResults 3", [] { return SetZipAllResults(3, 1); }},
      {"SetOutputResultsCase 3", [] { return SetOutputResultsCase(3, 1); }},
      {"SetFastMinimalProcessing 4", [] { return SetFastMinimalProcessing(4, 1); }},
      {"SetMenuItemChecked 225", [] { return SetMenuItemChecked(225, 1); }},
      {"ToggleMenuItem -1", [] { return ToggleMenuItem(-1); }},
      {"SetPopupMenuTagInUse -1", [] { return SetPopupMenuTagInUse(-1, 1); }},
      {"SetCarryoutProcedureTagBoolean 225", [] { return SetCarryoutProcedureTagBoolean(225, 0); }},
      {"SetMenuShortcut 225", [] { return SetMenuShortcut(225, 1, 7); }},
      {"SetWordHandlingColour style 13", [] { return SetWordHandlingColour(13, 1, 0, 5); }},
      {"SetWordHandlingColour kind 21", [] { return SetWordHandlingColour(0, 21, 0, 5); }},
      {"SetWordHandlingColour which 4", [] { return SetWordHandlingColour(0, 1, 4, 5); }},
      {"SetWordHandlingTypeface style 13", [] { return SetWordHandlingTypeface(13, 1, 8); }},
      {"SetDefaultColumnsVisible row 3", [] { return SetDefaultColumnsVisible(3, 0, 0); }},
      {"SetDefaultColumnsVisible column 21", [] { return SetDefaultColumnsVisible(0, 21, 0); }},
      {"SetDefaultColumnsVisible row -1", [] { return SetDefaultColumnsVisible(-1, 0, 0); }},
      {"SetTextSelectAtAllString 0", [&] { return SetTextSelectAtAllString(0, &select); }},
      {"SetTextSelectAtAllString 29", [&] { return SetTextSelectAtAllString(29, &select); }},
      {"SetTextSelectWithinContext -5", [&] { return SetTextSelectWithinContext(-5, &select); }},
      {"SetChosenTextFiles 10", [] { return SetChosenTextFiles(10, u"f", 1); }},
      {"SetDefaultFolder 10", [] { return SetDefaultFolder(10, u"/x/y/z"); }},
      {"SetLastOpenedFolder -1", [] { return SetLastOpenedFolder(-1, u"/x/y/z"); }},
      {"SetLastMainToolFileName 10", [] { return SetLastMainToolFileName(10, u"a.lst"); }},
      {"SetBaseHeadingsWidth 3", [] { return SetBaseHeadingsWidth(3, 9); }},
      {"SetStandardTextMarkers 13", [&] { return SetStandardTextMarkers(13, &marker); }},
      {"SetStandardTextMarkers 22", [&] { return SetStandardTextMarkers(22, &marker); }},
      {"ResetToDefaultColours 13", [] { return ResetToDefaultColours(13); }},
      {"SetLastUsedFile 0", [] { return SetLastUsedFile(0, u"x"); }},
  };
  for (const auto& [name, set] : cases) {
    SCOPED_TRACE(name);
    const auto before = RegionBytes(region_);
    EXPECT_FALSE(set());
    EXPECT_TRUE(RegionBytes(region_) == before);
  }
}

TEST_F(CairnExports, OutOfRangeGettersGiveZeros) {
  SetAllDefaults();
  EXPECT_EQ(GetToolsOpen(18), 0);
  EXPECT_EQ(GetActiveMainToolWindow(18), 0u);
  EXPECT_EQ(GetDefaultFolder(10), nullptr);
  EXPECT_EQ(GetLastOpenedFolder(-1), nullptr);
  EXPECT_EQ(GetLastMainToolFileName(10), nullptr);
  EXPECT_EQ(GetLemmaMatchStopFilename(0, 4), nullptr);
  EXPECT_EQ(GetMenuShortcut(225, 1), 0);
  EXPECT_EQ(GetMenuItemChecked(-1), 0);
  EXPECT_EQ(GetCarryoutProcedureTagBoolean(225), 0);
  EXPECT_EQ(GetZipAllResults(3), 0);
  EXPECT_EQ(GetWordHandlingColour(13, 0, 0), 0);
  EXPECT_EQ(GetBaseHeadingsWidth(7), 2);
  auto all_zero = [](const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i)
      if (b[i] != 0) return false;
    return true;
  };
  TSelectTextFile_RecW select;
  std::memset(&select, 0xAB, sizeof select);
  GetTextSelectAtAllString(29, &select);
  EXPECT_TRUE(all_zero(&select, sizeof select));
  TFilenameWideStringAndInteger chosen;
  std::memset(&chosen, 0xAB, sizeof chosen);
  GetChosenTextFiles(10, &chosen);
  EXPECT_TRUE(all_zero(&chosen, sizeof chosen));
  TMyCanvasColourRecAndTypeface entry;
  std::memset(&entry, 0xAB, sizeof entry);
  GetWordHandlingColourRecAndTypeface(0, 21, &entry);
  EXPECT_TRUE(all_zero(&entry, sizeof entry));
  uint8_t row[21];
  std::memset(row, 0xAB, sizeof row);
  GetDefaultColumnsVisible(4, row);
  EXPECT_TRUE(all_zero(row, sizeof row));
}

// Records filled with a recognisable pattern come back unchanged, spare bytes
// included, except that the last unit of every fixed text is a terminator.
template <typename T>
void CheckRecordRoundTrip(bool (*set)(const T*), void (*get)(T*), std::vector<std::size_t> text_ends) {
  T rec;
  auto* b = reinterpret_cast<unsigned char*>(&rec);
  for (std::size_t i = 0; i < sizeof rec; ++i) b[i] = static_cast<unsigned char>(i * 7 + 1);
  EXPECT_TRUE(set(&rec));
  EXPECT_FALSE(set(&rec));
  T back;
  get(&back);
  for (std::size_t end : text_ends) b[end - 2] = b[end - 1] = 0;
  EXPECT_EQ(std::memcmp(&back, &rec, sizeof rec), 0);
  EXPECT_FALSE(set(&back));
}

TEST_F(CairnExports, RecordsRoundTripWithTerminatorsForced) {
  CheckRecordRoundTrip<TCVPrinter_rec>(SetPrinterInfo, GetPrinterInfo, {160, 320, 480, 736, 898});
  CheckRecordRoundTrip<TProxySettings>(SetProxySettings, GetProxySettings, {522, 584, 746, 908});
  CheckRecordRoundTrip<TConcSettingsRec32>(SetConcSaveRec, GetConcSaveRec, {162, 324, 486, 648});
  CheckRecordRoundTrip<TCharGramSettings>(SetCharGramSettings, GetCharGramSettings, {});
  CheckRecordRoundTrip<TMediaParseRec>(SetMediaMarkers, GetMediaMarkers, {524, 1046, 1108, 1134, 1156, 1288});
  CheckRecordRoundTrip<tProgressParams>(SetProgressParams, GetProgressParams, {430, 832});
}

TEST_F(CairnExports, ConcordanceFieldRules) {
  EXPECT_TRUE(SetConcSaveRecCollocMinLength(259));  // saturates: 255, not the low byte 3
  EXPECT_EQ(GetConcSaveRecCollocMinLength(), 255);
  EXPECT_FALSE(SetConcSaveRecCollocMinLength(300));
  EXPECT_TRUE(SetConcSaveRecCollocMinLength(3));
  EXPECT_FALSE(SetConcSaveRecCollocMinLength(3));

  char16_t word[81] = u"house";
  EXPECT_TRUE(SetConcSaveRecSearchword(word));
  word[40] = u'z';  // after the terminator: still a change, all 81 units count
  EXPECT_TRUE(SetConcSaveRecSearchword(word));
  EXPECT_FALSE(SetConcSaveRecSearchword(word));
  char16_t back[81];
  GetConcSaveRecSearchword(back);
  EXPECT_EQ(std::memcmp(back, word, sizeof word), 0);

  EXPECT_TRUE(SetConcSaveRecCollocHorizons(0xFFFD0004u));  // to_left 4, to_right -3
  TConcSettingsRec32 rec;
  GetConcSaveRec(&rec);
  EXPECT_EQ(rec.colloc_horizons.to_left, 4);
  EXPECT_EQ(rec.colloc_horizons.to_right, -3);
  EXPECT_FALSE(SetConcSaveRec(&rec));
}

TEST_F(CairnExports, ScratchVariantRefusesPointers) {
  auto variant = [](uint16_t vt, int64_t bits) {
    TCairnVariant v{};
    v.vt = vt;
    std::memcpy(v.value, &bits, 8);
    return v;
  };
  const TCairnVariant i4 = variant(3, 5);
  double five = 5.0;
  int64_t five_bits;
  std::memcpy(&five_bits, &five, 8);
  EXPECT_TRUE(SetTempVariant(&i4));
  EXPECT_FALSE(SetTempVariant(&i4));
  const TCairnVariant r8 = variant(5, five_bits);
  EXPECT_FALSE(SetTempVariant(&r8));  // the same value as a double
  for (uint16_t vt : {8, 9, 13, 12, 0x4003, 0x2003, 0x100, 0x102}) {
    SCOPED_TRACE(vt);
    const TCairnVariant bad = variant(vt, 0x12345678);
    EXPECT_FALSE(SetTempVariant(&bad));
  }
  TCairnVariant back;
  GetTempVariant(&back);
  EXPECT_EQ(back.vt, 3);
}

TEST_F(CairnExports, SettersWithTheirOwnRules) {
  const int32_t colours[4] = {0x11, 0x22, 0x33, 0x44};
  EXPECT_TRUE(SetPercentColourRanges(colours));
  EXPECT_EQ(GetShouldColourPercentages(), 1);
  EXPECT_EQ(GetAPercentageColour(33), 0x11);
  EXPECT_EQ(GetAPercentageColour(34), 0x22);
  EXPECT_EQ(GetAPercentageColour(100), 0x44);
  EXPECT_EQ(GetAPercentageColour(101), 0);

  EXPECT_FALSE(SetWordHandlingColour(0, 0, 0, 0x123));       // wh_normal_text
  EXPECT_FALSE(SetWordHandlingColour(0, 2, 0, 0x1FFFFFFF));  // no colour
  EXPECT_TRUE(SetWordHandlingColour(0, 2, 0, 0x123));
  EXPECT_EQ(GetWordHandlingColour(0, 2, 0), 0x123);

  EXPECT_TRUE(SetTextSettingsMaxTexts(0));
  TTextsett_rec32 ts;
  GetTextSettings(&ts);
  EXPECT_EQ(ts.max_texts, 2147483647);
  ts.language_info.lcid = 0x0411;  // Japanese needs Unicode
  EXPECT_TRUE(SetTextSettings(&ts));
  GetTextSettings(&ts);
  EXPECT_EQ(ts.Language_Requires_Unicode, 1);
  EXPECT_FALSE(SetTextSettings(&ts));

  // Items 219, 220, 221 and 223 form a group; 222 unchecks them all.
  SetMenuItemChecked(220, 1);
  EXPECT_TRUE(ToggleOneMenuItemInGroup(219));
  EXPECT_EQ(GetMenuItemChecked(219), 1);
  EXPECT_EQ(GetMenuItemChecked(220), 0);
  EXPECT_TRUE(ToggleOneMenuItemInGroup(222));
  for (int tag : {219, 220, 221, 223}) EXPECT_EQ(GetMenuItemChecked(tag), 0);

  TSelectTextFile_RecW entry{};
  entry.length_of_seek = 3;
  EXPECT_TRUE(SetTextSelectAtAllString(5, &entry));
  EXPECT_FALSE(SetTextSelectAtAllString(5, &entry));
  EXPECT_TRUE(SetTextSelectAtAllString(28, &entry));
  TSelectTextFile_RecW back;
  GetTextSelectAtAllString(28, &back);
  EXPECT_EQ(back.length_of_seek, 3);

  char16_t buf[8];
  EXPECT_TRUE(SetATempString(u"scratch text", 1));
  EXPECT_EQ(GetATempString(1, buf, 8), 12);
  EXPECT_EQ(std::u16string(buf), u"scratch");
  EXPECT_EQ(GetATempString(2, buf, 8), 0);

  EXPECT_TRUE(SetChosenTextFiles(4, u"/t/a.txt", 2));
  EXPECT_FALSE(SetChosenTextFiles(4, u"/t/a.txt", 2));
  EXPECT_TRUE(SetChosenTextFiles(4, u"/t/a.txt", 3));
}

}  // namespace

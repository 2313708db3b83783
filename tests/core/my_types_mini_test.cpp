// The enumerations' ordinals and tables are a stored format: every row is
// checked against the published tables.
#include "core/my_types_mini.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/lemmastopmatchtypes.h"
#include "platform/sysutils.h"
#include "platform/utf.h"

namespace cv {
namespace {

struct ToolRow {
  tool_type tool;
  const char16_t* name;
  const char16_t* program;
  const char16_t* prefix;
  const char16_t* ext;
  Integer signature;
};

const ToolRow kToolRows[] = {
    {tt_wordlist, u"WordList", u"WordList7.exe", u"(W): ", u".lst", 37},
    {tt_kwic, u"Kwic", u"Kwic7.exe", u"(C): ", u".cnc", 36},
    {tt_keywords, u"KeyWords", u"KeyWords7.exe", u"(K): ", u".kws", 37},
    {tt_Chargrams, u"CharGrams", u"CharGrams7.exe", u"(CHRG): ", u".cgr", 36},
    {tt_CVconcgram, u"CVConcGram", u"CVConcGram7.exe", u"(CGR): ", u".base_pairs", 37},
    {tt_viewer_aligner, u"Aligner", u"Aligner7.exe", u"(VA): ", u".vwr", 38},
    {tt_reserved, u"", u"", u"(?\?)", u".dat", 36},
    {tt_minimal_pairs, u"Minimal Pairs", u"Minimal_Pairs7.exe", u"(MP): ", u".txt", 37},
    {tt_file_utilities, u"File Utilities", u"File_Utilities7.exe", u"(FU): ", u".txt", 36},
    {tt_character_profiler, u"Character Profiler", u"Character_Profiler7.exe", u"(CA): ", u".dat", 36},
    {tt_language_chooser, u"Language Chooser", u"Language_Chooser7.exe", u"(LNG): ", u".dat", 36},
    {tt_API_tool, u"CV7 General API DLL", u"CV7_General_API_DLL7.dll", u"(API): ", u".dat", 36},
    {tt_file_viewer, u"File Viewer", u"File_Viewer7.exe", u"(FV): ", u".dat", 36},
    {tt_corpus_checker, u"Corpus Checker", u"Corpus_Checker7.exe", u"(CC): ", u".dat", 36},
    {tt_version_checker, u"Corvane version check", u"Corvane_version_check7.exe", u"(?\?)", u".dat", 36},
    {tt_text_converter, u"Text Converter", u"Text_Converter7.exe", u"(TXC): ", u".dat", 37},
    {tt_shell, u"Corvane", u"Corvane7.exe", u"(CV7): ", u".dat", 37},
    {tt_no_tool_at_all, u"", u"", u"(?\?)", u".dat", 789},
};

TEST(ToolTypes, EveryRowOfTheTable) {
  ASSERT_EQ(std::size(kToolRows), static_cast<size_t>(kToolTypeCount));
  for (size_t i = 0; i < std::size(kToolRows); ++i) {
    const ToolRow& r = kToolRows[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(static_cast<size_t>(r.tool), i);
    EXPECT_EQ(Tool_Name(r.tool), r.name);
    EXPECT_EQ(GetShortToolFilename(r.tool), r.program);
    EXPECT_EQ(ToolLogPrefix(r.tool), r.prefix);
    EXPECT_EQ(DefaultExtFromToolType(r.tool), r.ext);
    EXPECT_EQ(CurrentSignature[i], r.signature);
  }
  EXPECT_EQ(sizeof(tool_type), 1u);
}

struct ListRow {
  const char16_t* ext;
  int tool;  // -1: the current tool
  int data;
  bool like_wl;
};

// Ordinal = index.
const ListRow kListRows[] = {
    {u".lst", 0, 0, false},  {u".kws", 2, 0, false},  {u".kdb", 2, 0, false},
    {u".lst", 0, 0, false},  {u".lst", 0, 0, false},  {u".col", 1, 0, false},
    {u".lst", 0, 0, true},   {u".lst", 0, 0, true},   {u".lst", 0, 0, true},
    {u".lst", 0, 0, true},   {u".cnc", 1, 0, false},  {u".kpl", 2, 1, false},
    {u".cpl", 1, 1, false},  {u".ccl", 1, 0, false},  {u".cpt", 1, 0, false},
    {u".ass", 2, 0, false},  {u".clp", 2, 0, false},  {u".fil", 16, 2, false},
    {u".klk", 2, 0, false},  {u".lst", 0, 0, false},  {u".tml", 1, 0, false},
    {u".ali", 5, 0, false},  {u".txt", 5, 2, false},  {u".tokens", 0, 0, true},
    {u"", 2, 0, false},      {u"", 16, 0, false},     {u"", -1, 2, false},
    {u"", 16, 2, false},     {u".mut", 0, 0, false},  {u".vwr", 5, 0, false},
    {u".base_pairs", 4, 0, false}, {u"", 16, 0, false}, {u"", 16, 0, false},
    {u".cgr", 3, 0, false},  {u"", 3, 0, false},      {u"", 16, 0, false},
    {u"", 16, 0, false},     {u"", 16, 0, false},     {u"", 16, 0, false},
    {u"", 16, 0, false},     {u"", 16, 0, false},     {u"", -1, 0, false},
    {u"", 16, 0, false},
};

TEST(ListTypes, EveryRowOfTheTable) {
  ASSERT_EQ(std::size(kListRows), static_cast<size_t>(kCorvaneListCount));
  const tool_type saved = current_tool_var;
  current_tool_var = tt_Chargrams;
  for (size_t i = 0; i < std::size(kListRows); ++i) {
    const auto t = static_cast<TCorvaneList>(i);
    const ListRow& r = kListRows[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(DefaultExtFromListType(t), r.ext);
    EXPECT_EQ(static_cast<int>(ToolTypeFromListType(t)), r.tool < 0 ? tt_Chargrams : r.tool);
    EXPECT_EQ(static_cast<int>(ListTypeToFileDataType(t)), r.data);
    EXPECT_EQ(IsLikeWordList(t), r.like_wl);
    EXPECT_EQ(IsOrIsLikeWordList(t), r.like_wl || i == 0);
  }
  current_tool_var = saved;
  EXPECT_EQ(static_cast<int>(lt_sorting), 42);
  EXPECT_EQ(static_cast<int>(lT_chargram_pattern_list), 34);
  EXPECT_EQ(static_cast<int>(ly_boll4), 38);
}

TEST(GridAlternatives, ListTypeOfEveryGrid) {
  const int expected[kGridAlternativesCount] = {10, 13, 12, 14, 5,  0,  0,  0,  19, 17,
                                                20, 1,  2,  15, 25, 16, 11, 18, 29, 21,
                                                25, 28, 0,  25, 33, 34, 25, 25, 25, 25};
  for (int g = 0; g < kGridAlternativesCount; ++g)
    EXPECT_EQ(ListTypeFromGridAlternatives(static_cast<grid_alternatives>(g)), expected[g]) << g;
  EXPECT_EQ(static_cast<int>(grid_none), 29);
}

TEST(Extensions, ListTypeFromFileExt) {
  const struct {
    const char16_t* ext;
    TCorvaneList expected;
  } cases[] = {
      {u".LST", lt_word_list},          {u".dcl", lt_detailed_consistency_list},
      {u".srt", lt_aligner_plaintext_list}, {u".mut", lt_relationship_list},
      {u".stats", lt_wordlist_index_list}, {u".markup", lt_wordlist_index_list},
      {u".tok", lt_wordlist_index_list},   {u".types", lt_wordlist_index_list},
      {u".base_index", lt_concgram_list},  {u".base_index_cg", lt_concgram_list},
      {u".Cnc", lt_concordance_list},      {u".cgr", lt_chargram_list},
      {u".kws", lt_keyword_list},          {u".kdb", lt_KW_database_list},
      {u".vwr", lt_viewer_list},           {u".txt", lt_aligner_plaintext_list},
      {u".ali", lt_aligner_list},          {u".xyz", lt_bol7},
      {u"", lt_bol7},                      {u".", lt_wordlist_index_list},
  };
  for (const auto& c : cases) EXPECT_EQ(ListTypeFromFileExt(c.ext), c.expected) << Utf16ToUtf8(c.ext);
}

TEST(Extensions, ToolTypeFromFileExtIsExact) {
  const struct {
    const char16_t* ext;
    tool_type expected;
  } cases[] = {
      {u".cnc", tt_kwic},           {u".BASE_PAIRS", tt_CVconcgram}, {u".base_index_cg", tt_CVconcgram},
      {u".base_index", tt_no_tool_at_all}, {u".kws", tt_keywords}, {u".kdb", tt_keywords},
      {u".lst", tt_wordlist},       {u".tokens", tt_wordlist},      {u".types", tt_wordlist},
      {u".dcl", tt_wordlist},       {u".mut", tt_wordlist},         {u".ali", tt_viewer_aligner},
      {u".txt", tt_viewer_aligner}, {u".vwr", tt_viewer_aligner},   {u".cgr", tt_Chargrams},
      {u".stats", tt_no_tool_at_all}, {u"", tt_no_tool_at_all},
  };
  for (const auto& c : cases) EXPECT_EQ(ToolTypeFromFileExt(c.ext), c.expected) << Utf16ToUtf8(c.ext);
}

TEST(Extensions, AllResultsFileExtensions) {
  EXPECT_EQ(CVFileExtensions(),
            u".lst;.kws;.kdb;.cnc;.ali;.tokens;.mut;.vwr;.base_pairs;.cgr;.types;.base_index_cg");
}

TEST(Extensions, DotlessAndSaveAsForms) {
  EXPECT_EQ(WithoutDotDefaultExt(u"."), u".");
  EXPECT_EQ(WithoutDotDefaultExt(u"lst"), u"lst");
  EXPECT_EQ(WithoutDotDefaultExt(u".lst"), u"lst");
  EXPECT_EQ(DotlessDefaultExtFromListType(lt_kw_cluster_list), u"");
  EXPECT_EQ(DotlessDefaultExtFromListType(lt_concgram_list), u"base_pairs");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_txt, lt_word_list), u".txt");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_xml, lt_word_list), u".xml");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_Excel_spreadsheet, lt_word_list), u".xlsX");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_RTF, lt_word_list), u".rtf");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_default_for_list, lt_concordance_list), u".cnc");
  EXPECT_EQ(DefaultExtFromSaveASFormat(static_cast<TSave_as_format>(9), lt_concordance_list), u".txt");
}

TEST(CurrentTool, RecognisedFromTheProgramName) {
  const struct {
    const char16_t* path;
    tool_type expected;
  } cases[] = {
      {u"/opt/cv/WordList7.exe", tt_wordlist},
      {u"/opt/cv/wordlist7.EXE", tt_wordlist},
      {u"/usr/bin/KeyWords7", tt_keywords},           // no extension on Linux
      {u"/usr/bin/File_Utilities7", tt_file_utilities},
      {u"/usr/bin/Corvane7", tt_shell},
      {u"CV7_General_API_DLL7.dll", tt_API_tool},
      {u"/usr/bin/CV7_General_API_DLL7", tt_no_tool_at_all},  // a library is not a program
      {u"/usr/bin/WordList", tt_no_tool_at_all},
      {u"/usr/bin/corvane_tests", tt_no_tool_at_all},
      {u"", tt_no_tool_at_all},
  };
  for (const auto& c : cases) EXPECT_EQ(ToolTypeFromProgramPath(c.path), c.expected) << Utf16ToUtf8(c.path);

  EXPECT_EQ(current_tool_var, tt_shell);  // before SetCurrentTool
  SetCurrentTool();                       // the test program matches no tool
  EXPECT_EQ(current_tool_var, tt_no_tool_at_all);
  current_tool_var = tt_shell;

  const string full = GetFullToolFilename(tt_kwic);
  EXPECT_EQ(full.substr(full.rfind(u'/') + 1), u"Kwic7.exe");
}

TEST(VersionTexts, BuiltFromTheMajorVersion) {
  const TFormatSettings saved = DefaultFormatSettings();
  DefaultFormatSettings() = InvariantFormatSettings();
  EXPECT_EQ(CurrentCVMajorVersion100Str(), u"7.0.0.100");
  EXPECT_EQ(CorvaneControllerCaption(), u"Corvane Tools 7.0");
  EXPECT_EQ(CorvaneHelpURL(), CVCurrentDownloadFolder() + u"HTML/");
  EXPECT_EQ(CVVerifiqueINF(), CVCurrentDownloadFolder() + u"CVUpdate7.inf");
  EXPECT_NE(CVCurrentDownloadFolder().find(u"downloads/version7/"), string::npos);
  DefaultFormatSettings() = saved;
}

TEST(Colours, PresetsAndLayout) {
  const TMyCanvasColourRec bog = BogStandardColours();
  EXPECT_EQ(bog[tct_text], 0x000000);
  EXPECT_EQ(bog[tct_selected_text], 0xFFFFFF);
  EXPECT_EQ(bog[tct_background], 0xFFFFFF);
  EXPECT_EQ(bog[tct_selected_background], 0x660000);
  const TMyCanvasColourRecAndTypeface bogt = BogStandardColoursAndTypeface();
  EXPECT_EQ(0, std::memcmp(&bogt.colourset, &bog, sizeof bog));
  EXPECT_EQ(bogt.default_typeface, 0);
  EXPECT_EQ(bogt.highlight_typeface, 0);
  EXPECT_EQ(bogt.reserved[0] | bogt.reserved[1], 0);

  const TMyCanvasColourRecAndTypeface s = StyleSearchColoursAndTypeface();
  EXPECT_EQ(s.colourset[tct_text], 0xFFFFFF);
  EXPECT_EQ(s.colourset[tct_selected_text], 0x000080);
  EXPECT_EQ(s.colourset[tct_background], 0x000080);
  EXPECT_EQ(s.colourset[tct_selected_background], 0xFFFFFF);
  EXPECT_EQ(s.default_typeface, TypefaceBit(tf_bold));
  EXPECT_EQ(s.highlight_typeface, TypefaceBit(tf_bold));

  EXPECT_EQ(MyColourToRGB(0x123456), 0x123456);
  EXPECT_EQ(MyColourToRGB(static_cast<TColor>(0xFF000005)), 0xFFFFFF);  // clWindow
  EXPECT_EQ(MyColourToRGB(static_cast<TColor>(0xFF000008)), 0x000000);  // clWindowText
}

TEST(LemmaMatchStop, Descriptions) {
  const TFormatSettings saved = DefaultFormatSettings();
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_lemma, u"e.txt"), u"lemmas file e.txt");
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_match, u"m"), u"match list file m");
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_stop, u"s"), u"stop list file s");
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_relation, u"r"), u"relation list file r");
  EXPECT_EQ(LemmaMatchStopnames_of_processes[as_relation], u"relation list");
  EXPECT_EQ(LemmaMatchStopFileTypeStr(static_cast<TLemmaMatchStopOptions>(7), u"x"), u"");
  // A per-cent sign in a file name is text, not a format item.
  EXPECT_EQ(LemmaMatchStopFileTypeStr(as_stop, u"100%d.txt"), u"stop list file 100%d.txt");
  DefaultFormatSettings() = saved;
}

}  // namespace
}  // namespace cv

// The suite's shared enumerations and the tables hanging off them: tools,
// results-list types, result grids, save formats, progress reports and the
// colour records.
//
// Ordinals are stored in the shared settings record and in results files:
// they are an external format and are never renumbered.
#pragma once

#include <array>
#include <cstddef>

#include "core/basic_types.h"
#include "platform/types.h"

namespace cv {

// The suite's major version; every name and text that carries it is built
// from this constant.
constexpr Integer CVMajorVersion = 7;

// ---------------------------------------------------------------------------
// Tools

enum tool_type : Byte {
  tt_wordlist = 0,
  tt_kwic = 1,
  tt_keywords = 2,
  tt_Chargrams = 3,
  tt_CVconcgram = 4,
  tt_viewer_aligner = 5,
  tt_reserved = 6,  // keeps its number; no tool
  tt_minimal_pairs = 7,
  tt_file_utilities = 8,
  tt_character_profiler = 9,
  tt_language_chooser = 10,
  tt_API_tool = 11,
  tt_file_viewer = 12,
  tt_corpus_checker = 13,
  tt_version_checker = 14,
  tt_text_converter = 15,
  tt_shell = 16,
  tt_no_tool_at_all = 17,
};
constexpr int kToolTypeCount = 18;

constexpr bool IsValidToolType(int t) { return t >= 0 && t < kToolTypeCount; }

// The running tool; tt_shell until SetCurrentTool runs.
extern tool_type current_tool_var;

// Results-file signature per tool (the results-file header).
extern const std::array<Integer, kToolTypeCount> CurrentSignature;

// ---------------------------------------------------------------------------
// Results-list types

enum TCorvaneList : Byte {
  lt_word_list = 0,
  lt_keyword_list,
  lt_KW_database_list,
  lt_detailed_consistency_relations_list,
  lt_detailed_consistency_list,
  lt_collocate_list,
  lt_KWs_as_word_list,
  lt_KWDB_as_word_list,
  lt_associates_as_word_list,
  lt_clumps_as_word_list,
  lt_concordance_list,  // 10
  lt_KW_plot_list,
  lt_concordance_plot_list,
  lt_concordance_cluster_list,
  lt_concordance_pattern_list,
  lt_associate_list,
  lt_clump_list,
  lt_filename_list,
  lt_link_list,
  lt_statistics_list,
  lt_timeline_list,  // 20
  lt_aligner_list,
  lt_aligner_plaintext_list,
  lt_wordlist_index_list,
  lt_kw_cluster_list,
  lt_none_in_use,
  lt_notes,
  lt_source_text,
  lt_relationship_list,
  lt_viewer_list,
  lt_concgram_list,  // 30
  lt_markup_list,
  lt_sections_list,
  lt_chargram_list,
  lT_chargram_pattern_list,
  lt_boll,
  lt_boll2,
  lt_boll3,
  ly_boll4,
  lt_boll5,
  lt_bol6,  // 40
  lt_bol7,  // also the "unknown" answer of ListTypeFromFileExt
  lt_sorting,
};
constexpr int kCorvaneListCount = 43;

constexpr bool IsValidListType(int t) { return t >= 0 && t < kCorvaneListCount; }

enum Tfile_Load_data_type : Byte { cvane_only_data = 0, graphic_data = 1, text_data = 2 };

// The extensions of a word-list index and of a concgram base; ListTypeFromFileExt
// matches any substring of them.
extern const char16_t* const wordlist_index_file_extensions;  // ".types.tokens.stats.markup"
extern const char16_t* const concgram_file_extensions;        // ".base_pairs.base_index.base_index_cg"

// ---------------------------------------------------------------------------
// Result grids

enum grid_alternatives : Byte {
  grid_concordance = 0,
  grid_clusters,
  grid_conc_plot,
  grid_patterns,
  grid_collocates,
  grid_detailed_consist,
  grid_alph_order,
  grid_freq_order,
  grid_statistics,
  grid_filenames,
  grid_timeline,  // 10
  grid_keywords,
  grid_KWDbase,
  grid_kwdb_associates,
  grid_kw_Clusters,
  grid_kw_Clumps,
  grid_kw_plot,
  grid_kw_plot_links,
  grid_viewer_text,
  grid_viewer_aligned,
  grid_concgram,  // 20
  grid_relations,
  grid_detailed_consist_relations,
  grid_breakdowns,
  grid_chargrams,
  grid_chargram_patterns,
  spare_7,
  spare_8,
  spare_9,
  grid_none,
};
constexpr int kGridAlternativesCount = 30;

// ---------------------------------------------------------------------------
// Save formats

enum TSave_as_format : Byte { as_txt, as_xml, as_Excel_spreadsheet, as_RTF, as_default_for_list };

// ---------------------------------------------------------------------------
// Progress reports

enum tprogress_types : Byte {
  progress_percent_this = 0,
  progress_percent_overall,
  progress_mensagem_curta,
  progress_mensagem_longa,
  progress_show,
  progress_speed,
  progress_set_total_words,
  progress_memory,
  progress_clear_all,
  progress_clear_bars,
  progress_timeToGo,
  progress_error,
  progress_fatal_error,
};

// A set of tprogress_types: bit n is member n.
using tprogress_set = Word;
constexpr tprogress_set ProgressBit(tprogress_types t) { return static_cast<tprogress_set>(1u << t); }

struct TPoint {
  Integer X;
  Integer Y;
};

// One progress report, copied byte for byte through the shared settings.
struct tProgressParams {
  tprogress_types main;
  Byte reserved0;  // alignment gap, always zero
  tprogress_set other_requests;
  Integer percents[2];
  TPoint Centre;
  Integer total_words;
  Integer running_words;
  char16_t mensagem_curta[201];
  char16_t mensagem_longa[201];
};
static_assert(sizeof(tProgressParams) == 832);
static_assert(offsetof(tProgressParams, main) == 0);
static_assert(offsetof(tProgressParams, other_requests) == 2);
static_assert(offsetof(tProgressParams, percents) == 4);
static_assert(offsetof(tProgressParams, Centre) == 12);
static_assert(offsetof(tProgressParams, total_words) == 20);
static_assert(offsetof(tProgressParams, running_words) == 24);
static_assert(offsetof(tProgressParams, mensagem_curta) == 28);
static_assert(offsetof(tProgressParams, mensagem_longa) == 430);

// ---------------------------------------------------------------------------
// Window messages between tools

// Packed into the first 32-bit parameter of a window message.
struct Tcode_and_tool {
  Word code;
  tool_type calling_tool;
  Byte reserved;
};
static_assert(sizeof(Tcode_and_tool) == 4);

// ---------------------------------------------------------------------------
// Colours and typefaces

enum TMyCanvasColourTypes : Byte { tct_text, tct_selected_text, tct_background, tct_selected_background };
enum TMy_typeface : Byte { tf_bold, tf_italics, tf_underline, tf_strikeout };
// A set of TMy_typeface: bit n is member n.
using TMy_typefaces = Byte;
constexpr TMy_typefaces TypefaceBit(TMy_typeface t) { return static_cast<TMy_typefaces>(1u << t); }

// A colour value with the Windows convention: non-negative is $BBGGRR,
// negative is a system colour whose low byte is the index.
constexpr TColor clNone = 0x1FFFFFFF;

struct TMyCanvasColourRec {
  TColor colours[4];
  TColor& operator[](TMyCanvasColourTypes t) { return colours[t]; }
  TColor operator[](TMyCanvasColourTypes t) const { return colours[t]; }
};

struct TMyCanvasColourRecAndTypeface {
  TMyCanvasColourRec colourset;
  TMy_typefaces default_typeface;
  TMy_typefaces highlight_typeface;
  Byte reserved[2];
};
static_assert(sizeof(TMyCanvasColourRec) == 16);
static_assert(sizeof(TMyCanvasColourRecAndTypeface) == 20);
static_assert(offsetof(TMyCanvasColourRecAndTypeface, default_typeface) == 16);
static_assert(offsetof(TMyCanvasColourRecAndTypeface, highlight_typeface) == 17);

// ---------------------------------------------------------------------------
// Routines

string Tool_Name(tool_type t);
string GetShortToolFilename(tool_type t);
// The running executable's folder with a trailing '/', then the program name.
string GetFullToolFilename(tool_type t);
// The log prefix of a tool ("(W): ", "(??)" ...).
string ToolLogPrefix(tool_type t);
// Sets current_tool_var from the running executable's name.
void SetCurrentTool();
// As SetCurrentTool, for a given executable path; exposed for tests.
tool_type ToolTypeFromProgramPath(std::u16string_view path);

string CurrentCVMajorVersion100Str();
string CorvaneControllerCaption();
string CVCurrentDownloadFolder();
string CorvaneHelpURL();
string CVVerifiqueINF();

Single CardinalToSingle(Cardinal c);
Single IntToSingle(Integer i);

string DefaultExtFromToolType(tool_type t);
string DefaultExtFromListType(TCorvaneList t);
string DotlessDefaultExtFromListType(TCorvaneList t);
string WithoutDotDefaultExt(std::u16string_view ext);
string DefaultExtFromSaveASFormat(TSave_as_format format, TCorvaneList t);
TCorvaneList ListTypeFromFileExt(std::u16string_view ext);
tool_type ToolTypeFromFileExt(std::u16string_view ext);
tool_type ToolTypeFromListType(TCorvaneList t);
TCorvaneList ListTypeFromGridAlternatives(grid_alternatives g);
Tfile_Load_data_type ListTypeToFileDataType(TCorvaneList t);
bool IsLikeWordList(TCorvaneList t);
bool IsOrIsLikeWordList(TCorvaneList t);
string CVFileExtensions();

TColor MyColourToRGB(TColor c);
TMyCanvasColourRec BogStandardColours();
TMyCanvasColourRecAndTypeface BogStandardColoursAndTypeface();
TMyCanvasColourRec StyleSearchColours();
TMyCanvasColourRecAndTypeface StyleSearchColoursAndTypeface();

}  // namespace cv

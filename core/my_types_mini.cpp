#include "core/my_types_mini.h"

#include "platform/nls.h"
#include "platform/process.h"
#include "platform/sysutils.h"

namespace cv {

tool_type current_tool_var = tt_shell;

const std::array<Integer, kToolTypeCount> CurrentSignature{
    37, 36, 37, 36, 37, 38, 36, 37, 36, 36, 36, 36, 36, 36, 36, 37, 37, 789};

const char16_t* const wordlist_index_file_extensions = u".types.tokens.stats.markup";
const char16_t* const concgram_file_extensions = u".base_pairs.base_index.base_index_cg";

namespace {

struct ToolRow {
  const char16_t* name;    // display name; nullptr = none
  const char16_t* prefix;  // log prefix; nullptr = built or fallback
  const char16_t* ext;
};

// Ordinal 6 is reserved and has no tool; tt_API_tool's name carries the
// major version and is built in Tool_Name.
constexpr ToolRow kTools[kToolTypeCount] = {
    {u"WordList", u"(W): ", u".lst"},
    {u"Kwic", u"(C): ", u".cnc"},
    {u"KeyWords", u"(K): ", u".kws"},
    {u"CharGrams", u"(CHRG): ", u".cgr"},
    {u"CVConcGram", u"(CGR): ", u".base_pairs"},
    {u"Aligner", u"(VA): ", u".vwr"},
    {nullptr, nullptr, u".dat"},
    {u"Minimal Pairs", u"(MP): ", u".txt"},
    {u"File Utilities", u"(FU): ", u".txt"},
    {u"Character Profiler", u"(CA): ", u".dat"},
    {u"Language Chooser", u"(LNG): ", u".dat"},
    {nullptr, u"(API): ", u".dat"},
    {u"File Viewer", u"(FV): ", u".dat"},
    {u"Corpus Checker", u"(CC): ", u".dat"},
    {u"Corvane version check", nullptr, u".dat"},
    {u"Text Converter", u"(TXC): ", u".dat"},
    {u"Corvane", nullptr, u".dat"},
    {nullptr, nullptr, u".dat"},
};

constexpr const char16_t* kFallbackPrefix = u"(?\?)";  // "(??)", kept clear of trigraphs

struct ListRow {
  const char16_t* ext;  // empty: none
  tool_type tool;       // tt_no_tool_at_all here means "the current tool"
  Tfile_Load_data_type data;
};

constexpr tool_type kCurrent = tt_no_tool_at_all;

constexpr ListRow kLists[kCorvaneListCount] = {
    {u".lst", tt_wordlist, cvane_only_data},             // 0
    {u".kws", tt_keywords, cvane_only_data},
    {u".kdb", tt_keywords, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".col", tt_kwic, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".cnc", tt_kwic, cvane_only_data},                 // 10
    {u".kpl", tt_keywords, graphic_data},
    {u".cpl", tt_kwic, graphic_data},
    {u".ccl", tt_kwic, cvane_only_data},
    {u".cpt", tt_kwic, cvane_only_data},
    {u".ass", tt_keywords, cvane_only_data},
    {u".clp", tt_keywords, cvane_only_data},
    {u".fil", tt_shell, text_data},
    {u".klk", tt_keywords, cvane_only_data},
    {u".lst", tt_wordlist, cvane_only_data},
    {u".tml", tt_kwic, cvane_only_data},                 // 20
    {u".ali", tt_viewer_aligner, cvane_only_data},
    {u".txt", tt_viewer_aligner, text_data},
    {u".tokens", tt_wordlist, cvane_only_data},
    {u"", tt_keywords, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", kCurrent, text_data},
    {u"", tt_shell, text_data},
    {u".mut", tt_wordlist, cvane_only_data},
    {u".vwr", tt_viewer_aligner, cvane_only_data},
    {u".base_pairs", tt_CVconcgram, cvane_only_data},    // 30
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u".cgr", tt_Chargrams, cvane_only_data},
    {u"", tt_Chargrams, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
    {u"", tt_shell, cvane_only_data},                    // 40
    {u"", kCurrent, cvane_only_data},
    {u"", tt_shell, cvane_only_data},
};

constexpr TCorvaneList kGridLists[kGridAlternativesCount] = {
    lt_concordance_list,   lt_concordance_cluster_list, lt_concordance_plot_list,
    lt_concordance_pattern_list, lt_collocate_list,     lt_word_list,
    lt_word_list,          lt_word_list,                lt_statistics_list,
    lt_filename_list,      lt_timeline_list,            lt_keyword_list,
    lt_KW_database_list,   lt_associate_list,           lt_none_in_use,
    lt_clump_list,         lt_KW_plot_list,             lt_link_list,
    lt_viewer_list,        lt_aligner_list,             lt_none_in_use,
    lt_relationship_list,  lt_word_list,                lt_none_in_use,
    lt_chargram_list,      lT_chargram_pattern_list,    lt_none_in_use,
    lt_none_in_use,        lt_none_in_use,              lt_none_in_use,
};

bool Contains(std::u16string_view haystack, std::u16string_view needle) {
  return !needle.empty() && haystack.find(needle) != std::u16string_view::npos;
}

}  // namespace

string Tool_Name(tool_type t) {
  if (t == tt_API_tool) return Format(u"CV%d General API DLL", {CVMajorVersion});
  if (!IsValidToolType(t) || kTools[t].name == nullptr) return {};
  return kTools[t].name;
}

string GetShortToolFilename(tool_type t) {
  string name = Tool_Name(t);
  if (name.empty()) return name;
  for (auto& c : name)
    if (c == u' ') c = u'_';
  name += IntToStr(CVMajorVersion);
  name += t == tt_API_tool ? u".dll" : u".exe";
  return name;
}

string GetFullToolFilename(tool_type t) {
  const string exe = ExecutablePath();
  const auto slash = exe.rfind(u'/');
  const string folder = slash == string::npos ? string(u"./") : exe.substr(0, slash + 1);
  return folder + GetShortToolFilename(t);
}

string ToolLogPrefix(tool_type t) {
  if (t == tt_shell) return u"(CV" + IntToStr(CVMajorVersion) + u"): ";
  if (!IsValidToolType(t) || kTools[t].prefix == nullptr) return kFallbackPrefix;
  return kTools[t].prefix;
}

tool_type ToolTypeFromProgramPath(std::u16string_view path) {
  const auto slash = path.rfind(u'/');
  const string file = UnicodeUpperCase(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
  if (file.empty()) return tt_no_tool_at_all;
  for (int i = 0; i < kToolTypeCount; ++i) {
    const auto t = static_cast<tool_type>(i);
    const string short_name = UnicodeUpperCase(GetShortToolFilename(t));
    if (short_name.empty()) continue;
    if (file == short_name) return t;
    // Linux programs carry no extension: "WordList7" is the word-list tool.
    if (t != tt_API_tool && file.size() + 4 == short_name.size() &&
        short_name.compare(0, file.size(), file) == 0)
      return t;
  }
  return tt_no_tool_at_all;
}

void SetCurrentTool() { current_tool_var = ToolTypeFromProgramPath(ExecutablePath()); }

string CurrentCVMajorVersion100Str() { return IntToStr(CVMajorVersion) + u".0.0.100"; }

string CorvaneControllerCaption() {
  return u"Corvane Tools" + Format(u"%4.1f", {static_cast<double>(CVMajorVersion)});
}

string CVCurrentDownloadFolder() {
  return u"https://www.corvane.org/" + Format(u"downloads/version%d/", {CVMajorVersion});
}

string CorvaneHelpURL() { return CVCurrentDownloadFolder() + u"HTML/"; }

string CVVerifiqueINF() { return CVCurrentDownloadFolder() + Format(u"CVUpdate%d.inf", {CVMajorVersion}); }

Single CardinalToSingle(Cardinal c) { return static_cast<Single>(c); }
Single IntToSingle(Integer i) { return static_cast<Single>(i); }

string DefaultExtFromToolType(tool_type t) {
  return IsValidToolType(t) ? string(kTools[t].ext) : string(u".dat");
}

string DefaultExtFromListType(TCorvaneList t) {
  return IsValidListType(t) ? string(kLists[t].ext) : string();
}

string WithoutDotDefaultExt(std::u16string_view ext) {
  if (ext.size() >= 2 && ext[0] == u'.') return string(ext.substr(1));
  return string(ext);
}

string DotlessDefaultExtFromListType(TCorvaneList t) {
  return WithoutDotDefaultExt(DefaultExtFromListType(t));
}

string DefaultExtFromSaveASFormat(TSave_as_format format, TCorvaneList t) {
  switch (format) {
    case as_txt: return u".txt";
    case as_xml: return u".xml";
    case as_Excel_spreadsheet: return u".xlsX";
    case as_RTF: return u".rtf";
    case as_default_for_list: return DefaultExtFromListType(t);
  }
  return u".txt";
}

TCorvaneList ListTypeFromFileExt(std::u16string_view ext_in) {
  const string ext = UnicodeLowerCase(ext_in);
  if (ext == u".dcl") return lt_detailed_consistency_list;
  if (ext == u".srt") return lt_aligner_plaintext_list;
  if (ext == u".mut") return lt_relationship_list;
  if (ext == u".lst") return lt_word_list;
  // Substring tests: stored files rely on fragments such as ".stats" or
  // ".base_index" being recognised.
  if (Contains(wordlist_index_file_extensions, ext)) return lt_wordlist_index_list;
  if (Contains(concgram_file_extensions, ext)) return lt_concgram_list;
  if (ext == u".cnc") return lt_concordance_list;
  if (ext == u".cgr") return lt_chargram_list;
  if (ext == u".kws") return lt_keyword_list;
  if (ext == u".kdb") return lt_KW_database_list;
  if (ext == u".vwr") return lt_viewer_list;
  if (ext == u".txt") return lt_aligner_plaintext_list;
  if (ext == u".ali") return lt_aligner_list;
  return lt_bol7;
}

tool_type ToolTypeFromFileExt(std::u16string_view ext_in) {
  const string ext = UnicodeLowerCase(ext_in);
  if (ext == u".cnc") return tt_kwic;
  if (ext == u".base_pairs" || ext == u".base_index_cg") return tt_CVconcgram;
  if (ext == u".kws" || ext == u".kdb") return tt_keywords;
  if (ext == u".lst" || ext == u".tokens" || ext == u".types" || ext == u".dcl" || ext == u".mut")
    return tt_wordlist;
  if (ext == u".ali" || ext == u".txt" || ext == u".vwr") return tt_viewer_aligner;
  if (ext == u".cgr") return tt_Chargrams;
  return tt_no_tool_at_all;
}

tool_type ToolTypeFromListType(TCorvaneList t) {
  if (!IsValidListType(t)) return tt_no_tool_at_all;
  return kLists[t].tool == kCurrent ? current_tool_var : kLists[t].tool;
}

TCorvaneList ListTypeFromGridAlternatives(grid_alternatives g) {
  return g < kGridAlternativesCount ? kGridLists[g] : lt_none_in_use;
}

Tfile_Load_data_type ListTypeToFileDataType(TCorvaneList t) {
  return IsValidListType(t) ? kLists[t].data : cvane_only_data;
}

bool IsLikeWordList(TCorvaneList t) {
  switch (t) {
    case lt_KWs_as_word_list:
    case lt_KWDB_as_word_list:
    case lt_associates_as_word_list:
    case lt_clumps_as_word_list:
    case lt_wordlist_index_list:
      return true;
    default:
      return false;
  }
}

bool IsOrIsLikeWordList(TCorvaneList t) { return t == lt_word_list || IsLikeWordList(t); }

string CVFileExtensions() {
  string result;
  for (int i = 0; i < kCorvaneListCount; ++i) {
    if (i == 5 || (i >= 11 && i <= 18) || i == 20 || i == 22 || i == 24) continue;
    const string ext = DefaultExtFromListType(static_cast<TCorvaneList>(i));
    if (ext.size() < 2 || result.find(ext) != string::npos) continue;
    result += ext;
    result += u';';
  }
  result += u".types";
  result += u';';
  result += u".base_index_cg";
  return result;
}

TColor MyColourToRGB(TColor c) { return c < 0 ? GetSysColor(c & 0xFF) : c; }

TMyCanvasColourRec BogStandardColours() {
  return TMyCanvasColourRec{{0x000000, 0xFFFFFF, 0xFFFFFF, 0x660000}};
}

TMyCanvasColourRecAndTypeface BogStandardColoursAndTypeface() {
  TMyCanvasColourRecAndTypeface r{};
  r.colourset = BogStandardColours();
  return r;
}

TMyCanvasColourRec StyleSearchColours() {
  return TMyCanvasColourRec{{0xFFFFFF, 0x000080, 0x000080, 0xFFFFFF}};
}

TMyCanvasColourRecAndTypeface StyleSearchColoursAndTypeface() {
  TMyCanvasColourRecAndTypeface r{};
  r.colourset = StyleSearchColours();
  r.default_typeface = TypefaceBit(tf_bold);
  r.highlight_typeface = TypefaceBit(tf_bold);
  return r;
}

}  // namespace cv

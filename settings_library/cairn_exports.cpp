// The get/set exports of libCairn7 (the defaults are in cairn_defaults.cpp).
#include <cstring>
#include <new>

#include "core/logging_utilities.h"
#include "platform/post_message.h"
#include "settings_library/cairn7.h"
#include "settings_library/cairn_share.h"
#include "settings_library/folders.h"
#include "settings_library/settings_text.h"

using namespace cv;

namespace {

template <typename T>
bool SetScalar(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

template <typename T>
bool SetRecord(T& field, const T* rec) {
  if (rec == nullptr) return false;
  T stored;
  std::memcpy(static_cast<void*>(&stored), rec, sizeof stored);
  ForceTerminators(stored);
  if (std::memcmp(&field, &stored, sizeof stored) == 0) return false;
  std::memcpy(static_cast<void*>(&field), &stored, sizeof stored);
  return true;
}

template <typename T>
void GetRecord(const T& field, T* out) {
  if (out != nullptr) std::memcpy(static_cast<void*>(out), &field, sizeof field);
}

template <typename T>
void ZeroOut(T* out) {
  if (out != nullptr) std::memset(static_cast<void*>(out), 0, sizeof *out);
}

// Folder rule: normalise, cut, zero-pad, compare all units.  Normalising
// allocates; should that fail, nothing is stored.
template <std::size_t N>
bool SetFolderText(char16_t (&field)[N], const char16_t* text) noexcept {
  try {
    // A path longer than this is no path; the cut keeps normalising cheap.
    const string folder = NormaliseFolder(CallerText(text, 32768));
    char16_t stored[N];
    MakeStoredForm(stored, folder);
    return SetWholeArray(field, stored);
  } catch (...) {
    return false;
  }
}

template <std::size_t N>
bool SetText(char16_t (&field)[N], const char16_t* text) {
  return SetPlainText(field, CallerText(text, N));
}

bool InRange(long i, long lo, long hi) { return i >= lo && i <= hi; }
bool IsSlot4(int32_t s) { return InRange(s, 0, kFourSlots - 1); }
bool IsSlot10(int32_t s) { return InRange(s, 0, kTenSlots - 1); }
bool IsTool(uint8_t t) { return t < kToolTypeCount; }
bool IsTag(int32_t t) { return InRange(t, 0, kMenuTagCount - 1); }
bool IsStyleKind(uint8_t s, uint8_t k) { return s < kColourStyleCount && k < kWordHandlingKinds; }

bool LanguageRequiresUnicode(Cardinal lcid) {
  switch (lcid & 0x3FF) {
    case 0x01: case 0x04: case 0x0D: case 0x11: case 0x12: case 0x1E: case 0x29: case 0x2A: case 0x63:
      return true;
    default:
      return false;
  }
}

// --- Variants ---------------------------------------------------------------

enum : Word {
  VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_CY = 6, VT_DATE = 7,
  VT_ERROR = 10, VT_BOOL = 11, VT_I1 = 16, VT_UI1 = 17, VT_UI2 = 18, VT_UI4 = 19, VT_I8 = 20,
  VT_UI8 = 21, VT_INT = 22, VT_UINT = 23
};

// Bytes of the value that a variant of this type holds in place; 0 for a
// type that holds a pointer or that this store does not carry.
int VariantValueBytes(Word vt) {
  switch (vt) {
    case VT_EMPTY: case VT_NULL: return 0;
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_DATE: case VT_CY: case VT_I8: case VT_UI8: return 8;
    default: return -1;
  }
}

bool IsNumericVariant(Word vt) { return VariantValueBytes(vt) > 0 && vt != VT_ERROR; }

long double VariantNumber(const TCairnVariant& v) {
  const Byte* p = v.value;
  auto get = [p](auto x) { std::memcpy(&x, p, sizeof x); return x; };
  switch (v.vt) {
    case VT_I1: return get(int8_t{});
    case VT_UI1: return get(uint8_t{});
    case VT_I2: return get(int16_t{});
    case VT_UI2: return get(uint16_t{});
    case VT_BOOL: return get(int16_t{}) != 0 ? -1 : 0;  // VARIANT_TRUE is -1
    case VT_I4: case VT_INT: return get(int32_t{});
    case VT_UI4: case VT_UINT: return get(uint32_t{});
    case VT_R4: return get(float{});
    case VT_R8: case VT_DATE: return get(double{});
    case VT_CY: return static_cast<long double>(get(int64_t{})) / 10000;
    case VT_I8: return get(int64_t{});
    case VT_UI8: return get(uint64_t{});
    default: return 0;
  }
}

bool SameVariant(const TCairnVariant& a, const TCairnVariant& b) {
  if (a.vt == b.vt) {
    const int n = VariantValueBytes(a.vt);
    return n <= 0 || std::memcmp(a.value, b.value, static_cast<std::size_t>(n)) == 0;
  }
  if (IsNumericVariant(a.vt) && IsNumericVariant(b.vt)) return VariantNumber(a) == VariantNumber(b);
  return false;
}

}  // namespace

// --- Uniform families -------------------------------------------------------

#define CAIRN_DEFINE_SCALAR(G, S, T, f)                                  \
  T G() noexcept { return R().f; }                                       \
  bool S(T value) noexcept { return SetScalar<T>(R().f, value); }
#define CAIRN_DEFINE_TEXT(G, S, f)                                       \
  const char16_t* G() noexcept { return TerminatedField(R().f); }        \
  bool S(const char16_t* text) noexcept { return SetText(R().f, text); }
#define CAIRN_DEFINE_FOLDER(G, S, f)                                     \
  const char16_t* G() noexcept { return TerminatedField(R().f); }        \
  bool S(const char16_t* text) noexcept { return SetFolderText(R().f, text); }
#define CAIRN_DEFINE_RECORD(G, S, T, f)                                  \
  void G(T* out) noexcept { GetRecord(R().f, out); }                     \
  bool S(const T* rec) noexcept { return SetRecord(R().f, rec); }

CAIRN_SCALARS(CAIRN_DEFINE_SCALAR)
CAIRN_TEXTS(CAIRN_DEFINE_TEXT)
CAIRN_FOLDERS(CAIRN_DEFINE_FOLDER)
CAIRN_RECORDS(CAIRN_DEFINE_RECORD)

// --- Set-up and flags ---------------------------------------------------------

void SetupCairnSharing() noexcept {
  try {
    CairnSetupSharing();
  } catch (...) {
    // Only allocation can fail here; the private record stays in use.
  }
}

void SetColoursDone() noexcept { R().colours_done = 1; }
void SetDefDirDone() noexcept { R().def_dir_done = 1; }
void SetAllSettingsDone() noexcept { R().all_settings_done = 1; }

// --- Scalars with their own rules -------------------------------------------

uint8_t GetThisTextFileWanted() noexcept { return R().text_file_not_wanted == 0 ? 1 : 0; }
uint8_t GetCallingTool() noexcept { return R().calling_tool; }
void SetCallingTool(uint8_t tool) noexcept { R().calling_tool = tool; }
uint8_t GetLogging() noexcept { return R().logging; }
bool SetLogging(uint8_t on) noexcept {
  R().logging = on;
  keeping_log = on != 0;
  return true;
}
void IncTimesEndOfTextHeaderCut() noexcept {
  // Wraps like the 32-bit counter it is.
  R().times_end_of_text_header_cut =
      static_cast<int32_t>(static_cast<uint32_t>(R().times_end_of_text_header_cut) + 1u);
}

static int16_t* BaseHeadingsWidthField(uint8_t kind) {
  switch (kind) {
    case 0: return &R().base_headings_width_0;
    case 1: return &R().base_headings_width_1;
    case 2: return &R().base_headings_width_2;
    default: return nullptr;
  }
}
int16_t GetBaseHeadingsWidth(uint8_t kind) noexcept {
  const int16_t* f = BaseHeadingsWidthField(kind);
  return f != nullptr ? *f : 2;
}
bool SetBaseHeadingsWidth(uint8_t kind, int16_t width) noexcept {
  int16_t* f = BaseHeadingsWidthField(kind);
  return f != nullptr && SetScalar(*f, width);
}

void GetTempVariant(TCairnVariant* out) noexcept { GetRecord(R().temp_variant, out); }
bool SetTempVariant(const TCairnVariant* value) noexcept {
  if (value == nullptr || VariantValueBytes(value->vt) < 0) return false;
  TCairnVariant& stored = R().temp_variant;
  if (SameVariant(stored, *value)) return false;
  stored = *value;
  return true;
}

void GetTemp2Longint(int32_t* out2) noexcept {
  if (out2 != nullptr) std::memcpy(out2, R().temp2_longint, sizeof R().temp2_longint);
}
bool SetTemp2Longint(const int32_t* values2) noexcept {
  if (values2 == nullptr || std::memcmp(R().temp2_longint, values2, sizeof R().temp2_longint) == 0)
    return false;
  std::memcpy(R().temp2_longint, values2, sizeof R().temp2_longint);
  return true;
}
void GetTemp2Int64(int64_t* out2) noexcept {
  if (out2 != nullptr) std::memcpy(out2, R().temp2_int64, sizeof R().temp2_int64);
}
bool SetTemp2Int64(const int64_t* values2) noexcept {
  if (values2 == nullptr || std::memcmp(R().temp2_int64, values2, sizeof R().temp2_int64) == 0)
    return false;
  std::memcpy(R().temp2_int64, values2, sizeof R().temp2_int64);
  return true;
}

// --- Texts with their own rules ---------------------------------------------

int32_t GetATempString(int32_t kind, char16_t* buffer, int32_t capacity) noexcept {
  auto& f = kind == 1 ? R().temp_string_1 : R().temp_string_2;
  return CopyOut(FixedText(f), buffer, capacity);
}
bool SetATempString(const char16_t* text, int32_t kind) noexcept {
  return SetText(kind == 1 ? R().temp_string_1 : R().temp_string_2, text);
}
int32_t GetConc_Context_W_TXT_Marker(char16_t* buffer, int32_t capacity) noexcept {
  return CopyOut(FixedText(R().conc_context_w_txt_marker), buffer, capacity);
}
bool SetConc_Context_W_TXT_Marker(const char16_t* text) noexcept {
  return SetText(R().conc_context_w_txt_marker, text);
}
int32_t GetConc_SW_TXT_Marker(char16_t* buffer, int32_t capacity) noexcept {
  return CopyOut(FixedText(R().conc_sw_txt_marker), buffer, capacity);
}
bool SetConc_SW_TXT_Marker(const char16_t* text) noexcept { return SetText(R().conc_sw_txt_marker, text); }
void GetSplitterEOTMarker(char16_t* out31) noexcept {
  if (out31 != nullptr) std::memcpy(out31, TerminatedField(R().splitter_eot_marker), sizeof R().splitter_eot_marker);
}
bool SetSplitterEOTMarker(const char16_t* text) noexcept { return SetText(R().splitter_eot_marker, text); }
const char16_t* GetEndOfTextHeader() noexcept { return TerminatedField(R().end_of_text_header); }
bool SetEndOfTextHeader(const char16_t* text) noexcept { return SetText(R().end_of_text_header, text); }
const char16_t* GetTheLogFilename() noexcept { return TerminatedField(R().log_filename); }
bool SetTheLogFileName(const char16_t* text) noexcept {
  if (!SetText(R().log_filename, text)) return false;
  try {
    SetLogFilename(FixedText(R().log_filename));
  } catch (...) {
  }
  return true;
}

const char16_t* GetDefaultTextSpecs() noexcept {
  if (R().default_text_specs[0] == 0) return u"*.*";
  return TerminatedField(R().default_text_specs);
}
bool SetDefaultTextSpecs(const char16_t* text) noexcept {
  std::u16string_view s = CallerText(text, sizeof R().default_text_specs / 2);
  if (s.empty()) s = u".";
  return SetPlainText(R().default_text_specs, s);
}

static char16_t* LastUsedFileField(uint8_t list_type) {
  if (list_type == lt_KW_database_list) return R().last_kw_database_file;
  if (list_type == lt_wordlist_index_list) return R().last_wordlist_index_file;
  return nullptr;
}
const char16_t* GetLastUsedFile(uint8_t list_type) noexcept {
  char16_t* f = LastUsedFileField(list_type);
  if (f == nullptr) return nullptr;
  f[260] = 0;
  return f;
}
bool SetLastUsedFile(uint8_t list_type, const char16_t* text) noexcept {
  if (LastUsedFileField(list_type) == nullptr) return false;
  auto& f = list_type == lt_KW_database_list ? R().last_kw_database_file : R().last_wordlist_index_file;
  MakeStoredForm(f, CallerText(text, 261));
  return true;
}

const char16_t* GetLastMainToolFileName(int32_t slot) noexcept {
  return IsSlot10(slot) ? TerminatedField(R().last_main_tool_filenames[slot]) : nullptr;
}
bool SetLastMainToolFileName(int32_t slot, const char16_t* text) noexcept {
  try {
    // The extension is looked for in the whole name, however long.
    const string ext = ExtractFileExt(CallerText(text, 32768));
    if (ext == u".kdb") return SetLastUsedFile(lt_KW_database_list, text);
    if (ext == u".tokens") return SetLastUsedFile(lt_wordlist_index_list, text);
  } catch (...) {
    return false;
  }
  if (!IsSlot10(slot)) return false;
  SetText(R().last_main_tool_filenames[slot], text);
  return true;
}

const char16_t* GetDefaultFolder(int32_t slot) noexcept {
  return IsSlot10(slot) ? TerminatedField(R().default_folders[slot]) : nullptr;
}
bool SetDefaultFolder(int32_t slot, const char16_t* folder) noexcept {
  return IsSlot10(slot) && SetFolderText(R().default_folders[slot], folder);
}
const char16_t* GetLastOpenedFolder(int32_t slot) noexcept {
  return IsSlot10(slot) ? TerminatedField(R().last_opened_folders[slot]) : nullptr;
}
bool SetLastOpenedFolder(int32_t slot, const char16_t* folder) noexcept {
  return IsSlot10(slot) && SetFolderText(R().last_opened_folders[slot], folder);
}

void GetChosenTextFiles(int32_t slot, TFilenameWideStringAndInteger* out) noexcept {
  if (!IsSlot10(slot)) return ZeroOut(out);
  TerminateFixedText(R().chosen_text_files[slot].filename);
  GetRecord(R().chosen_text_files[slot], out);
}
bool SetChosenTextFiles(int32_t slot, const char16_t* filename, int32_t filecount) noexcept {
  if (!IsSlot10(slot)) return false;
  auto& e = R().chosen_text_files[slot];
  char16_t stored[261];
  MakeStoredForm(stored, CallerText(filename, 261));
  if (FixedText(e.filename) == FixedText(stored) && e.filecount == filecount) return false;
  std::memcpy(e.filename, stored, sizeof stored);
  e.filecount = filecount;
  return true;
}

void GetKeywordsSettingsReferenceCorpus(char16_t* out261) noexcept {
  auto& f = R().keywords_settings.ref_corpus_wordlist_filename;
  if (out261 != nullptr) std::memcpy(out261, TerminatedField(f), sizeof f);
}
bool SetKeywordsSettingsReferenceCorpus(const char16_t* text) noexcept {
  return SetText(R().keywords_settings.ref_corpus_wordlist_filename, text);
}

// --- Records with their own rules -------------------------------------------

void GetPercentColourRanges(int32_t* out4) noexcept {
  if (out4 != nullptr) std::memcpy(out4, R().percent_colour_ranges, sizeof R().percent_colour_ranges);
}
bool SetPercentColourRanges(const int32_t* colours4) noexcept {
  if (colours4 == nullptr) return false;
  if (colours4[0] != 0 || colours4[1] != 0 || colours4[2] != 0 || colours4[3] != 0)
    SetShouldColourPercentages(1);
  if (std::memcmp(R().percent_colour_ranges, colours4, sizeof R().percent_colour_ranges) == 0) return false;
  std::memcpy(R().percent_colour_ranges, colours4, sizeof R().percent_colour_ranges);
  return true;
}
int32_t GetAPercentageColour(uint32_t percentage) noexcept {
  const TColor* c = R().percent_colour_ranges;
  if (percentage <= 33) return c[tpc_below_33];
  if (percentage <= 67) return c[tpc_34_67];
  if (percentage <= 85) return c[tpc_68_85];
  if (percentage <= 100) return c[tpc_86_on];
  return 0;
}

void GetTextSettings(TTextsett_rec32* out) noexcept { GetRecord(R().text_settings, out); }
bool SetTextSettings(const TTextsett_rec32* rec) noexcept {
  if (rec == nullptr) return false;
  TTextsett_rec32 stored;
  std::memcpy(static_cast<void*>(&stored), rec, sizeof stored);
  stored.Language_Requires_Unicode = LanguageRequiresUnicode(stored.language_info.lcid) ? 1 : 0;
  return SetRecord(R().text_settings, &stored);
}
bool SetLangDetails(const Tfixed_lang_details32* rec) noexcept {
  if (!SetRecord(R().text_settings.language_info, rec)) return false;
  R().text_settings.Language_Requires_Unicode =
      LanguageRequiresUnicode(R().text_settings.language_info.lcid) ? 1 : 0;
  return true;
}
bool SetTextSettingsRequirePrecomposedCharacters(uint8_t value) noexcept {
  return SetScalar(R().text_settings.RequirePrecomposedCharacters, value);
}
bool SetTextSettingsNumbersIncluded(uint8_t value) noexcept {
  return SetScalar(R().text_settings.numbers_included, value);
}
bool SetClearingDefaultMarkup(uint8_t value) noexcept {
  return SetScalar(R().text_settings.clear_default_markup, value);
}
bool SetTextSettingsMaxTexts(int32_t count) noexcept {
  return SetScalar(R().text_settings.max_texts, count < 1 ? int32_t{2147483647} : count);
}
void SetTextSettingsStandardMarkers(const TText_segment_rec* markers8) noexcept {
  if (markers8 == nullptr) return;
  for (int i = 0; i < kTextSegmentCount; ++i) {
    TText_segment_rec& m = R().text_settings.standard_markers[i];
    m = markers8[i];
    ForceTerminators(m);
  }
}
bool SetStandardTextMarkers(uint8_t segment, const TText_segment_rec* marker) noexcept {
  if (marker == nullptr || !InRange(segment, kFirstTextSegment, kLastTextSegment)) return false;
  TText_segment_rec& m = R().text_settings.standard_markers[segment - kFirstTextSegment];
  m = *marker;
  ForceTerminators(m);
  return true;
}
bool SetIgnoreTags(const char16_t* units12) noexcept {
  if (units12 == nullptr) return false;
  char16_t stored[12];
  std::memcpy(stored, units12, sizeof stored);
  TerminateFixedText(stored);
  return SetWholeArray(R().text_settings.ignore_tags, stored);
}
bool SetTagTreatment(uint8_t treatment, uint8_t displaying) noexcept {
  return SetScalar(displaying != 0 ? R().text_settings.tag_treatment_displaying
                                   : R().text_settings.tag_treatment_computing,
                   treatment);
}

bool SetKeyWordsSettingsMaxWanted(int32_t max_wanted) noexcept {
  return SetScalar(R().keywords_settings.max_wanted, max_wanted);
}
uint8_t GetKeywordsSettingsHandleAmount() noexcept { return R().keywords_settings.handle_amount; }
bool SetKeywordsHandleAmount(uint8_t amount) noexcept {
  return SetScalar(R().keywords_settings.handle_amount, amount);
}

void GetDefaultColumnsVisible(int32_t row, uint8_t* out21) noexcept {
  if (out21 == nullptr) return;
  if (!InRange(row, 0, kDefaultColumnRows - 1)) {
    std::memset(out21, 0, kDefaultColumnCols);
    return;
  }
  std::memcpy(out21, R().default_columns_visible[row], kDefaultColumnCols);
}
bool SetDefaultColumnsVisible(int32_t row, int32_t column, uint8_t visible) noexcept {
  // Row 3 is readable but, by long-standing rule, not settable here.
  if (!InRange(row, 0, 2) || !InRange(column, 0, kDefaultColumnCols - 1)) return false;
  return SetScalar(R().default_columns_visible[row][column], visible);
}

static TSelectTextFile_RecW* TextSelectEntry(TSelectTextFile_RecW* table, int16_t entry) {
  return InRange(entry, 1, kTextSelectEntries) ? &table[entry - 1] : nullptr;
}
void GetTextSelectAtAllString(int16_t entry, TSelectTextFile_RecW* out) noexcept {
  if (auto* e = TextSelectEntry(R().text_select_at_all, entry)) return GetRecord(*e, out);
  ZeroOut(out);
}
bool SetTextSelectAtAllString(int16_t entry, const TSelectTextFile_RecW* rec) noexcept {
  auto* e = TextSelectEntry(R().text_select_at_all, entry);
  return e != nullptr && SetRecord(*e, rec);
}
void GetTextSelectWithinContext(int16_t entry, TSelectTextFile_RecW* out) noexcept {
  if (auto* e = TextSelectEntry(R().text_select_within_context, entry)) return GetRecord(*e, out);
  ZeroOut(out);
}
bool SetTextSelectWithinContext(int16_t entry, const TSelectTextFile_RecW* rec) noexcept {
  auto* e = TextSelectEntry(R().text_select_within_context, entry);
  return e != nullptr && SetRecord(*e, rec);
}

// --- Per-tool arrays ----------------------------------------------------------

int32_t GetToolsOpen(uint8_t tool) noexcept { return IsTool(tool) ? R().tools_open[tool] : 0; }
bool SetToolsOpen(uint8_t tool, int32_t count) noexcept {
  return IsTool(tool) && SetScalar(R().tools_open[tool], count);
}
uint8_t GetKeypressMode(uint8_t tool) noexcept { return IsTool(tool) ? R().keypress_mode[tool] : 0; }
bool SetKeyPressMode(uint8_t tool, uint8_t mode) noexcept {
  return IsTool(tool) && SetScalar(R().keypress_mode[tool], mode);
}
uint32_t GetActiveMainToolWindow(uint8_t tool) noexcept {
  return IsTool(tool) ? R().active_main_tool_window[tool] : 0;
}
bool SetActiveMainToolWindow(uint8_t tool, uint32_t wnd) noexcept {
  return IsTool(tool) && SetScalar(R().active_main_tool_window[tool], wnd);
}
uint32_t GetActiveChildToolWindow(uint8_t tool) noexcept {
  return IsTool(tool) ? R().active_child_tool_window[tool] : 0;
}
bool SetActiveChildToolWindow(uint8_t tool, uint32_t wnd) noexcept {
  return IsTool(tool) && SetScalar(R().active_child_tool_window[tool], wnd);
}

// --- Per-slot arrays ------------------------------------------------------------

uint8_t GetNewChoiceOfTextFiles(int32_t slot) noexcept {
  return IsSlot4(slot) ? R().new_choice_of_text_files[slot] : 0;
}
void SetNewChoiceOfTextFiles(int32_t slot, uint8_t value) noexcept {
  if (IsSlot4(slot)) R().new_choice_of_text_files[slot] = value;
}
uint8_t GetRemoveDuplicatesAutomatically(int32_t slot) noexcept {
  return IsSlot4(slot) ? R().remove_duplicates_automatically[slot] : 0;
}
bool SetRemoveDuplicatesAutomatically(int32_t slot, uint8_t value) noexcept {
  return InRange(slot, 0, 2) && SetScalar(R().remove_duplicates_automatically[slot], value);
}
uint8_t GetWizardStartsAutomatically(int32_t slot) noexcept {
  return IsSlot4(slot) ? R().wizard_starts_automatically[slot] : 0;
}
bool SetWizardStartsAutomatically(int32_t slot, uint8_t value) noexcept {
  return InRange(slot, 0, 2) && SetScalar(R().wizard_starts_automatically[slot], value);
}
uint8_t GetZipAllResults(int32_t slot) noexcept {
  return InRange(slot, 0, 2) ? R().zip_all_results[slot] : 0;
}
bool SetZipAllResults(int32_t slot, uint8_t value) noexcept {
  return InRange(slot, 0, 2) && SetScalar(R().zip_all_results[slot], value);
}
uint8_t GetOutputResultsCase(int32_t slot) noexcept {
  return InRange(slot, 0, 2) ? R().output_results_case[slot] : 0;
}
bool SetOutputResultsCase(int32_t slot, uint8_t value) noexcept {
  return InRange(slot, 0, 2) && SetScalar(R().output_results_case[slot], value);
}
uint8_t GetFastMinimalProcessing(int32_t slot) noexcept {
  return IsSlot4(slot) ? R().fast_minimal_processing[slot] : 0;
}
bool SetFastMinimalProcessing(int32_t slot, uint8_t value) noexcept {
  return IsSlot4(slot) && SetScalar(R().fast_minimal_processing[slot], value);
}
uint8_t GetUseUserFilter(int32_t slot) noexcept { return IsSlot4(slot) ? R().use_user_filter[slot] : 0; }
bool SetUseUserFilter(uint8_t value, int32_t slot) noexcept {
  if (!IsSlot4(slot)) return false;
  R().use_user_filter[slot] = value;
  return true;
}

void GetLemmaListSettings(int32_t slot, TLemmaListSettingsRec* out) noexcept {
  if (IsSlot4(slot)) return GetRecord(R().lemma_list_settings[slot], out);
  ZeroOut(out);
}
bool SetLemmaListSettings(int32_t slot, const TLemmaListSettingsRec* rec) noexcept {
  return IsSlot4(slot) && SetRecord(R().lemma_list_settings[slot], rec);
}
void GetMatchListSettings(int32_t slot, TMatchListSettingsRec* out) noexcept {
  if (IsSlot4(slot)) return GetRecord(R().match_list_settings[slot], out);
  ZeroOut(out);
}
bool SetMatchListSettings(int32_t slot, const TMatchListSettingsRec* rec) noexcept {
  return IsSlot4(slot) && SetRecord(R().match_list_settings[slot], rec);
}
bool SetMatchListBasis(int32_t slot, uint8_t basis) noexcept {
  return IsSlot4(slot) && SetScalar(R().match_list_settings[slot].basis, basis);
}
void GetStopListSettings(int32_t slot, TStoplistSettingsRec* out) noexcept {
  if (IsSlot4(slot)) return GetRecord(R().stop_list_settings[slot], out);
  ZeroOut(out);
}
bool SetStopListSettings(int32_t slot, const TStoplistSettingsRec* rec) noexcept {
  return IsSlot4(slot) && SetRecord(R().stop_list_settings[slot], rec);
}

const char16_t* GetLemmaMatchStopFilename(int32_t slot, uint8_t kind) noexcept {
  if (!IsSlot4(slot) || kind >= kLemmaMatchStopCount) return nullptr;
  return TerminatedField(R().lemma_match_stop_filenames[slot][kind]);
}
bool SetLemmaMatchStopFilename(int32_t slot, uint8_t kind, const char16_t* text) noexcept {
  return IsSlot4(slot) && kind < kLemmaMatchStopCount &&
         SetText(R().lemma_match_stop_filenames[slot][kind], text);
}
uint8_t GetLemmaMatchStopWanted(int32_t slot, uint8_t kind) noexcept {
  return IsSlot4(slot) && kind < kLemmaMatchStopCount ? R().lemma_match_stop_wanted[slot][kind] : 0;
}
bool SetLemmaMatchStopWanted(int32_t slot, uint8_t kind, uint8_t value) noexcept {
  return IsSlot4(slot) && kind < kLemmaMatchStopCount &&
         SetScalar(R().lemma_match_stop_wanted[slot][kind], value);
}
uint8_t GetRelationMatchWanted(int32_t slot) noexcept {
  return IsSlot4(slot) ? R().relation_match_wanted[slot] : 0;
}
bool SetRelationMatchWanted(int32_t slot, uint8_t value) noexcept {
  return IsSlot4(slot) && SetScalar(R().relation_match_wanted[slot], value);
}

// --- Menus ------------------------------------------------------------------------

void GetAllMenuCheckStates(uint8_t* out225) noexcept {
  if (out225 != nullptr) std::memcpy(out225, R().menu_items_checked, kMenuTagCount);
}
uint8_t GetMenuItemChecked(int32_t tag) noexcept { return IsTag(tag) ? R().menu_items_checked[tag] : 0; }
bool SetMenuItemChecked(int32_t tag, uint8_t checked) noexcept {
  return IsTag(tag) && SetScalar(R().menu_items_checked[tag], checked);
}
bool ToggleMenuItem(int32_t tag) noexcept {
  return SetMenuItemChecked(tag, GetMenuItemChecked(tag) == 0 ? 1 : 0);
}
bool ToggleOneMenuItemInGroup(int32_t tag) noexcept {
  if (tag >= 219 && tag <= 223) {
    for (int32_t member : {219, 220, 221, 223}) {
      if (member == tag)
        ToggleMenuItem(member);
      else
        SetMenuItemChecked(member, 0);
    }
  }
  return true;
}
uint8_t GetPopupMenuTagInUse(int32_t tag) noexcept {
  return IsTag(tag) ? R().popup_menu_tags_in_use[tag] : 0;
}
bool SetPopupMenuTagInUse(int32_t tag, uint8_t used) noexcept {
  return IsTag(tag) && SetScalar(R().popup_menu_tags_in_use[tag], used);
}
void ClearPopupMenuTagsInUse() noexcept { std::memset(R().popup_menu_tags_in_use, 0, kMenuTagCount); }
uint8_t GetCarryoutProcedureTagBoolean(int32_t tag) noexcept {
  return IsTag(tag) ? R().carryout_procedure_flags[tag] : 0;
}
bool SetCarryoutProcedureTagBoolean(int32_t tag, uint8_t value) noexcept {
  return IsTag(tag) && SetScalar(R().carryout_procedure_flags[tag], value);
}
void GetMenuCurrentShortcuts(uint16_t* out225) noexcept {
  if (out225 != nullptr) std::memcpy(out225, R().menu_current_shortcuts, sizeof R().menu_current_shortcuts);
}
uint16_t GetMenuShortcut(int32_t tag, uint8_t default_table) noexcept {
  if (!IsTag(tag)) return 0;
  return default_table != 0 ? R().menu_default_shortcuts[tag] : R().menu_current_shortcuts[tag];
}
bool SetMenuShortcut(int32_t tag, uint8_t default_table, uint16_t shortcut) noexcept {
  if (!IsTag(tag)) return false;
  return SetScalar(default_table != 0 ? R().menu_default_shortcuts[tag] : R().menu_current_shortcuts[tag],
                   shortcut);
}
void SetMenuCurrentShortcutsToDefaultValues() noexcept {
  for (int32_t tag = 0; tag < kMenuTagCount; ++tag) SetMenuShortcut(tag, 0, GetMenuShortcut(tag, 1));
}

// --- Word-handling colours ----------------------------------------------------------

void GetAllWordHandlingColourRecsOfStyle(uint8_t style, TMyCanvasColourRecAndTypeface* out21) noexcept {
  if (out21 == nullptr) return;
  if (style >= kColourStyleCount) {
    std::memset(static_cast<void*>(out21), 0, sizeof R().word_handling[0]);
    return;
  }
  std::memcpy(static_cast<void*>(out21), R().word_handling[style], sizeof R().word_handling[0]);
}
void GetWordHandlingColourRecAndTypeface(uint8_t style, uint8_t kind, TMyCanvasColourRecAndTypeface* out) noexcept {
  if (IsStyleKind(style, kind)) return GetRecord(R().word_handling[style][kind], out);
  ZeroOut(out);
}
void GetWordHandlingColourRec(uint8_t style, uint8_t kind, TMyCanvasColourRec* out) noexcept {
  if (IsStyleKind(style, kind)) return GetRecord(R().word_handling[style][kind].colourset, out);
  ZeroOut(out);
}
bool SetWordHandlingTypeface(uint8_t style, uint8_t kind, uint8_t typefaces) noexcept {
  if (!IsStyleKind(style, kind)) return false;
  auto& e = R().word_handling[style][kind];
  if (e.default_typeface == typefaces) return false;
  e.default_typeface = typefaces;
  e.highlight_typeface = typefaces;
  return true;
}
int32_t GetWordHandlingColour(uint8_t style, uint8_t kind, uint8_t which) noexcept {
  if (!IsStyleKind(style, kind) || which > tct_selected_background) return 0;
  return R().word_handling[style][kind].colourset.colours[which];
}
bool SetWordHandlingColour(uint8_t style, uint8_t kind, uint8_t which, int32_t colour) noexcept {
  if (!IsStyleKind(style, kind) || which > tct_selected_background) return false;
  if (kind == wh_normal_text || colour == clNone) return false;
  return SetScalar(R().word_handling[style][kind].colourset.colours[which], colour);
}

// --- Windows ---------------------------------------------------------------------

void SetNewWnd(uint8_t tool, uint32_t wnd) noexcept {
  const uint32_t shell = R().shell_wnd;
  if (wnd != 0 && IsTool(tool) && tool != tt_shell && shell != 0)
    PostMessageW(shell, kCairnNewWndMessage, tool, static_cast<int32_t>(wnd));
}
void UnSetWnd(uint8_t tool, uint32_t wnd) noexcept {
  const uint32_t shell = R().shell_wnd;
  if (IsTool(tool) && shell != 0) PostMessageW(shell, kCairnUnSetWndMessage, tool, static_cast<int32_t>(wnd));
}

// The exports of libCairn7, the settings library.
//
// Every tool process loads the library and calls SetupCairnSharing() once,
// first: it attaches the process to the shared settings region, which holds
// one TCairnSettingsRec (settings_record.h) for every tool of the suite.  All
// other exports read or write one setting, or one group of settings, in that
// record in place, so a value set in one process is read at once in all the
// others.  Nothing is locked: the last writer wins, and a record copied while
// another process writes it may be half old, half new.
//
// Region.  Its name is "cairn_compartilhar" + "7.0.0.100" + "fixed", made
// private to the user (see shared_region.h).  The environment variable
// CV_SETTINGS_REGION, when set and not empty, replaces that name; tests use it
// so that parallel runs never share a region.  If the region cannot be
// created or mapped, the process works on a private zero-filled record of its
// own and writes one line to the log.  Before SetupCairnSharing, the exports
// work on that private record too; no export ever fails for want of a record.
//
// Conventions at this boundary:
// * Booleans are one byte (uint8_t 0 or 1; setters store the byte given).
// * Texts are zero-terminated UTF-16 (char16_t).  A null text pointer passed
//   in counts as the empty text.  Pointers returned by getters point into the
//   shared record: any process may rewrite the text at any time, so callers
//   copy it at once.  Every fixed text in the record holds a terminator inside
//   its field.
// * A setter returns true exactly when the stored value changed; it compares
//   the value as it would be stored (texts cut to their field, folders
//   normalised), so setting the same over-long text twice gives true, then
//   false.  The few exports documented as storing without comparing are
//   marked below.
// * Every index and ordinal is checked: an out-of-range setter returns false
//   and changes nothing; an out-of-range getter returns 0, null or zeros.
// * No export throws.
#pragma once

#include <cstdint>

#include "settings_library/settings_record.h"

#define CAIRN_API __attribute__((visibility("default")))

extern "C" {

using cv::CV_keywords_settings_type32;
using cv::TCairnVariant;
using cv::TCharGramSettings;
using cv::TCollocateScriptSettings;
using cv::TConcgramMutualChecks;
using cv::TConcgramSettings;
using cv::TConcSettingsRec32;
using cv::TCVClipboardSettings;
using cv::TCVPrinter_rec;
using cv::TCVStartupOptions;
using cv::TDetConsistSettings;
using cv::Tfixed_lang_details32;
using cv::TFilenameWideStringAndInteger;
using cv::TGeneralPlotSettings;
using cv::TKeyWord_Database_settings;
using cv::TLemmaListSettingsRec;
using cv::TMatchListSettingsRec;
using cv::TMediaParseRec;
using cv::TMovingWindowSettings;
using cv::TMyCanvasColourRec;
using cv::TMyCanvasColourRecAndTypeface;
using cv::tProgressParams;
using cv::TProxySettings;
using cv::TRulerPlotWordCloudColoursRec;
using cv::TSelectTextFile_RecW;
using cv::TStoplistSettingsRec;
using cv::TTagPreferencesRec;
using cv::TText_segment_rec;
using cv::TTextsett_rec32;
using cv::TVersionAndDateRec;
using cv::TWordCloudSettingsRec;
using cv::TWordlist_index_settings_rec;
using cv::TWordlist_settings_rec;

#include "settings_library/cairn7_tables.inc"

#define CAIRN_DECLARE_SCALAR(G, S, T, f) \
  CAIRN_API T G() noexcept;              \
  CAIRN_API bool S(T value) noexcept;
#define CAIRN_DECLARE_TEXT(G, S, f)          \
  CAIRN_API const char16_t* G() noexcept;    \
  CAIRN_API bool S(const char16_t* text) noexcept;
#define CAIRN_DECLARE_RECORD(G, S, T, f) \
  CAIRN_API void G(T* out) noexcept;     \
  CAIRN_API bool S(const T* rec) noexcept;

CAIRN_SCALARS(CAIRN_DECLARE_SCALAR)
CAIRN_TEXTS(CAIRN_DECLARE_TEXT)
CAIRN_FOLDERS(CAIRN_DECLARE_TEXT)
CAIRN_RECORDS(CAIRN_DECLARE_RECORD)

// --- Set-up and defaults ---------------------------------------------------
CAIRN_API void SetupCairnSharing() noexcept;
// Factory settings for the whole record.  When other processes hold the
// region, the live window handles and tools-open counts are kept.
CAIRN_API void SetAllDefaults() noexcept;
// Factory folders, under the user's documents folder + "/cvane7" (the home
// folder when no documents folder is known).
CAIRN_API void SetAllFoldersToDefault() noexcept;
// Colour style := style, then the factory colour tables.  False (nothing
// changed) for a style outside 0..12.
CAIRN_API bool ResetToDefaultColours(uint8_t style) noexcept;
CAIRN_API void SetColoursDone() noexcept;
CAIRN_API void SetDefDirDone() noexcept;
CAIRN_API void SetAllSettingsDone() noexcept;

// --- Scalars with their own rules -------------------------------------------
// The negation of the stored "text file not wanted" flag.
CAIRN_API uint8_t GetThisTextFileWanted() noexcept;
CAIRN_API uint8_t GetCallingTool() noexcept;
// Stores without comparing.
CAIRN_API void SetCallingTool(uint8_t tool) noexcept;
CAIRN_API uint8_t GetLogging() noexcept;
// Stores without comparing, switches this process's log on or off; true.
CAIRN_API bool SetLogging(uint8_t on) noexcept;
CAIRN_API void IncTimesEndOfTextHeaderCut() noexcept;
// Kinds 0, 1, 2; any other kind gives 2 and false.
CAIRN_API int16_t GetBaseHeadingsWidth(uint8_t kind) noexcept;
CAIRN_API bool SetBaseHeadingsWidth(uint8_t kind, int16_t width) noexcept;
// The scratch variant.  The setter refuses (false) a value that holds a
// pointer (strings, objects, arrays, by-reference values): another process
// could not follow it.  Values compare by type and value.
CAIRN_API void GetTempVariant(TCairnVariant* out) noexcept;
CAIRN_API bool SetTempVariant(const TCairnVariant* value) noexcept;
CAIRN_API void GetTemp2Longint(int32_t* out2) noexcept;
CAIRN_API bool SetTemp2Longint(const int32_t* values2) noexcept;
CAIRN_API void GetTemp2Int64(int64_t* out2) noexcept;
CAIRN_API bool SetTemp2Int64(const int64_t* values2) noexcept;

// --- Texts with their own rules ---------------------------------------------
// Texts returned as copies: the text is written into buffer (capacity units,
// terminator included, cut when it does not fit); the result is the length of
// the whole text in units.
CAIRN_API int32_t GetATempString(int32_t kind, char16_t* buffer, int32_t capacity) noexcept;
// Kind 1 selects scratch string 1, any other kind scratch string 2.
CAIRN_API bool SetATempString(const char16_t* text, int32_t kind) noexcept;
CAIRN_API int32_t GetConc_Context_W_TXT_Marker(char16_t* buffer, int32_t capacity) noexcept;
CAIRN_API bool SetConc_Context_W_TXT_Marker(const char16_t* text) noexcept;
CAIRN_API int32_t GetConc_SW_TXT_Marker(char16_t* buffer, int32_t capacity) noexcept;
CAIRN_API bool SetConc_SW_TXT_Marker(const char16_t* text) noexcept;
// Copies the whole 31-unit array.
CAIRN_API void GetSplitterEOTMarker(char16_t* out31) noexcept;
CAIRN_API bool SetSplitterEOTMarker(const char16_t* text) noexcept;
CAIRN_API const char16_t* GetEndOfTextHeader() noexcept;
CAIRN_API bool SetEndOfTextHeader(const char16_t* text) noexcept;
CAIRN_API const char16_t* GetTheLogFilename() noexcept;
// When changed, also sets this process's log file name.
CAIRN_API bool SetTheLogFileName(const char16_t* text) noexcept;
// The stored file mask, or "*.*" when none is stored.
CAIRN_API const char16_t* GetDefaultTextSpecs() noexcept;
// At most 10 characters; the empty text stores ".".
CAIRN_API bool SetDefaultTextSpecs(const char16_t* text) noexcept;
// List types 2 (keyword database) and 23 (word-list index) only: other types
// give null and false.  The setter stores without comparing and returns true.
CAIRN_API const char16_t* GetLastUsedFile(uint8_t list_type) noexcept;
CAIRN_API bool SetLastUsedFile(uint8_t list_type, const char16_t* text) noexcept;
// Slots 0..9.  A ".kdb" or ".tokens" file goes to SetLastUsedFile instead.
CAIRN_API const char16_t* GetLastMainToolFileName(int32_t slot) noexcept;
CAIRN_API bool SetLastMainToolFileName(int32_t slot, const char16_t* text) noexcept;
CAIRN_API const char16_t* GetDefaultFolder(int32_t slot) noexcept;
CAIRN_API bool SetDefaultFolder(int32_t slot, const char16_t* folder) noexcept;
CAIRN_API const char16_t* GetLastOpenedFolder(int32_t slot) noexcept;
CAIRN_API bool SetLastOpenedFolder(int32_t slot, const char16_t* folder) noexcept;
CAIRN_API void GetChosenTextFiles(int32_t slot, TFilenameWideStringAndInteger* out) noexcept;
CAIRN_API bool SetChosenTextFiles(int32_t slot, const char16_t* filename, int32_t filecount) noexcept;
// Copies the 261-unit reference-corpus file name of the keyword settings.
CAIRN_API void GetKeywordsSettingsReferenceCorpus(char16_t* out261) noexcept;
CAIRN_API bool SetKeywordsSettingsReferenceCorpus(const char16_t* text) noexcept;

// --- Records with their own rules -------------------------------------------
CAIRN_API void GetPercentColourRanges(int32_t* out4) noexcept;
// Any non-zero colour also switches colour percentages on.
CAIRN_API bool SetPercentColourRanges(const int32_t* colours4) noexcept;
// 0-33, 34-67, 68-85, 86-100 select the four colours; above 100 gives 0.
CAIRN_API int32_t GetAPercentageColour(uint32_t percentage) noexcept;
CAIRN_API void GetTextSettings(TTextsett_rec32* out) noexcept;
// Also sets Language_Requires_Unicode from language_info.lcid when stored.
CAIRN_API bool SetTextSettings(const TTextsett_rec32* rec) noexcept;
CAIRN_API bool SetLangDetails(const Tfixed_lang_details32* rec) noexcept;
CAIRN_API bool SetTextSettingsRequirePrecomposedCharacters(uint8_t value) noexcept;
CAIRN_API bool SetTextSettingsNumbersIncluded(uint8_t value) noexcept;
CAIRN_API bool SetClearingDefaultMarkup(uint8_t value) noexcept;
// A count below 1 stores 2147483647.
CAIRN_API bool SetTextSettingsMaxTexts(int32_t count) noexcept;
// Copies all eight markers without comparing.
CAIRN_API void SetTextSettingsStandardMarkers(const TText_segment_rec* markers8) noexcept;
// Text segments 14..21; stores without comparing; true unless out of range.
CAIRN_API bool SetStandardTextMarkers(uint8_t segment, const TText_segment_rec* marker) noexcept;
CAIRN_API bool SetIgnoreTags(const char16_t* units12) noexcept;
// Treatment for displaying (displaying = 1) or for computing.
CAIRN_API bool SetTagTreatment(uint8_t treatment, uint8_t displaying) noexcept;
CAIRN_API bool SetKeyWordsSettingsMaxWanted(int32_t max_wanted) noexcept;
CAIRN_API uint8_t GetKeywordsSettingsHandleAmount() noexcept;
CAIRN_API bool SetKeywordsHandleAmount(uint8_t amount) noexcept;
// Rows 0..3 of 21 flags.  The setter accepts rows 0..2 and columns 0..20.
CAIRN_API void GetDefaultColumnsVisible(int32_t row, uint8_t* out21) noexcept;
CAIRN_API bool SetDefaultColumnsVisible(int32_t row, int32_t column, uint8_t visible) noexcept;
// Entries 1..28.
CAIRN_API void GetTextSelectAtAllString(int16_t entry, TSelectTextFile_RecW* out) noexcept;
CAIRN_API bool SetTextSelectAtAllString(int16_t entry, const TSelectTextFile_RecW* rec) noexcept;
CAIRN_API void GetTextSelectWithinContext(int16_t entry, TSelectTextFile_RecW* out) noexcept;
CAIRN_API bool SetTextSelectWithinContext(int16_t entry, const TSelectTextFile_RecW* rec) noexcept;

// --- Per-tool arrays (tool ordinals 0..17) ----------------------------------
CAIRN_API int32_t GetToolsOpen(uint8_t tool) noexcept;
CAIRN_API bool SetToolsOpen(uint8_t tool, int32_t count) noexcept;
CAIRN_API uint8_t GetKeypressMode(uint8_t tool) noexcept;
CAIRN_API bool SetKeyPressMode(uint8_t tool, uint8_t mode) noexcept;
CAIRN_API uint32_t GetActiveMainToolWindow(uint8_t tool) noexcept;
CAIRN_API bool SetActiveMainToolWindow(uint8_t tool, uint32_t wnd) noexcept;
CAIRN_API uint32_t GetActiveChildToolWindow(uint8_t tool) noexcept;
CAIRN_API bool SetActiveChildToolWindow(uint8_t tool, uint32_t wnd) noexcept;

// --- Per-slot arrays (slots 0..3 unless noted) ------------------------------
// Stores without comparing.
CAIRN_API uint8_t GetNewChoiceOfTextFiles(int32_t slot) noexcept;
CAIRN_API void SetNewChoiceOfTextFiles(int32_t slot, uint8_t value) noexcept;
// Setters accept slots 0..2.
CAIRN_API uint8_t GetRemoveDuplicatesAutomatically(int32_t slot) noexcept;
CAIRN_API bool SetRemoveDuplicatesAutomatically(int32_t slot, uint8_t value) noexcept;
CAIRN_API uint8_t GetWizardStartsAutomatically(int32_t slot) noexcept;
CAIRN_API bool SetWizardStartsAutomatically(int32_t slot, uint8_t value) noexcept;
// Slots 0..2.
CAIRN_API uint8_t GetZipAllResults(int32_t slot) noexcept;
CAIRN_API bool SetZipAllResults(int32_t slot, uint8_t value) noexcept;
CAIRN_API uint8_t GetOutputResultsCase(int32_t slot) noexcept;
CAIRN_API bool SetOutputResultsCase(int32_t slot, uint8_t value) noexcept;
CAIRN_API uint8_t GetFastMinimalProcessing(int32_t slot) noexcept;
CAIRN_API bool SetFastMinimalProcessing(int32_t slot, uint8_t value) noexcept;
// Value first, slot second; stores without comparing; true unless out of range.
CAIRN_API uint8_t GetUseUserFilter(int32_t slot) noexcept;
CAIRN_API bool SetUseUserFilter(uint8_t value, int32_t slot) noexcept;
CAIRN_API void GetLemmaListSettings(int32_t slot, TLemmaListSettingsRec* out) noexcept;
CAIRN_API bool SetLemmaListSettings(int32_t slot, const TLemmaListSettingsRec* rec) noexcept;
CAIRN_API void GetMatchListSettings(int32_t slot, TMatchListSettingsRec* out) noexcept;
CAIRN_API bool SetMatchListSettings(int32_t slot, const TMatchListSettingsRec* rec) noexcept;
CAIRN_API bool SetMatchListBasis(int32_t slot, uint8_t basis) noexcept;
CAIRN_API void GetStopListSettings(int32_t slot, TStoplistSettingsRec* out) noexcept;
CAIRN_API bool SetStopListSettings(int32_t slot, const TStoplistSettingsRec* rec) noexcept;
// Kind: a TLemmaMatchStopOptions (0..3).
CAIRN_API const char16_t* GetLemmaMatchStopFilename(int32_t slot, uint8_t kind) noexcept;
CAIRN_API bool SetLemmaMatchStopFilename(int32_t slot, uint8_t kind, const char16_t* text) noexcept;
CAIRN_API uint8_t GetLemmaMatchStopWanted(int32_t slot, uint8_t kind) noexcept;
CAIRN_API bool SetLemmaMatchStopWanted(int32_t slot, uint8_t kind, uint8_t value) noexcept;
CAIRN_API uint8_t GetRelationMatchWanted(int32_t slot) noexcept;
CAIRN_API bool SetRelationMatchWanted(int32_t slot, uint8_t value) noexcept;

// --- Menus (tags 0..224) ----------------------------------------------------
CAIRN_API void GetAllMenuCheckStates(uint8_t* out225) noexcept;
CAIRN_API uint8_t GetMenuItemChecked(int32_t tag) noexcept;
CAIRN_API bool SetMenuItemChecked(int32_t tag, uint8_t checked) noexcept;
CAIRN_API bool ToggleMenuItem(int32_t tag) noexcept;
// Items 219, 220, 221 and 223 form one group: the tag is toggled, the others
// unchecked (222 unchecks all four).  Always true.
CAIRN_API bool ToggleOneMenuItemInGroup(int32_t tag) noexcept;
CAIRN_API uint8_t GetPopupMenuTagInUse(int32_t tag) noexcept;
CAIRN_API bool SetPopupMenuTagInUse(int32_t tag, uint8_t used) noexcept;
CAIRN_API void ClearPopupMenuTagsInUse() noexcept;
CAIRN_API uint8_t GetCarryoutProcedureTagBoolean(int32_t tag) noexcept;
CAIRN_API bool SetCarryoutProcedureTagBoolean(int32_t tag, uint8_t value) noexcept;
// Shortcuts: 16-bit key-and-modifier codes; default_table selects the table.
CAIRN_API void GetMenuCurrentShortcuts(uint16_t* out225) noexcept;
CAIRN_API uint16_t GetMenuShortcut(int32_t tag, uint8_t default_table) noexcept;
CAIRN_API bool SetMenuShortcut(int32_t tag, uint8_t default_table, uint16_t shortcut) noexcept;
CAIRN_API void SetMenuCurrentShortcutsToDefaultValues() noexcept;

// --- Word-handling colours (style 0..12, kind 0..20) ------------------------
CAIRN_API void GetAllWordHandlingColourRecsOfStyle(uint8_t style, TMyCanvasColourRecAndTypeface* out21) noexcept;
CAIRN_API void GetWordHandlingColourRecAndTypefaceDEFAULT(uint8_t style, uint8_t kind,
                                                          TMyCanvasColourRecAndTypeface* out) noexcept;
CAIRN_API void GetWordHandlingColourRecAndTypeface(uint8_t style, uint8_t kind,
                                                   TMyCanvasColourRecAndTypeface* out) noexcept;
CAIRN_API void GetWordHandlingColourRec(uint8_t style, uint8_t kind, TMyCanvasColourRec* out) noexcept;
// Stores the set as both default and highlight typeface when it differs from
// the default typeface.
CAIRN_API bool SetWordHandlingTypeface(uint8_t style, uint8_t kind, uint8_t typefaces) noexcept;
// which: a TMyCanvasColourTypes (0..3).
CAIRN_API int32_t GetWordHandlingColour(uint8_t style, uint8_t kind, uint8_t which) noexcept;
// Refused for kind 0 (wh_normal_text) and for the colour $1FFFFFFF.
CAIRN_API bool SetWordHandlingColour(uint8_t style, uint8_t kind, uint8_t which, int32_t colour) noexcept;

// --- Windows -----------------------------------------------------------------
constexpr uint32_t kCairnNewWndMessage = 0x0400 + 611;    // WM_USER + 611
constexpr uint32_t kCairnUnSetWndMessage = 0x0400 + 612;  // WM_USER + 612
// Post (tool, wnd) to the stored controller window; never wait, never fail
// loudly.  SetNewWnd posts nothing for a null window or for the controller
// itself (tool 16).
CAIRN_API void SetNewWnd(uint8_t tool, uint32_t wnd) noexcept;
CAIRN_API void UnSetWnd(uint8_t tool, uint32_t wnd) noexcept;

// --- Concordance settings (field exports; the whole record is in the table) --
// The word fields copy / compare all 81 units.
CAIRN_API void GetConcSaveRecSearchword(char16_t* out81) noexcept;
CAIRN_API bool SetConcSaveRecSearchword(const char16_t* units81) noexcept;
CAIRN_API void GetConcSaveRecContextword(char16_t* out81) noexcept;
CAIRN_API bool SetConcSaveRecContextword(const char16_t* units81) noexcept;
CAIRN_API void GetConcSaveRecExclusionword(char16_t* out81) noexcept;
CAIRN_API bool SetConcSaveRecExclusionword(const char16_t* units81) noexcept;
CAIRN_API int32_t GetConcSaveRecEntriesWantedPerSW() noexcept;
CAIRN_API bool SetConcSaveRecEntriesWantedPerSw(int32_t value) noexcept;
// Horizons: to_left in the low 16 bits, to_right in the high 16 bits.
CAIRN_API uint32_t GetConcSaveRecCollocHorizons() noexcept;
CAIRN_API bool SetConcSaveRecCollocHorizons(uint32_t value) noexcept;
CAIRN_API uint32_t GetConcSaveRecContextHorizons() noexcept;
CAIRN_API bool SetConcSaveRecContextHorizons(uint32_t value) noexcept;
CAIRN_API bool SetConcSaveRecClusterSettingsToLeft(int16_t value) noexcept;
CAIRN_API bool SetConcSaveRecClusterSettingsToRight(int16_t value) noexcept;
CAIRN_API bool SetConcSaveRecClusterSettingsMinFreq(int16_t value) noexcept;
CAIRN_API bool SetConcSaveRecClusterNMIn(int16_t value) noexcept;
CAIRN_API bool SetConcSaveRecClusterNMax(int16_t value) noexcept;
CAIRN_API uint16_t GetConcSaveRecCharactersToSaveOnDisk() noexcept;
CAIRN_API bool SetConcSaveRecCharactersToSaveOnDisk(uint16_t value) noexcept;
// One-byte field: values above 255 store 255.
CAIRN_API uint16_t GetConcSaveRecCollocMinLength() noexcept;
CAIRN_API bool SetConcSaveRecCollocMinLength(uint16_t value) noexcept;
CAIRN_API uint16_t GetConcSaveRecCollocMinFreq() noexcept;
CAIRN_API bool SetConcSaveRecCollocMinFreq(uint16_t value) noexcept;
CAIRN_API bool SetConcSaveRecCollocatesStopAt(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecContextStopAt(uint8_t value) noexcept;
CAIRN_API uint8_t GetConcSaveRecBlanking() noexcept;
CAIRN_API bool SetConcSaveRecBlanking(uint8_t value) noexcept;
CAIRN_API uint8_t GetConcSaveRecWithCollocates() noexcept;
CAIRN_API bool SetConcSaveRecWithCollocates(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecWithContext(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecSWPadded(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecShowPercents(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecIgnoreConcTextStats(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecShowFullFilenamePath(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecSkipPunctuation(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecMergeSWSForCollocs(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecCollocatesCaseSensitive(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecShowColloc0Freq(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecPlotFilesBeforeSWs(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecAvoidHitsWithin(int32_t value) noexcept;
CAIRN_API uint8_t GetConcSaveRecDisplayOptions() noexcept;
CAIRN_API bool SetConcSaveRecDisplayOptions(uint8_t value) noexcept;
CAIRN_API uint8_t GetConcSaveRecHideOptions() noexcept;
CAIRN_API bool SetConcSaveRecHideOptions(uint8_t value) noexcept;
CAIRN_API bool SetConcSaveRecColouringOptions(uint8_t value) noexcept;

}  // extern "C"

// The suite's factory settings: SetAllDefaults, SetAllFoldersToDefault,
// ResetToDefaultColours and the default word-handling entry.
#include <cstring>
#include <initializer_list>
#include <string>

#include "core/my_types_mini.h"
#include "painting/style_colour_tables.h"
#include "platform/nls.h"
#include "platform/utf.h"
#include "settings_library/cairn7.h"
#include "settings_library/cairn_share.h"
#include "settings_library/folders.h"
#include "settings_library/settings_text.h"

using namespace cv;

namespace {

constexpr int32_t MaxInt = 2147483647;
constexpr TColor clWindowSys = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowTextSys = static_cast<TColor>(0xFF000008);

// Menu shortcuts in the platform's encoding: the virtual-key code in the low
// byte, with 0x2000 Shift, 0x4000 Ctrl and 0x8000 Alt.
uint16_t TextToShortCut(std::string_view text) {
  uint16_t mods = 0;
  for (;;) {
    auto take = [&text](std::string_view prefix) {
      if (text.substr(0, prefix.size()) != prefix) return false;
      text.remove_prefix(prefix.size());
      return true;
    };
    if (take("Shift+")) mods |= 0x2000;
    else if (take("Ctrl+")) mods |= 0x4000;
    else if (take("Alt+")) mods |= 0x8000;
    else break;
  }
  uint16_t key = 0;
  if (text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9'))) {
    key = static_cast<uint16_t>(text[0]);
  } else if (text.size() >= 2 && text[0] == 'F') {
    const int n = std::stoi(std::string(text.substr(1)));
    if (n >= 1 && n <= 24) key = static_cast<uint16_t>(0x70 + n - 1);  // VK_F1..
  }
  return key == 0 ? 0 : static_cast<uint16_t>(key | mods);
}

struct DefaultShortcut {
  int tag;
  const char* text;
};
constexpr DefaultShortcut kDefaultShortcuts[] = {
    {1, "Ctrl+F2"}, {3, "Ctrl+O"}, {4, "Ctrl+P"}, {5, "F3"}, {8, "Ctrl+N"}, {10, "F6"},
    {11, "Ctrl+Z"}, {16, "Ctrl+Alt+F"}, {18, "Alt+F5"}, {19, "F4"}, {20, "Ctrl+F4"},
    {22, "Ctrl+C"}, {26, "Ctrl+W"}, {29, "Ctrl+L"}, {30, "F8"}, {31, "Ctrl+F8"},
    {32, "Shift+Ctrl+F8"}, {33, "F5"}, {34, "F10"}, {40, "F7"}, {50, "Shift+Ctrl+C"},
    {57, "Ctrl+F3"}, {69, "F11"}, {82, "Ctrl+U"}, {91, "Alt+X"}, {95, "Ctrl+M"},
    {97, "Ctrl+F6"}, {98, "Shift+Ctrl+F6"}, {145, "F9"}, {167, "Shift+Alt+F5"},
    {170, "Ctrl+F"}, {180, "Ctrl+Alt+E"}, {199, "Alt+F8"}, {200, "Alt+Ctrl+F8"},
};

// Text colour of each word-handling kind; true where the same colour is also
// the selected text.
struct KindColour {
  TColor text;
  bool both;
};
constexpr KindColour kKindColours[kWordHandlingKinds] = {
    {0, true},  // wh_normal_text: the system window-text colour
    {0x808080, true}, {0xFF0000, true}, {0x000080, true}, {0x006400, true},
    {0xD30094, true}, {0x8B3D48, true}, {0x696969, true}, {0x0000FF, true},
    {0x000080, false},  // wh_viewtextkeywords
    {0x000000, false},  // wh_viewtext
    {0x008000, false}, {0x000000, false}, {0x0000FF, false}, {0x000000, false},
    {0x808080, false}, {0x000080, false}, {0xC0C0C0, false}, {0x0000FF, false},
    {0x800080, false},
    {0, true},  // wh_spare: the system window-text colour
};

TMyCanvasColourRecAndTypeface DefaultEntry(int style, int kind) {
  TMyCanvasColourRecAndTypeface e;
  std::memset(static_cast<void*>(&e), 0, sizeof e);
  TMy_typefaces tf = 0;
  if (kind >= wh_searchword && kind <= wh_contextword) tf = TypefaceBit(tf_bold);
  if (kind == wh_deleted) tf = TypefaceBit(tf_strikeout);
  e.default_typeface = tf;
  e.highlight_typeface = tf;
  auto& c = e.colourset.colours;
  c[tct_selected_text] = GetABaseTMSHighlightedTextColour(style);
  c[tct_selected_background] = GetABaseTMSHighlightBackgroundColour(style);
  c[tct_background] = MyColourToRGB(clWindowSys);
  const KindColour& k = kKindColours[kind];
  c[tct_text] = (kind == wh_normal_text || kind == wh_spare) ? MyColourToRGB(clWindowTextSys) : k.text;
  if (k.both) c[tct_selected_text] = c[tct_text];
  if (kind == wh_viewtextkeywords) c[tct_background] = 0xCDFAFF;
  if (kind == wh_viewtext) c[tct_background] = GetABaseTMSBackgroundColour(style);
  return e;
}

template <std::size_t N>
void CopyDirect(char16_t (&field)[N], std::u16string_view s) {
  MakeStoredForm(field, s);
}

void ConcordanceDefaults(TConcSettingsRec32& c) {
  c.entries_wanted_per_sw = 2147483646;
  c.colloc_horizons = {5, 5};
  c.context_horizons = {5, 5};
  c.cluster_settings.spare_min_texts = 0;
  c.cluster_settings.to_left = 5;
  c.cluster_settings.to_right = 5;
  c.cluster_settings.min_freq = 5;
  c.cluster_settings.spare_case_sensitive = 0;
  c.spare_text_format = tag_on;
  c.with_collocates = 1;
  c.collocates_stop_at = coll_stop_sentence;
  c.min_coll_len = 3;
  c.characters_to_save_on_disk = 1000;
  c.min_coll_freq = 5;
  c.TrebleSort[0] = cs_left1;
  c.TrebleSort[1] = cs_right1;
  c.TrebleSort[2] = cs_right1;
  c.context_stop_at = coll_stop_none;
  c.cluster_n_min = 3;
  c.cluster_n_max = 3;
  c.spare_RelationshipsProc = MI_Dice;
  c.max_tag_gap = 200;
  c.avoid_hits_within_X_words = -1;
  c.conc_colouring_options = (1u << conc_colour_tags) | (1u << conc_colour_words);
}

void SetFoldersToDefault() {
  TCairnSettingsRec& r = R();
  string base = CvaneBaseFolder();
  // No documents or home folder at all: the temporary folder still gives
  // every step somewhere to point.
  if (base.empty()) base = TempFilesFolder() + u"/cvane" + Latin1ToUtf16(std::to_string(CVMajorVersion));
  SetDefaultTextFolder(base.c_str());
  const string temp = TempFilesFolder();
  if (!temp.empty())
    SetTempZipFolder(temp.c_str());
  else
    std::memcpy(r.temp_zip_folder, r.default_text_folder, sizeof r.temp_zip_folder);
  const string text_folder(FixedText(r.default_text_folder));
  SetInstructionsFolder(text_folder.c_str());
  for (int i = 0; i < kTenSlots; ++i)
    CopyDirect(r.default_folders[i], base + u"/" + Tool_Name(static_cast<tool_type>(i)));
  CopyDirect(r.download_media_folder, base + u"/download");
  CopyDirect(r.default_text_folder, base + u"/text");
}

void ColoursToDefault(uint8_t style) {
  TCairnSettingsRec& r = R();
  SetTMSOfficeStyle(style);
  r.percent_colour_ranges[tpc_below_33] = 0x000000;
  r.percent_colour_ranges[tpc_34_67] = 0x000000;
  r.percent_colour_ranges[tpc_68_85] = 0x000000;
  r.percent_colour_ranges[tpc_86_on] = 0x000080;
  r.should_colour_percentages = 1;
  for (int s = 0; s < kColourStyleCount; ++s)
    for (int k = 0; k < kWordHandlingKinds; ++k) r.word_handling[s][k] = DefaultEntry(s, k);
  constexpr TColor kRulerColours[kRulerPlotColourCount] = {
      0x000000, 0x000080, 0x006400, 0xFF0000, 0x800000, 0xFFFFFF, 0x00008B, 0x008CFF, 0x006400, 0xFFFFFF};
  std::memcpy(r.ruler_plot_wordcloud_colours.colours, kRulerColours, sizeof kRulerColours);
  r.ruler_plot_wordcloud_colours.plot_divisions = 8;
}

// Window handles and tool counts that running tools still rely on.
struct LiveWindows {
  Cardinal main[kToolTypeCount], child[kToolTypeCount];
  Integer open[kToolTypeCount];
  Cardinal shell, progress;
  void Save(const TCairnSettingsRec& r) {
    std::memcpy(main, r.active_main_tool_window, sizeof main);
    std::memcpy(child, r.active_child_tool_window, sizeof child);
    std::memcpy(open, r.tools_open, sizeof open);
    shell = r.shell_wnd;
    progress = r.progress_wnd;
  }
  void Restore(TCairnSettingsRec& r) const {
    std::memcpy(r.active_main_tool_window, main, sizeof main);
    std::memcpy(r.active_child_tool_window, child, sizeof child);
    std::memcpy(r.tools_open, open, sizeof open);
    r.shell_wnd = shell;
    r.progress_wnd = progress;
  }
};

void AllDefaults() {
  TCairnSettingsRec& r = R();
  // 1. Everything to zero; when other tools are attached, keep what lets
  // them and the controller find each other.
  const bool keep_live = CairnOtherHoldersPresent();
  LiveWindows live;
  if (keep_live) live.Save(r);
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  if (keep_live) live.Restore(r);

  // 2.
  r.tms_colour_style = 7;
  r.wordlist_dispersion_divisions = 8;
  r.tag_preferences.DescriptionsPreferred = 1;
  r.keypress_mode[tt_kwic] = setting_categories;
  std::memset(r.carryout_procedure_flags, 1, sizeof r.carryout_procedure_flags);
  std::memset(static_cast<void*>(&r.clipboard_settings), 1, sizeof r.clipboard_settings);
  // 3.
  const string temp = TempFilesFolder();
  if (!temp.empty() && temp.size() <= 255) SetTempPathFolder(temp.c_str());
  // 4, 5.
  ColoursToDefault(7);
  r.ask_whether_to_save_run_conc_data = 0;
  r.ask_whether_to_save_modified_data = 1;
  // 6. Printer: inches for U.S. measurement, else centimetres.
  const LCID lcid = GetUserDefaultLCID();
  const string measure = GetLocaleInfo(lcid, LOCALE_IMEASURE);
  TCVPrinter_rec& p = r.printer_info;
  p.units = (!measure.empty() && measure[0] == u'1') ? pmu_inches : pmu_centimetres;
  const Single margin = p.units == pmu_centimetres ? 2.54f : 1.0f;
  p.LeftMargin = p.RightMargin = p.TopMargin = p.BottomMargin = margin;
  p.monochrome = 0;
  p.orientation = portrait;
  // 7.
  SetFoldersToDefault();
  // 8.
  r.word_cloud_settings.freq_related_colours = 1;
  r.word_cloud_settings.wc_round_rect_no_pen = 1;
  r.word_cloud_settings.horz_squeeze = 0.99f;
  r.word_cloud_settings.vert_squeeze = 0.913f;
  r.word_cloud_settings.min_font_size = 9;
  // 9 to 11.
  r.ignore_tags_span = 200;
  for (int kind = 0; kind < kToolTypeCount; ++kind)
    SetBaseHeadingsWidth(static_cast<uint8_t>(kind), kind == 1 ? 5 : 2);
  r.maximum_print_frequency = MaxInt;
  // 12.
  TWordlist_settings_rec& wl = r.wordlist_settings;
  wl.tokenlimit = 1000;
  wl.min_texts = 1;
  wl.maximumWordFrequency = 100000000;
  wl.minimumWordFrequency = 1;
  wl.minimumWordLength = 1;
  wl.maximumWordLength = 49;
  // 13.
  r.detailed_consistency_settings.min_freq = 1;
  r.detailed_consistency_settings.min_texts = 1;
  // 14.
  TKeyWord_Database_settings& db = r.keywords_database_settings;
  db.association_statistic = MI_MI3;
  db.min_KWs_per_text = 5;
  db.min_texts_for_database = 1;
  db.associate_min_texts = 5;
  db.min_association_strength = 5.0f;
  db.clump_match_percent = 30;
  db.max_followups = 100;
  // 15, 16.
  TGeneralPlotSettings& plot = r.plot_settings;
  plot.uniform_plot = plot.include_context_strings_in_compute = 1;
  plot.hover_show_context_strings = plot.show_plot_info_using_buttons = 1;
  plot.context_len = 100;
  plot.max_source_entries = 5000;
  r.timeline_plot_base_rounding = 1;
  // 17.
  for (int tag : {196, 176, 178}) r.menu_items_checked[tag] = 0;
  for (int tag : {177, 80, 46}) r.menu_items_checked[tag] = 1;
  for (int tag : {181, 185, 87, 81, 55}) r.menu_items_checked[tag] = 0;
  // 18.
  r.convert_text_file_options = (1u << tc_in_place) | (1u << tc_confirm_each) | (1u << tc_convert_fromUTF8);
  // 19. Text settings.
  TTextsett_rec32& ts = r.text_settings;
  ts.max_texts = MaxInt;
  CopyDirect(ts.standard_markers[15 - kFirstTextSegment].marker, u"auto");
  ts.language_info.lcid = lcid;
  ts.language_info.new_win_font.fontsize = 10;
  CopyDirect(ts.language_info.new_win_font.fontname, u"Segoe UI");
  ts.language_info.preference = lang_instalada;
  Cardinal acp = AnsiCodePageOfLCID(lcid);
  if (acp == 0) acp = GetACP();  // a Unicode-only locale has no code page of its own
  ts.language_info.win_codepage = static_cast<Word>(acp);
  ts.language_info.dos_codepage = 477;
  CopyDirect(ts.language_info.nome, std::u16string_view(GetLocaleInfo(lcid, LOCALE_SENGLANGUAGE)).substr(0, 50));
  ts.ignore_tags[0] = u'<';
  ts.ignore_tags[6] = u'>';
  ts.clear_default_markup = 1;
  // 20, 21.
  TCollocateScriptSettings& cs = r.collocate_script_settings;
  cs.max_wordlength = cs.max_wordfreq = cs.max_N_files = MaxInt;
  cs.max_collocate_total_column = cs.max_collocate_list_total = MaxInt;
  cs.min_wordlength = 1;
  cs.min_wordfreq = 10;
  cs.min_N_Files = 1;
  cs.min_collocate_total_column = 1;
  cs.min_collocate_list_total = 5;
  r.conc_characters_for_text_only = 100;
  // 22.
  ConcordanceDefaults(r.conc_settings);
  // 23, 24.
  CV_keywords_settings_type32& kw = r.keywords_settings;
  kw.links_max_min = {2, 1, 2000, 3, 0, 5};
  kw.min_texts_percent = 5.0f;
  kw.min_LL_P_value = 0.1f;
  kw.min_freq = 3;
  kw.BIC_score_threshold = 2.5f;
  kw.log_ratio_threshold = 1.5f;
  kw.max_wanted = 1000;
  kw.full_lemma_processing = 1;
  db.clump_match_percent = 30;
  db.min_texts_for_database = 1;
  // 25 to 29.
  SetDefaultTextSpecs(u"*.*");
  ts.tag_treatment_computing = wltt_tags_as_prefix;
  ts.tag_treatment_displaying = wltt_tags_as_prefix;
  r.calling_tool = tt_shell;
  r.startup_options.RememberCVPosition = 1;
  r.startup_options.ShowStatusbar = 1;
  r.concgram_mutual_checks.proc_settings[MI_MI].threshold = 3.0f;
  r.reserved_44248 = 38;
  // 30.
  TCharGramSettings& cg = r.chargram_settings;
  cg.word_positions[word_initial] = cg.word_positions[word_medial] = cg.word_positions[word_final] = 1;
  cg.min_pattern_freq = 2;
  cg.minimum_context_occurrences = 3;
  cg.maximum_context_words = 20;
  cg.minimum_chars = 3;
  cg.maximum_chars = 3;
  cg.minimum_texts = 1;
  cg.maximum_texts = MaxInt;
  cg.minimum_Frequency = 2;
  cg.maximum_Frequency = MaxInt;
  cg.hide_low_context_chargrams = 1;
  // 31, 32.
  r.auto_save_minutes = 10;
  r.moving_window_settings.window_size = 1000;
  r.moving_window_settings.max_grammar_words = 100;
  r.moving_window_settings.low_frequency_filter = 2;
  r.moving_window_settings.Processing_runs = 10;
  // 33.
  TWordlist_index_settings_rec& wi = r.wordlist_index_settings;
  wi.min_index_show_freq = 5;
  wi.cluster_settings.cluster_min_freq = 3;
  wi.cluster_settings.cluster_size_min = 3;
  wi.cluster_settings.cluster_size_max = 4;
  wi.cluster_settings.min_texts = 1;
  wi.cluster_settings.omit_phrase_frames = 1;
  wi.cluster_settings.stop_at = coll_stop_sentence;
  wi.cluster_settings.max_working_percent = 50.0f;
  TMutual_info_settings32& mi = wi.mutual_inforec;
  mi.stop_at = coll_stop_sentence;
  mi.MI_span = 5;
  mi.MI_min_texts = 1;
  mi.MI_min_freq = 5;
  mi.MI_max_percent = 0.5f;
  mi.minima[MI_Dice] = -999.0f;
  mi.minima[MI_MI] = 3.0f;
  mi.minima[MI_MI3] = 3.0f;
  mi.minima[MI_Z] = 1.0f;
  mi.minima[MI_log_likelihood] = 3.0f;
  mi.minima[MI_T_Score] = 2.0f;
  // 34 to 38.
  r.cut_low_case = 0;
  CopyDirect(r.splitter_eot_marker, u"[FF]");
  std::memset(r.default_columns_visible, 1, sizeof r.default_columns_visible);
  r.current_list = lt_none_in_use;
  for (auto& m : r.match_list_settings) m.basis = file_based;
  // 39 to 42.
  r.wordlist_index_high_freq_num = 500;
  r.random_range = 3;
  r.randomising = 0;
  r.cairn_spare = 1685221230;  // "nord" as a little-endian integer
  r.viewer_align_mode = sentenca;
  r.show_viewer_unusual_lines_toolbar = 1;
  r.media_markers.grow_by = 1.5f;
  r.media_markers.default_duration = 10;
  r.update_check_frequency = ucf_weekly;
  // 43 to 45.
  for (const auto& d : kDefaultShortcuts) r.menu_default_shortcuts[d.tag] = TextToShortCut(d.text);
  SetMenuCurrentShortcutsToDefaultValues();
  for (int tag : {103, 22, 29, 5}) r.popup_menu_tags_in_use[tag] = 1;
  r.concgram_settings.displayAsTree = 1;
  r.concgram_settings.sort_by_frequency = 1;
  r.concgram_settings.separator = u'\t';
}

}  // namespace

void SetAllDefaults() noexcept {
  try {
    AllDefaults();
  } catch (...) {
    // Only allocation failure can get here; what was written stays.
  }
}

void SetAllFoldersToDefault() noexcept {
  try {
    SetFoldersToDefault();
  } catch (...) {
  }
}

bool ResetToDefaultColours(uint8_t style) noexcept {
  if (style >= kColourStyleCount) return false;
  ColoursToDefault(style);
  return true;
}

void GetWordHandlingColourRecAndTypefaceDEFAULT(uint8_t style, uint8_t kind,
                                                TMyCanvasColourRecAndTypeface* out) noexcept {
  if (out == nullptr) return;
  if (style >= kColourStyleCount || kind >= kWordHandlingKinds) {
    std::memset(static_cast<void*>(out), 0, sizeof *out);
    return;
  }
  *out = DefaultEntry(style, kind);
}

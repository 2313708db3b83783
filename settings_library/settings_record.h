// The shared settings record: 92 512 bytes at fixed offsets from the start of
// the shared region, little-endian, natural alignment with every gap spelled
// out as a zeroed spare or padding member.  Every running tool maps the same
// record; the exports of libCairn7 each read or write one field in place.
//
// The record has no version field: the region's name (which carries the
// suite's version string) identifies the layout.
#pragma once

#include <cstddef>

#include "core/lemmastopmatchtypes.h"
#include "core/my_types_mini.h"
#include "settings_library/settings_records.h"

namespace cv {

constexpr int kColourStyleCount = 13;  // TMS colour styles 0..12
constexpr int kMenuTagCount = 225;     // menu tags 0..224
constexpr int kFourSlots = 4;
constexpr int kTenSlots = 10;
constexpr int kTextSelectEntries = 28;  // entries 1..28
constexpr int kDefaultColumnRows = 4;
constexpr int kDefaultColumnCols = 21;

// The platform variant, held as raw bytes: the type word, three reserved
// words and eight bytes of value (the layout of an OLE VARIANT).
struct TCairnVariant {
  Word vt = 0;
  Word reserved1 = 0;
  Word reserved2 = 0;
  Word reserved3 = 0;
  Byte value[8] = {};
};
static_assert(sizeof(TCairnVariant) == 16);

struct TCairnSettingsRec {
  TMyCanvasColourRecAndTypeface word_handling[kColourStyleCount][kWordHandlingKinds];
  Byte relation_match_wanted[kFourSlots];
  TMatchListSettingsRec match_list_settings[kFourSlots];
  TLemmaListSettingsRec lemma_list_settings[kFourSlots];
  TStoplistSettingsRec stop_list_settings[kFourSlots];
  maxpathwidechar lemma_match_stop_filenames[kFourSlots][kLemmaMatchStopCount];
  Byte lemma_match_stop_wanted[kFourSlots][kLemmaMatchStopCount];
  Byte output_results_case[kFourSlots];
  Byte new_choice_of_text_files[kFourSlots];
  Byte use_user_filter[kFourSlots];
  Byte wizard_starts_automatically[kFourSlots];
  Byte remove_duplicates_automatically[kFourSlots];
  Byte fast_minimal_processing[kFourSlots];
  Byte zip_all_results[kFourSlots];
  Cardinal active_main_tool_window[kToolTypeCount];
  Cardinal active_child_tool_window[kToolTypeCount];
  Byte keypress_mode[kToolTypeCount];
  Byte spare_14466[2];
  Integer tools_open[kToolTypeCount];
  maxpathwidechar last_main_tool_filenames[kTenSlots];
  maxpathwidechar last_opened_folders[kTenSlots];
  maxpathwidechar default_folders[kTenSlots];
  TFilenameWideStringAndInteger chosen_text_files[kTenSlots];
  maxpathwidechar last_wordlist_index_file;
  maxpathwidechar last_kw_database_file;
  Byte tms_colour_style;
  Byte spare_36525[3];
  TTagPreferencesRec tag_preferences;
  TCharGramSettings chargram_settings;
  TMovingWindowSettings moving_window_settings;
  TDetConsistSettings detailed_consistency_settings;
  TConcgramSettings concgram_settings;
  TWordCloudSettingsRec word_cloud_settings;
  Byte help_access_mode;
  Byte current_list;
  Byte spare_36994[2];
  TWordlist_index_settings_rec wordlist_index_settings;
  Integer keyboard_choice;
  Integer temp2_longint[2];
  Int64 temp2_int64[2];
  TTextsett_rec32 text_settings;
  Byte update_check_frequency;
  Byte convert_text_file_options;
  Byte open_and_save_dialog_option;
  Byte viewer_align_mode;
  Byte texts_chosen_for;
  Byte calling_tool;
  Byte spare_43410[2];
  Integer chosen_language_interface;
  tProgressParams progress_params;
  SmallInt reserved_44248;
  Byte spare_44250[2];
  CV_keywords_settings_type32 keywords_settings;
  TKeyWord_Database_settings keywords_database_settings;
  TVersionAndDateRec version_info;
  Byte timeline_plot_base;
  Byte spare_47189[3];
  TConcSettingsRec32 conc_settings;
  TCollocateScriptSettings collocate_script_settings;
  thirtywidechar conc_context_w_txt_marker;
  thirtywidechar conc_sw_txt_marker;
  thirtywidechar splitter_eot_marker;
  Byte default_columns_visible[kDefaultColumnRows][kDefaultColumnCols];
  Byte spare_50126[2];
  TCVClipboardSettings clipboard_settings;
  TGeneralPlotSettings plot_settings;
  TWordlist_settings_rec wordlist_settings;
  Byte display_words_per_million;
  Byte spare_50237[3];
  TCVPrinter_rec printer_info;
  TRulerPlotWordCloudColoursRec ruler_plot_wordcloud_colours;
  Byte kw_sort;
  Byte spare_51205;
  Word menu_current_shortcuts[kMenuTagCount];
  Word menu_default_shortcuts[kMenuTagCount];
  Byte popup_menu_tags_in_use[kMenuTagCount];
  Byte menu_items_checked[kMenuTagCount];
  Byte carryout_procedure_flags[kMenuTagCount];
  TCVStartupOptions startup_options;
  Byte spare_52786[2];
  TConcgramMutualChecks concgram_mutual_checks;
  TMediaParseRec media_markers;
  eightywidechar end_of_text_header;
  Byte spare_54490[2];
  TSelectTextFile_RecW text_select_at_all[kTextSelectEntries];      // entries 1..28
  TSelectTextFile_RecW text_select_within_context[kTextSelectEntries];
  TProxySettings proxy_settings;
  TColor percent_colour_ranges[4];  // [TPercentageRanges]
  tenwidechar default_text_specs;
  Byte spare_83214[802];
  maxpathwidechar temp_string_1;
  maxpathwidechar temp_string_2;
  maxpathwidechar temp_path_folder;
  Byte spare_85582[522];
  maxpathwidechar download_media_folder;
  maxpathwidechar temp_url;
  maxpathwidechar my_temp_filename;
  maxpathwidechar names_of_favourite_languages;
  maxpathwidechar instructions_folder;
  maxpathwidechar user_read_write_folder;
  maxpathwidechar help_filename;
  maxpathwidechar default_text_folder;
  maxpathwidechar log_filename;
  maxpathwidechar temp_zip_folder;
  maxpathwidechar concordance_sw_filename;
  maxpathwidechar user_dll_filename;
  Cardinal shell_wnd;
  Cardinal progress_wnd;
  TCairnVariant temp_variant;
  Cardinal temp_one_32char;
  Integer conc_characters_for_text_only;
  Integer auto_save_minutes;
  Integer times_end_of_text_header_cut;
  Integer default_monitor;
  Integer cairn_spare;
  Integer cut_start_of_text_line;
  Integer temp_longint;
  Integer current_entries;
  Integer maximum_print_frequency;
  Integer minimum_print_frequency;
  Integer string_loading_safety_limit;
  Integer total_bytes;
  SmallInt file_choose_list_style;
  SmallInt base_headings_width_1;
  SmallInt base_headings_width_2;
  SmallInt base_headings_width_0;
  SmallInt wordlist_index_high_freq_num;
  SmallInt wordlist_dispersion_divisions;
  SmallInt ignore_tags_span;
  Byte spare_92458[2];
  SmallInt random_range;
  Byte logging;
  Byte auto_save;
  Byte dead_key_list_customised;
  Byte temp_boolean;
  Byte cv_shell_initialised;
  Byte unc_network_files_checking;
  Byte post_process_save_filenames;
  Byte kws_all_in_one_results_file;
  Byte colours_done;
  Byte should_colour_percentages;
  Byte def_dir_done;
  Byte exact_word_length;
  Byte all_settings_done;
  Byte restrict_to_3_letter_extensions;
  Byte tags_wanted;
  Byte tag_modified;
  Byte tags_exclude_wanted;
  Byte tags_exclude_modified;
  Byte tags_translate_wanted;
  Byte tag_translate_modified;
  Byte text_selecting_within;
  Byte text_selecting_at_all;
  Byte conc_file_name_wanted;
  Byte kwic_param;
  Byte cut_low_case;
  Byte user_has_ms_word;
  Byte is_doubling_words;
  Byte lemma_head_word_freq_only;
  Byte lemma_omit_head_word_in_wordlist;
  Byte settings_simple;
  Byte print_confirmation;
  Byte saving_file_order_index;
  Byte saving_wordlist_index;
  Byte spare_92495;
  Byte randomising;
  Byte may_save_cv_buffer_file;
  Byte spare_92498;
  Byte show_viewer_unusual_lines_toolbar;
  Byte user_has_used_cvane;
  Byte text_file_not_wanted;
  Byte timeline_plot_base_rounding;
  Byte ask_whether_to_save_modified_data;
  Byte ask_whether_to_save_run_conc_data;
  Byte spare_92505[7];
};

constexpr std::size_t kCairnSettingsRecSize = 92512;
static_assert(sizeof(TCairnSettingsRec) == kCairnSettingsRecSize);
static_assert(alignof(TCairnSettingsRec) <= 8);

#define CV_REC_AT(f, off) CV_FIELD_AT(TCairnSettingsRec, f, off)
CV_REC_AT(word_handling, 0);
CV_REC_AT(relation_match_wanted, 5460);
CV_REC_AT(match_list_settings, 5464);
CV_REC_AT(lemma_list_settings, 5888);
CV_REC_AT(stop_list_settings, 5892);
CV_REC_AT(lemma_match_stop_filenames, 5908);
CV_REC_AT(lemma_match_stop_wanted, 14260);
CV_REC_AT(output_results_case, 14276);
CV_REC_AT(new_choice_of_text_files, 14280);
CV_REC_AT(use_user_filter, 14284);
CV_REC_AT(wizard_starts_automatically, 14288);
CV_REC_AT(remove_duplicates_automatically, 14292);
CV_REC_AT(fast_minimal_processing, 14296);
CV_REC_AT(zip_all_results, 14300);
CV_REC_AT(active_main_tool_window, 14304);
CV_REC_AT(active_child_tool_window, 14376);
CV_REC_AT(keypress_mode, 14448);
CV_REC_AT(spare_14466, 14466);
CV_REC_AT(tools_open, 14468);
CV_REC_AT(last_main_tool_filenames, 14540);
CV_REC_AT(last_opened_folders, 19760);
CV_REC_AT(default_folders, 24980);
CV_REC_AT(chosen_text_files, 30200);
CV_REC_AT(last_wordlist_index_file, 35480);
CV_REC_AT(last_kw_database_file, 36002);
CV_REC_AT(tms_colour_style, 36524);
CV_REC_AT(spare_36525, 36525);
CV_REC_AT(tag_preferences, 36528);
CV_REC_AT(chargram_settings, 36588);
CV_REC_AT(moving_window_settings, 36712);
CV_REC_AT(detailed_consistency_settings, 36780);
CV_REC_AT(concgram_settings, 36836);
CV_REC_AT(word_cloud_settings, 36932);
CV_REC_AT(help_access_mode, 36992);
CV_REC_AT(current_list, 36993);
CV_REC_AT(spare_36994, 36994);
CV_REC_AT(wordlist_index_settings, 36996);
CV_REC_AT(keyboard_choice, 40348);
CV_REC_AT(temp2_longint, 40352);
CV_REC_AT(temp2_int64, 40360);
CV_REC_AT(text_settings, 40376);
CV_REC_AT(update_check_frequency, 43404);
CV_REC_AT(convert_text_file_options, 43405);
CV_REC_AT(open_and_save_dialog_option, 43406);
CV_REC_AT(viewer_align_mode, 43407);
CV_REC_AT(texts_chosen_for, 43408);
CV_REC_AT(calling_tool, 43409);
CV_REC_AT(spare_43410, 43410);
CV_REC_AT(chosen_language_interface, 43412);
CV_REC_AT(progress_params, 43416);
CV_REC_AT(reserved_44248, 44248);
CV_REC_AT(keywords_settings, 44252);
CV_REC_AT(keywords_database_settings, 46916);
CV_REC_AT(version_info, 46984);
CV_REC_AT(timeline_plot_base, 47188);
CV_REC_AT(spare_47189, 47189);
CV_REC_AT(conc_settings, 47192);
CV_REC_AT(collocate_script_settings, 49772);
CV_REC_AT(conc_context_w_txt_marker, 49856);
CV_REC_AT(conc_sw_txt_marker, 49918);
CV_REC_AT(splitter_eot_marker, 49980);
CV_REC_AT(default_columns_visible, 50042);
CV_REC_AT(spare_50126, 50126);
CV_REC_AT(clipboard_settings, 50128);
CV_REC_AT(plot_settings, 50152);
CV_REC_AT(wordlist_settings, 50212);
CV_REC_AT(display_words_per_million, 50236);
CV_REC_AT(spare_50237, 50237);
CV_REC_AT(printer_info, 50240);
CV_REC_AT(ruler_plot_wordcloud_colours, 51160);
CV_REC_AT(kw_sort, 51204);
CV_REC_AT(spare_51205, 51205);
CV_REC_AT(menu_current_shortcuts, 51206);
CV_REC_AT(menu_default_shortcuts, 51656);
CV_REC_AT(popup_menu_tags_in_use, 52106);
CV_REC_AT(menu_items_checked, 52331);
CV_REC_AT(carryout_procedure_flags, 52556);
CV_REC_AT(startup_options, 52781);
CV_REC_AT(spare_52786, 52786);
CV_REC_AT(concgram_mutual_checks, 52788);
CV_REC_AT(media_markers, 53012);
CV_REC_AT(end_of_text_header, 54328);
CV_REC_AT(spare_54490, 54490);
CV_REC_AT(text_select_at_all, 54492);
CV_REC_AT(text_select_within_context, 68380);
CV_REC_AT(proxy_settings, 82268);
CV_REC_AT(percent_colour_ranges, 83176);
CV_REC_AT(default_text_specs, 83192);
CV_REC_AT(spare_83214, 83214);
CV_REC_AT(temp_string_1, 84016);
CV_REC_AT(temp_string_2, 84538);
CV_REC_AT(temp_path_folder, 85060);
CV_REC_AT(spare_85582, 85582);
CV_REC_AT(download_media_folder, 86104);
CV_REC_AT(temp_url, 86626);
CV_REC_AT(my_temp_filename, 87148);
CV_REC_AT(names_of_favourite_languages, 87670);
CV_REC_AT(instructions_folder, 88192);
CV_REC_AT(user_read_write_folder, 88714);
CV_REC_AT(help_filename, 89236);
CV_REC_AT(default_text_folder, 89758);
CV_REC_AT(log_filename, 90280);
CV_REC_AT(temp_zip_folder, 90802);
CV_REC_AT(concordance_sw_filename, 91324);
CV_REC_AT(user_dll_filename, 91846);
CV_REC_AT(shell_wnd, 92368);
CV_REC_AT(progress_wnd, 92372);
CV_REC_AT(temp_variant, 92376);
CV_REC_AT(temp_one_32char, 92392);
CV_REC_AT(conc_characters_for_text_only, 92396);
CV_REC_AT(auto_save_minutes, 92400);
CV_REC_AT(times_end_of_text_header_cut, 92404);
CV_REC_AT(default_monitor, 92408);
CV_REC_AT(cairn_spare, 92412);
CV_REC_AT(cut_start_of_text_line, 92416);
CV_REC_AT(temp_longint, 92420);
CV_REC_AT(current_entries, 92424);
CV_REC_AT(maximum_print_frequency, 92428);
CV_REC_AT(minimum_print_frequency, 92432);
CV_REC_AT(string_loading_safety_limit, 92436);
CV_REC_AT(total_bytes, 92440);
CV_REC_AT(file_choose_list_style, 92444);
CV_REC_AT(base_headings_width_1, 92446);
CV_REC_AT(base_headings_width_2, 92448);
CV_REC_AT(base_headings_width_0, 92450);
CV_REC_AT(wordlist_index_high_freq_num, 92452);
CV_REC_AT(wordlist_dispersion_divisions, 92454);
CV_REC_AT(ignore_tags_span, 92456);
CV_REC_AT(spare_92458, 92458);
CV_REC_AT(random_range, 92460);
CV_REC_AT(logging, 92462);
CV_REC_AT(auto_save, 92463);
CV_REC_AT(dead_key_list_customised, 92464);
CV_REC_AT(temp_boolean, 92465);
CV_REC_AT(cv_shell_initialised, 92466);
CV_REC_AT(unc_network_files_checking, 92467);
CV_REC_AT(post_process_save_filenames, 92468);
CV_REC_AT(kws_all_in_one_results_file, 92469);
CV_REC_AT(colours_done, 92470);
CV_REC_AT(should_colour_percentages, 92471);
CV_REC_AT(def_dir_done, 92472);
CV_REC_AT(exact_word_length, 92473);
CV_REC_AT(all_settings_done, 92474);
CV_REC_AT(restrict_to_3_letter_extensions, 92475);
CV_REC_AT(tags_wanted, 92476);
CV_REC_AT(tag_modified, 92477);
CV_REC_AT(tags_exclude_wanted, 92478);
CV_REC_AT(tags_exclude_modified, 92479);
CV_REC_AT(tags_translate_wanted, 92480);
CV_REC_AT(tag_translate_modified, 92481);
CV_REC_AT(text_selecting_within, 92482);
CV_REC_AT(text_selecting_at_all, 92483);
CV_REC_AT(conc_file_name_wanted, 92484);
CV_REC_AT(kwic_param, 92485);
CV_REC_AT(cut_low_case, 92486);
CV_REC_AT(user_has_ms_word, 92487);
CV_REC_AT(is_doubling_words, 92488);
CV_REC_AT(lemma_head_word_freq_only, 92489);
CV_REC_AT(lemma_omit_head_word_in_wordlist, 92490);
CV_REC_AT(settings_simple, 92491);
CV_REC_AT(print_confirmation, 92492);
CV_REC_AT(saving_file_order_index, 92493);
CV_REC_AT(saving_wordlist_index, 92494);
CV_REC_AT(spare_92495, 92495);
CV_REC_AT(randomising, 92496);
CV_REC_AT(may_save_cv_buffer_file, 92497);
CV_REC_AT(spare_92498, 92498);
CV_REC_AT(show_viewer_unusual_lines_toolbar, 92499);
CV_REC_AT(user_has_used_cvane, 92500);
CV_REC_AT(text_file_not_wanted, 92501);
CV_REC_AT(timeline_plot_base_rounding, 92502);
CV_REC_AT(ask_whether_to_save_modified_data, 92503);
CV_REC_AT(ask_whether_to_save_run_conc_data, 92504);
CV_REC_AT(spare_92505, 92505);
#undef CV_REC_AT

// Fields addressed inside embedded records by their own exports.
static_assert(offsetof(TCairnSettingsRec, keywords_settings) +
                  offsetof(CV_keywords_settings_type32, max_wanted) == 44252 + 1048);
static_assert(offsetof(TCairnSettingsRec, keywords_settings) +
                  offsetof(CV_keywords_settings_type32, handle_amount) == 44252 + 1580);
static_assert(offsetof(TCairnSettingsRec, keywords_settings) +
                  offsetof(CV_keywords_settings_type32, ref_corpus_wordlist_filename) == 44252 + 2142);

void ForceTerminators(tProgressParams& r);

}  // namespace cv

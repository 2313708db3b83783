// Enumerations stored in the shared settings record and in the settings
// sub-records.  Each is one byte; the ordinals are part of the stored formats
// (results files, settings files, the shared region) and are never
// renumbered.  Records hold them as raw bytes (another process may have
// written any value), so these are plain unscoped enums used to name values.
#pragma once

#include <cstdint>

namespace cv {

enum Tcollocates_stop_at_type : std::uint8_t {
  coll_stop_none, coll_stop_punctuation, coll_stop_sentence, coll_stop_paragraph,
  coll_stop_heading, coll_stop_section, coll_stop_text
};

enum TConc_display_options : std::uint8_t {
  conc_hide_tag_file_tags, conc_hide_words, conc_cut_spaces, conc_sentence_only,
  conc_tag_string_only
};

enum THideOptions : std::uint8_t {
  hide_empty_tags, hide_sentence_tags, hide_paragraph_tags, hide_heading_tags,
  hide_section_tags
};

enum TConcColouringOptions : std::uint8_t { conc_colour_tags, conc_colour_words, conc_colour_ends };

enum tag_on_off_type : std::uint8_t { tag_on, tag_off };

enum Tconcordance_sort_type : std::uint8_t {
  cs_left5, cs_left4, cs_left3, cs_left2, cs_left1, cs_centre,
  cs_right1, cs_right2, cs_right3, cs_right4, cs_right5,
  cs_context_word_position, cs_set, cs_filename, cs_textdate, cs_by_tag,
  cs_by_tag_distance, cs_file_percent, cs_word_number, cs_sentence_number,
  cs_sentence_position, cs_paragraph_number, cs_paragraph_position,
  cs_heading_number, cs_heading_position, cs_section_number, cs_section_position,
  cs_word_rarity, cs_highlighted_collocate, cs_whole_line, cs_byte_position
};
static_assert(cs_byte_position == 30);

enum Tlang_preference : std::uint8_t {
  lang_nao_instalada, lang_instalada, lang_rank_2, lang_a_preferida
};

enum TMIStopListOptions : std::uint8_t {
  MIS_none, mis_filter_word1, mis_filter_word2, mis_filter_both_words
};

enum TWordCloudBackground : std::uint8_t { wc_plain, wc_rectangle, wc_roundRect, Wc_circle, wc_image };

enum TPrint_measurement_units : std::uint8_t { pmu_inches, pmu_centimetres, pmu_print_dots };

enum print_orientation_type : std::uint8_t { portrait, landscape };

enum TMediaFileLocation : std::uint8_t {
  tmf_MediaFilename_in_Tag, tmf_MediaFilename_BasedOn_Textfilename, tmf_via_LookupTable
};

enum text_select_type : std::uint8_t { incluir_and, incluir_or, excluir_and, excluir_or };

enum Tmatch_basis : std::uint8_t { file_based, template_based };

enum Tmatch_action : std::uint8_t {
  match_now, delete_matches, delete_non_matches, remove_match_marking
};

enum TKeyness_procedure : std::uint8_t {
  chi_square_proc, log_likelihood_proc, log_ratio_proc, percent_diff_proc
};

enum TOutput_results_case : std::uint8_t {
  upper_case_output, title_case_output, lower_case_output, as_it_comes_output
};

enum TMutualInfoStats : std::uint8_t {
  MI_Dice, MI_MI, MI_MI3, MI_Z, MI_log_likelihood, MI_T_Score, MI_Log_Ratio
};
constexpr int kMutualInfoStatsCount = 7;

enum TWordListTagTreatment : std::uint8_t {
  wltt_none, wltt_tags_as_prefix, wltt_tags_as_suffix, wltt_list_tags_only
};

enum TKWHandlingAmount : std::uint8_t { KW_each_word_in_little, KW_each_word_in_both };

enum TCVHelpAccess : std::uint8_t { ha_CHM_File, ha_browse_URL };

enum TUpdateCheckFrequency : std::uint8_t {
  ucf_every_time_CV_starts, ucf_weekly, ucf_monthly, ucf_never
};

// Stored as a set: bit n = member n.
enum TTextConvertType : std::uint8_t {
  tc_in_place, tc_into_temp_dir, tc_confirm_each, tc_convert_fromUTF8, tc_convert_fromHTMLUTF8
};

enum alignment_mode_type : std::uint8_t { paragrafo, sentenca };

enum TKeyPressMode : std::uint8_t { typing_in, setting_categories, editing_data };

enum TPercentageRanges : std::uint8_t { tpc_below_33, tpc_34_67, tpc_68_85, tpc_86_on };

enum TTimeLinePlotbase : std::uint8_t {
  tlpb_unknown, tlpb_millennia, tlpb_centuries, tlpb_decades, tlpb_years, tlpb_months,
  tlpb_weeks, tlpb_days, tlpb_hours, tlpb_datafield, tlpb_custom, tlpb_spare
};

enum TWordHandlingColours : std::uint8_t {
  wh_normal_text, wh_tags, wh_searchword, wh_mainsort, wh_secondsort, wh_thirdSort,
  wh_contextword, wh_deleted, wh_mostfreqcolloc, wh_viewtextkeywords, wh_viewtext,
  wh_timeline_hits_line, wh_timeline_hits_blob, wh_timeline_quantity_line,
  wh_timeline_quantity_blob, wh_timeline_quantity_fill, wh_timeline_year_divider,
  wh_timeline_horiz_divider, wh_sort_triangle, wh_wont_fit, wh_spare
};
constexpr int kWordHandlingKinds = 21;

enum TKeyword_sort_system : std::uint8_t {
  keywords_alphabetical, keywords_case_sensitive, keywords_reverse_alphabetical,
  keywords_word_length, keywords_freq_current_text, keywords_freq_reference_corpus,
  keywords_log_likelihood, keywords_absolute_keyness, keywords_BIC_score,
  keywords_log_ratio, keywords_prefix, keywords_suffix, keywords_nTexts,
  keywords_category, keywords_lemmas, keywords_rel_entropy
};

enum TInitialMedialFinal : std::uint8_t { word_initial, word_medial, word_final };

enum TRulerPlotWordCloudColourTypes : std::uint8_t {
  rpc_plotmarks, rpc_plot_overspill, rpc_rulermarks, rpc_margins, rpc_wordcloud_shapes,
  rpl_wordcloud_window, rpc_matched, rpc_joined, rpc_marked_head, rpc_marked_member
};
constexpr int kRulerPlotColourCount = 10;

// Text segments addressed by the standard markers of the text settings.
constexpr int kFirstTextSegment = 14;
constexpr int kLastTextSegment = 21;

}  // namespace cv

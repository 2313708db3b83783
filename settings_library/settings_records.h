// The settings sub-records that the shared settings record embeds and that the
// tools also keep in their results and settings files.  These layouts are
// shared formats: every field keeps its byte offset, width and order, spare
// areas included.  All integers are little-endian; a "set" is one byte with bit
// n for member n; enumerations are stored as raw bytes (see settings_enums.h).
//
// Each struct is standard-layout with natural alignment; every gap the format
// leaves is an explicit zero-initialised padding member (pad_*), so that no
// byte of a record is ever indeterminate.  The static_asserts pin every field
// offset and every size; tests/settings_library/fixtures holds an independent
// check of the same offsets made with Free Pascal.
//
// Fixed texts are zero-terminated UTF-16 arrays of N units holding at most
// N - 1 characters.  ForceTerminators() puts a zero into the last unit of
// every fixed text of a record; whole-record setters apply it before storing,
// so that every reader can rely on finding a terminator inside the field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/basic_types.h"
#include "platform/types.h"
#include "settings_library/settings_enums.h"

namespace cv {

#define CV_FIELD_AT(T, f, off) static_assert(offsetof(T, f) == (off), #T "." #f)

struct Tdouble_smallint_type {
  SmallInt to_left = 0;
  SmallInt to_right = 0;
};
static_assert(sizeof(Tdouble_smallint_type) == 4);

struct TRect32 {
  Integer Left = 0, Top = 0, Right = 0, Bottom = 0;
};
static_assert(sizeof(TRect32) == 16);

struct Told_fixed_character_format_rec {
  Byte charset_old = 0;
  Byte fontsize_old = 0;
  char fontname_old[33] = {};  // 8-bit, zero-terminated
};
static_assert(sizeof(Told_fixed_character_format_rec) == 35);
CV_FIELD_AT(Told_fixed_character_format_rec, fontname_old, 2);

struct Tfixed_character_format_rec32 {
  Byte charset = 0;
  Byte fontsize = 0;
  TFixedWideChars<101> fontname = {};
};
static_assert(sizeof(Tfixed_character_format_rec32) == 204);
CV_FIELD_AT(Tfixed_character_format_rec32, fontname, 2);

struct Tfixed_lang_details32 {
  Byte allow_middles_at_right = 0;
  Byte allow_middles_at_left = 0;
  Byte is_32_version = 0;
  Byte pad_3 = 0;
  Cardinal lcid = 0;
  Told_fixed_character_format_rec old_win_font;
  Byte preference = 0;  // Tlang_preference
  Byte custom_language = 0;
  Byte hyphen_breaks_word = 0;
  Word win_codepage = 0;
  Word dos_codepage = 0;
  TFixedWideChars<11> allowable_middle_letters = {};
  Byte spare_ANSI_lowers[129] = {};  // length byte + up to 128 characters
  Byte spare_ANSI_uppers[129] = {};
  Tfixed_character_format_rec32 new_win_font;
  Byte pad_534[2] = {};
  Integer spare_custom_sort_string_number = 0;
  Byte spare_Bools[4] = {};
  TColor cores[4] = {};  // TMyCanvasColourRec
  Integer language_number = 0;
  Integer spare_hits = 0;
  Byte spare_ints[12] = {};
  Byte spare[356] = {};
  TFixedWideChars<51> nome = {};
  Byte pad_1038[2] = {};
};
static_assert(sizeof(Tfixed_lang_details32) == 1040);
CV_FIELD_AT(Tfixed_lang_details32, allow_middles_at_left, 1);
CV_FIELD_AT(Tfixed_lang_details32, is_32_version, 2);
CV_FIELD_AT(Tfixed_lang_details32, lcid, 4);
CV_FIELD_AT(Tfixed_lang_details32, old_win_font, 8);
CV_FIELD_AT(Tfixed_lang_details32, preference, 43);
CV_FIELD_AT(Tfixed_lang_details32, custom_language, 44);
CV_FIELD_AT(Tfixed_lang_details32, hyphen_breaks_word, 45);
CV_FIELD_AT(Tfixed_lang_details32, win_codepage, 46);
CV_FIELD_AT(Tfixed_lang_details32, dos_codepage, 48);
CV_FIELD_AT(Tfixed_lang_details32, allowable_middle_letters, 50);
CV_FIELD_AT(Tfixed_lang_details32, spare_ANSI_lowers, 72);
CV_FIELD_AT(Tfixed_lang_details32, spare_ANSI_uppers, 201);
CV_FIELD_AT(Tfixed_lang_details32, new_win_font, 330);
CV_FIELD_AT(Tfixed_lang_details32, spare_custom_sort_string_number, 536);
CV_FIELD_AT(Tfixed_lang_details32, spare_Bools, 540);
CV_FIELD_AT(Tfixed_lang_details32, cores, 544);
CV_FIELD_AT(Tfixed_lang_details32, language_number, 560);
CV_FIELD_AT(Tfixed_lang_details32, spare_hits, 564);
CV_FIELD_AT(Tfixed_lang_details32, spare_ints, 568);
CV_FIELD_AT(Tfixed_lang_details32, spare, 580);
CV_FIELD_AT(Tfixed_lang_details32, nome, 936);

struct TText_segment_rec {
  TFixedWideChars<100> marker = {};
  Byte spare = 0;
  Byte auto_process = 0;
  Byte has_wildcards = 0;
  Byte pad_203 = 0;
};
static_assert(sizeof(TText_segment_rec) == 204);
CV_FIELD_AT(TText_segment_rec, spare, 200);
CV_FIELD_AT(TText_segment_rec, auto_process, 201);
CV_FIELD_AT(TText_segment_rec, has_wildcards, 202);

constexpr int kTextSegmentCount = kLastTextSegment - kFirstTextSegment + 1;

struct TTextsett_rec32 {
  Tfixed_lang_details32 language_info;
  Byte tag_treatment_computing = 0;  // TWordListTagTreatment
  Byte Language_Requires_Unicode = 0;
  Byte RequirePrecomposedCharacters = 0;
  Byte handle_International_System_of_Units_numbers = 0;
  Byte spare5 = 0;
  Byte using_SGML = 0;
  Byte clear_default_markup = 0;
  Byte numbers_included = 0;
  TFixedWideChars<12> ignore_tags = {};
  TText_segment_rec standard_markers[kTextSegmentCount];  // text segments 14..21
  Integer max_texts = 0;
  Byte tag_treatment_displaying = 0;  // TWordListTagTreatment
  Byte spare[319] = {};
};
static_assert(sizeof(TTextsett_rec32) == 3028);
CV_FIELD_AT(TTextsett_rec32, tag_treatment_computing, 1040);
CV_FIELD_AT(TTextsett_rec32, Language_Requires_Unicode, 1041);
CV_FIELD_AT(TTextsett_rec32, RequirePrecomposedCharacters, 1042);
CV_FIELD_AT(TTextsett_rec32, handle_International_System_of_Units_numbers, 1043);
CV_FIELD_AT(TTextsett_rec32, spare5, 1044);
CV_FIELD_AT(TTextsett_rec32, using_SGML, 1045);
CV_FIELD_AT(TTextsett_rec32, clear_default_markup, 1046);
CV_FIELD_AT(TTextsett_rec32, numbers_included, 1047);
CV_FIELD_AT(TTextsett_rec32, ignore_tags, 1048);
CV_FIELD_AT(TTextsett_rec32, standard_markers, 1072);
CV_FIELD_AT(TTextsett_rec32, max_texts, 2704);
CV_FIELD_AT(TTextsett_rec32, tag_treatment_displaying, 2708);
CV_FIELD_AT(TTextsett_rec32, spare, 2709);

struct TMutual_info_settings32 {
  Byte spare_stop = 0;  // Tcollocates_stop_at_type
  Byte stop_at = 0;     // Tcollocates_stop_at_type
  Byte omit_left_right_matches = 0;
  Byte omit_numbers = 0;
  Byte show_pairs_twice = 0;
  Byte recompute_total_tokens = 0;
  Byte two_way = 0;
  Byte MIStopListOption = 0;  // TMIStopListOptions
  Byte use_OR_for_minima = 0;
  Byte spareB[7] = {};
  Integer MI_span = 0;
  Integer MI_min_freq = 0;
  Single MI_max_percent = 0;
  Single minima[kMutualInfoStatsCount] = {};  // one per TMutualInfoStats
  Byte spare_minima[40] = {};
  Integer MI_min_texts = 0;
  Byte spare[80] = {};
};
static_assert(sizeof(TMutual_info_settings32) == 180);
CV_FIELD_AT(TMutual_info_settings32, stop_at, 1);
CV_FIELD_AT(TMutual_info_settings32, omit_left_right_matches, 2);
CV_FIELD_AT(TMutual_info_settings32, omit_numbers, 3);
CV_FIELD_AT(TMutual_info_settings32, show_pairs_twice, 4);
CV_FIELD_AT(TMutual_info_settings32, recompute_total_tokens, 5);
CV_FIELD_AT(TMutual_info_settings32, two_way, 6);
CV_FIELD_AT(TMutual_info_settings32, MIStopListOption, 7);
CV_FIELD_AT(TMutual_info_settings32, use_OR_for_minima, 8);
CV_FIELD_AT(TMutual_info_settings32, spareB, 9);
CV_FIELD_AT(TMutual_info_settings32, MI_span, 16);
CV_FIELD_AT(TMutual_info_settings32, MI_min_freq, 20);
CV_FIELD_AT(TMutual_info_settings32, MI_max_percent, 24);
CV_FIELD_AT(TMutual_info_settings32, minima, 28);
CV_FIELD_AT(TMutual_info_settings32, spare_minima, 56);
CV_FIELD_AT(TMutual_info_settings32, MI_min_texts, 96);
CV_FIELD_AT(TMutual_info_settings32, spare, 100);

struct Tcollocation_settings {
  Tdouble_smallint_type horizons;
};
static_assert(sizeof(Tcollocation_settings) == 4);

struct TWordlist_settings_rec {
  SmallInt tokenlimit = 0;
  SmallInt min_texts = 0;
  Byte omit_untagged = 0;
  Byte spare_B = 0;
  Byte pad_6[2] = {};
  Integer WL_original_entries = 0;
  Integer WL_entries = 0;
  Integer maximumWordFrequency = 0;
  Byte case_sensitivity = 0;  // TCaseSensitivity
  Byte minimumWordFrequency = 0;
  Byte minimumWordLength = 0;
  Byte maximumWordLength = 0;
};
static_assert(sizeof(TWordlist_settings_rec) == 24);
CV_FIELD_AT(TWordlist_settings_rec, min_texts, 2);
CV_FIELD_AT(TWordlist_settings_rec, omit_untagged, 4);
CV_FIELD_AT(TWordlist_settings_rec, spare_B, 5);
CV_FIELD_AT(TWordlist_settings_rec, WL_original_entries, 8);
CV_FIELD_AT(TWordlist_settings_rec, WL_entries, 12);
CV_FIELD_AT(TWordlist_settings_rec, maximumWordFrequency, 16);
CV_FIELD_AT(TWordlist_settings_rec, case_sensitivity, 20);
CV_FIELD_AT(TWordlist_settings_rec, minimumWordFrequency, 21);
CV_FIELD_AT(TWordlist_settings_rec, minimumWordLength, 22);
CV_FIELD_AT(TWordlist_settings_rec, maximumWordLength, 23);

struct TWordClusterSettingsRec {
  Integer cluster_size_min = 0;
  Integer min_texts = 0;
  Single max_working_percent = 0;
  Byte stop_at = 0;  // Tcollocates_stop_at_type
  Byte pad_13[3] = {};
  Integer cluster_size_max = 0;
  Integer max_seconds_per_word = 0;
  Byte omit_phrase_frames = 0;
  Byte include_dispersion = 0;
  Byte save_only_phrase_frames = 0;
  Byte save_no_phrase_frames = 0;
  Byte use_stoplist_words = 0;
  Byte spareB[3] = {};
  Integer cluster_min_freq = 0;
  Byte spare[4] = {};
};
static_assert(sizeof(TWordClusterSettingsRec) == 40);
CV_FIELD_AT(TWordClusterSettingsRec, min_texts, 4);
CV_FIELD_AT(TWordClusterSettingsRec, max_working_percent, 8);
CV_FIELD_AT(TWordClusterSettingsRec, stop_at, 12);
CV_FIELD_AT(TWordClusterSettingsRec, cluster_size_max, 16);
CV_FIELD_AT(TWordClusterSettingsRec, max_seconds_per_word, 20);
CV_FIELD_AT(TWordClusterSettingsRec, omit_phrase_frames, 24);
CV_FIELD_AT(TWordClusterSettingsRec, include_dispersion, 25);
CV_FIELD_AT(TWordClusterSettingsRec, save_only_phrase_frames, 26);
CV_FIELD_AT(TWordClusterSettingsRec, save_no_phrase_frames, 27);
CV_FIELD_AT(TWordClusterSettingsRec, use_stoplist_words, 28);
CV_FIELD_AT(TWordClusterSettingsRec, spareB, 29);
CV_FIELD_AT(TWordClusterSettingsRec, cluster_min_freq, 32);
CV_FIELD_AT(TWordClusterSettingsRec, spare, 36);

struct TWordlist_index_settings_rec {
  Integer previous_token_count = 0;
  TTextsett_rec32 spare_index_textsettings;
  TMutual_info_settings32 mutual_inforec;
  Tcollocation_settings collocation_rec;
  TWordlist_settings_rec spare_wl_settings_unwanted;
  Integer breakpoint_tokens = 0;
  TWordClusterSettingsRec cluster_settings;
  Byte spare_process_all = 0;
  Byte in_batch = 0;
  Byte index_in_unicode = 0;
  Byte index_unicode_known = 0;
  Integer version_number = 0;
  Integer min_index_show_freq = 0;
  Integer temp_count = 0;
  Byte process_selection[2] = {};
  Byte spareB[2] = {};
  Byte spare[48] = {};
};
static_assert(sizeof(TWordlist_index_settings_rec) == 3352);
CV_FIELD_AT(TWordlist_index_settings_rec, spare_index_textsettings, 4);
CV_FIELD_AT(TWordlist_index_settings_rec, mutual_inforec, 3032);
CV_FIELD_AT(TWordlist_index_settings_rec, collocation_rec, 3212);
CV_FIELD_AT(TWordlist_index_settings_rec, spare_wl_settings_unwanted, 3216);
CV_FIELD_AT(TWordlist_index_settings_rec, breakpoint_tokens, 3240);
CV_FIELD_AT(TWordlist_index_settings_rec, cluster_settings, 3244);
CV_FIELD_AT(TWordlist_index_settings_rec, spare_process_all, 3284);
CV_FIELD_AT(TWordlist_index_settings_rec, in_batch, 3285);
CV_FIELD_AT(TWordlist_index_settings_rec, index_in_unicode, 3286);
CV_FIELD_AT(TWordlist_index_settings_rec, index_unicode_known, 3287);
CV_FIELD_AT(TWordlist_index_settings_rec, version_number, 3288);
CV_FIELD_AT(TWordlist_index_settings_rec, min_index_show_freq, 3292);
CV_FIELD_AT(TWordlist_index_settings_rec, temp_count, 3296);
CV_FIELD_AT(TWordlist_index_settings_rec, process_selection, 3300);
CV_FIELD_AT(TWordlist_index_settings_rec, spareB, 3302);
CV_FIELD_AT(TWordlist_index_settings_rec, spare, 3304);

struct TLinksMaxMinRec {
  Integer min_cluster_freq = 0;
  Integer min_linked_KW_types = 0;
  Integer max_links = 0;
  Integer min_strength = 0;
  Integer min_span = 0;
  Integer max_span = 0;
};
static_assert(sizeof(TLinksMaxMinRec) == 24);
CV_FIELD_AT(TLinksMaxMinRec, min_linked_KW_types, 4);
CV_FIELD_AT(TLinksMaxMinRec, max_links, 8);
CV_FIELD_AT(TLinksMaxMinRec, min_strength, 12);
CV_FIELD_AT(TLinksMaxMinRec, min_span, 16);
CV_FIELD_AT(TLinksMaxMinRec, max_span, 20);

struct CV_keywords_settings_type32 {
  Tfixed_lang_details32 settings_language;
  Single min_LL_P_value = 0;
  SmallInt min_freq = 0;
  Byte pad_1046[2] = {};
  Integer max_wanted = 0;
  Integer source_text_running_words[2] = {};
  TLinksMaxMinRec links_max_min;
  TFixedWideChars<223> source_wordlists = {};
  Byte plot_keyness_uses_BIC_score = 0;
  Byte spareBools[9] = {};
  Byte spareInts[32] = {};
  Byte spare_keyness_proc = 0;  // TKeyness_procedure
  Byte spare_display[6] = {};
  Byte exclude_negatives = 0;
  Byte handle_amount = 0;  // TKWHandlingAmount
  Byte plot_computed = 0;
  Byte links_computed = 0;
  Byte pad_1583 = 0;
  Integer spare_max_kw_links = 0;
  Byte multiple_source_texts = 0;
  Byte full_lemma_processing = 0;
  Byte wordlist_has_lemmas = 0;
  Byte spare_Bool4 = 0;
  Integer version_number = 0;
  Integer percent_little_wds_found_in_rc = 0;
  Single min_texts_percent = 0;
  Single log_ratio_threshold = 0;
  Single BIC_score_threshold = 0;
  Byte spares[8] = {};
  TFixedWideChars<261> source_text_filename = {};
  TFixedWideChars<261> ref_corpus_wordlist_filename = {};
};
static_assert(sizeof(CV_keywords_settings_type32) == 2664);
CV_FIELD_AT(CV_keywords_settings_type32, min_LL_P_value, 1040);
CV_FIELD_AT(CV_keywords_settings_type32, min_freq, 1044);
CV_FIELD_AT(CV_keywords_settings_type32, max_wanted, 1048);
CV_FIELD_AT(CV_keywords_settings_type32, source_text_running_words, 1052);
CV_FIELD_AT(CV_keywords_settings_type32, links_max_min, 1060);
CV_FIELD_AT(CV_keywords_settings_type32, source_wordlists, 1084);
CV_FIELD_AT(CV_keywords_settings_type32, plot_keyness_uses_BIC_score, 1530);
CV_FIELD_AT(CV_keywords_settings_type32, spareBools, 1531);
CV_FIELD_AT(CV_keywords_settings_type32, spareInts, 1540);
CV_FIELD_AT(CV_keywords_settings_type32, spare_keyness_proc, 1572);
CV_FIELD_AT(CV_keywords_settings_type32, spare_display, 1573);
CV_FIELD_AT(CV_keywords_settings_type32, exclude_negatives, 1579);
CV_FIELD_AT(CV_keywords_settings_type32, handle_amount, 1580);
CV_FIELD_AT(CV_keywords_settings_type32, plot_computed, 1581);
CV_FIELD_AT(CV_keywords_settings_type32, links_computed, 1582);
CV_FIELD_AT(CV_keywords_settings_type32, spare_max_kw_links, 1584);
CV_FIELD_AT(CV_keywords_settings_type32, multiple_source_texts, 1588);
CV_FIELD_AT(CV_keywords_settings_type32, full_lemma_processing, 1589);
CV_FIELD_AT(CV_keywords_settings_type32, wordlist_has_lemmas, 1590);
CV_FIELD_AT(CV_keywords_settings_type32, spare_Bool4, 1591);
CV_FIELD_AT(CV_keywords_settings_type32, version_number, 1592);
CV_FIELD_AT(CV_keywords_settings_type32, percent_little_wds_found_in_rc, 1596);
CV_FIELD_AT(CV_keywords_settings_type32, min_texts_percent, 1600);
CV_FIELD_AT(CV_keywords_settings_type32, log_ratio_threshold, 1604);
CV_FIELD_AT(CV_keywords_settings_type32, BIC_score_threshold, 1608);
CV_FIELD_AT(CV_keywords_settings_type32, spares, 1612);
CV_FIELD_AT(CV_keywords_settings_type32, source_text_filename, 1620);
CV_FIELD_AT(CV_keywords_settings_type32, ref_corpus_wordlist_filename, 2142);

struct TKeyWord_Database_settings {
  Integer temp_total_text_files = 0;
  Integer min_texts_for_database = 0;
  Integer associate_min_texts = 0;
  Integer min_KWs_per_text = 0;
  Byte association_statistic = 0;  // TMutualInfoStats
  Byte show_related_clusters = 0;
  Byte compute_followup_scores = 0;
  Byte spare_Bool3 = 0;
  Single min_association_strength = 0;
  Integer related_clusters = 0;
  Integer clump_match_percent = 0;
  Integer max_followups = 0;
  Byte spare[32] = {};
};
static_assert(sizeof(TKeyWord_Database_settings) == 68);
CV_FIELD_AT(TKeyWord_Database_settings, min_texts_for_database, 4);
CV_FIELD_AT(TKeyWord_Database_settings, associate_min_texts, 8);
CV_FIELD_AT(TKeyWord_Database_settings, min_KWs_per_text, 12);
CV_FIELD_AT(TKeyWord_Database_settings, association_statistic, 16);
CV_FIELD_AT(TKeyWord_Database_settings, show_related_clusters, 17);
CV_FIELD_AT(TKeyWord_Database_settings, compute_followup_scores, 18);
CV_FIELD_AT(TKeyWord_Database_settings, spare_Bool3, 19);
CV_FIELD_AT(TKeyWord_Database_settings, min_association_strength, 20);
CV_FIELD_AT(TKeyWord_Database_settings, related_clusters, 24);
CV_FIELD_AT(TKeyWord_Database_settings, clump_match_percent, 28);
CV_FIELD_AT(TKeyWord_Database_settings, max_followups, 32);
CV_FIELD_AT(TKeyWord_Database_settings, spare, 36);

struct TCharGramSettings {
  Byte word_positions[4] = {};  // [TInitialMedialFinal] + 1 spare byte
  Integer minimum_context_occurrences = 0;
  Integer maximum_context_words = 0;
  Integer minimum_chars = 0;
  Integer maximum_chars = 0;
  Integer minimum_texts = 0;
  Integer maximum_texts = 0;
  Integer minimum_Frequency = 0;
  Integer maximum_Frequency = 0;
  Byte hide_low_context_chargrams = 0;
  Byte pad_37[3] = {};
  Integer version_number = 0;
  Byte use_punctuation = 0;
  Byte merge_word_positions = 0;
  Byte use_digits = 0;
  Byte user_defined_list = 0;
  Byte user_defined_exclusive_search = 0;
  Byte spBool[3] = {};
  Integer min_pattern_freq = 0;
  Byte spare[68] = {};
};
static_assert(sizeof(TCharGramSettings) == 124);
CV_FIELD_AT(TCharGramSettings, minimum_context_occurrences, 4);
CV_FIELD_AT(TCharGramSettings, maximum_context_words, 8);
CV_FIELD_AT(TCharGramSettings, minimum_chars, 12);
CV_FIELD_AT(TCharGramSettings, maximum_chars, 16);
CV_FIELD_AT(TCharGramSettings, minimum_texts, 20);
CV_FIELD_AT(TCharGramSettings, maximum_texts, 24);
CV_FIELD_AT(TCharGramSettings, minimum_Frequency, 28);
CV_FIELD_AT(TCharGramSettings, maximum_Frequency, 32);
CV_FIELD_AT(TCharGramSettings, hide_low_context_chargrams, 36);
CV_FIELD_AT(TCharGramSettings, version_number, 40);
CV_FIELD_AT(TCharGramSettings, use_punctuation, 44);
CV_FIELD_AT(TCharGramSettings, merge_word_positions, 45);
CV_FIELD_AT(TCharGramSettings, use_digits, 46);
CV_FIELD_AT(TCharGramSettings, user_defined_list, 47);
CV_FIELD_AT(TCharGramSettings, user_defined_exclusive_search, 48);
CV_FIELD_AT(TCharGramSettings, spBool, 49);
CV_FIELD_AT(TCharGramSettings, min_pattern_freq, 52);
CV_FIELD_AT(TCharGramSettings, spare, 56);

struct TMovingWindowSettings {
  Integer window_size = 0;
  Integer max_grammar_words = 0;
  Integer version_number = 0;
  Integer low_frequency_filter = 0;
  Integer Processing_runs = 0;
  Byte spare[48] = {};
};
static_assert(sizeof(TMovingWindowSettings) == 68);
CV_FIELD_AT(TMovingWindowSettings, max_grammar_words, 4);
CV_FIELD_AT(TMovingWindowSettings, version_number, 8);
CV_FIELD_AT(TMovingWindowSettings, low_frequency_filter, 12);
CV_FIELD_AT(TMovingWindowSettings, Processing_runs, 16);
CV_FIELD_AT(TMovingWindowSettings, spare, 20);

struct TDetConsistSettings {
  Integer BasedOnNFiles = 0;
  Byte ShowAsPercent = 0;
  Byte spareBools[7] = {};
  Integer min_freq = 0;
  Integer min_texts = 0;
  Byte spare[36] = {};
};
static_assert(sizeof(TDetConsistSettings) == 56);
CV_FIELD_AT(TDetConsistSettings, ShowAsPercent, 4);
CV_FIELD_AT(TDetConsistSettings, spareBools, 5);
CV_FIELD_AT(TDetConsistSettings, min_freq, 12);
CV_FIELD_AT(TDetConsistSettings, min_texts, 16);
CV_FIELD_AT(TDetConsistSettings, spare, 20);

struct TConcgramSettings {
  Byte displayAsTree = 0;
  Byte sort_by_frequency = 0;
  Byte concordance_without_jumps = 0;
  Byte spareB[5] = {};
  char16_t separator = 0;
  Byte pad_10[2] = {};
  Byte spare[84] = {};
};
static_assert(sizeof(TConcgramSettings) == 96);
CV_FIELD_AT(TConcgramSettings, sort_by_frequency, 1);
CV_FIELD_AT(TConcgramSettings, concordance_without_jumps, 2);
CV_FIELD_AT(TConcgramSettings, spareB, 3);
CV_FIELD_AT(TConcgramSettings, separator, 8);
CV_FIELD_AT(TConcgramSettings, spare, 12);

struct TBoolAndSingleSettings {
  Byte do_it = 0;
  Byte pad_1[3] = {};
  Single threshold = 0;
};
static_assert(sizeof(TBoolAndSingleSettings) == 8);
CV_FIELD_AT(TBoolAndSingleSettings, threshold, 4);

struct TConcgramMutualChecks {
  Byte search_needed = 0;
  Byte test_all_procedures = 0;
  Byte test_all_words = 0;
  Byte pad_3 = 0;
  TBoolAndSingleSettings proc_settings[kMutualInfoStatsCount];  // one per TMutualInfoStats
  TFixedWideChars<81> search_string = {};
  Byte pad_222[2] = {};
};
static_assert(sizeof(TConcgramMutualChecks) == 224);
CV_FIELD_AT(TConcgramMutualChecks, test_all_procedures, 1);
CV_FIELD_AT(TConcgramMutualChecks, test_all_words, 2);
CV_FIELD_AT(TConcgramMutualChecks, proc_settings, 4);
CV_FIELD_AT(TConcgramMutualChecks, search_string, 60);

struct TWordCloudSettingsRec {
  Byte background_shape = 0;  // TWordCloudBackground
  Byte spare_words_alternately_vertical = 0;
  Byte spare_words_vertical = 0;
  Byte freq_related_colours = 0;
  Byte wc_round_rect_no_pen = 0;
  Byte allow_case_change = 0;
  Byte spareB[2] = {};
  Single horz_squeeze = 0;
  Single vert_squeeze = 0;
  Byte output_case = 0;  // TOutput_results_case
  Byte pad_17[3] = {};
  Integer min_font_size = 0;
  Byte spare[36] = {};
};
static_assert(sizeof(TWordCloudSettingsRec) == 60);
CV_FIELD_AT(TWordCloudSettingsRec, spare_words_alternately_vertical, 1);
CV_FIELD_AT(TWordCloudSettingsRec, spare_words_vertical, 2);
CV_FIELD_AT(TWordCloudSettingsRec, freq_related_colours, 3);
CV_FIELD_AT(TWordCloudSettingsRec, wc_round_rect_no_pen, 4);
CV_FIELD_AT(TWordCloudSettingsRec, allow_case_change, 5);
CV_FIELD_AT(TWordCloudSettingsRec, spareB, 6);
CV_FIELD_AT(TWordCloudSettingsRec, horz_squeeze, 8);
CV_FIELD_AT(TWordCloudSettingsRec, vert_squeeze, 12);
CV_FIELD_AT(TWordCloudSettingsRec, output_case, 16);
CV_FIELD_AT(TWordCloudSettingsRec, min_font_size, 20);
CV_FIELD_AT(TWordCloudSettingsRec, spare, 24);

struct TTagPreferencesRec {
  Byte DescriptionsPreferred = 0;
  Byte spare = 0;
  Byte spareB[14] = {};
  Byte soareI[44] = {};
};
static_assert(sizeof(TTagPreferencesRec) == 60);
CV_FIELD_AT(TTagPreferencesRec, spare, 1);
CV_FIELD_AT(TTagPreferencesRec, spareB, 2);
CV_FIELD_AT(TTagPreferencesRec, soareI, 16);

struct TGeneralPlotSettings {
  Byte hover_show_context_strings = 0;
  Byte include_context_strings_in_compute = 0;
  Byte uniform_plot = 0;
  Byte show_plot_info_using_buttons = 0;
  Byte spareBs[8] = {};
  Integer context_len = 0;
  Integer max_source_entries = 0;
  Byte spare[40] = {};
};
static_assert(sizeof(TGeneralPlotSettings) == 60);
CV_FIELD_AT(TGeneralPlotSettings, include_context_strings_in_compute, 1);
CV_FIELD_AT(TGeneralPlotSettings, uniform_plot, 2);
CV_FIELD_AT(TGeneralPlotSettings, show_plot_info_using_buttons, 3);
CV_FIELD_AT(TGeneralPlotSettings, spareBs, 4);
CV_FIELD_AT(TGeneralPlotSettings, context_len, 12);
CV_FIELD_AT(TGeneralPlotSettings, max_source_entries, 16);
CV_FIELD_AT(TGeneralPlotSettings, spare, 20);

struct TCVClipboardSettings {
  Byte include_text = 0;
  Byte include_picture = 0;
  Byte include_heading_row = 0;
  Byte include_number_column = 0;
  Byte spare[20] = {};
};
static_assert(sizeof(TCVClipboardSettings) == 24);
CV_FIELD_AT(TCVClipboardSettings, include_picture, 1);
CV_FIELD_AT(TCVClipboardSettings, include_heading_row, 2);
CV_FIELD_AT(TCVClipboardSettings, include_number_column, 3);
CV_FIELD_AT(TCVClipboardSettings, spare, 4);

struct TPapersize_rec {
  Integer MMwidth = 0;
  Integer MMheight = 0;
};
static_assert(sizeof(TPapersize_rec) == 8);

struct TCVPrinter_rec {
  TFixedWideChars<80> nome = {};
  TFixedWideChars<80> driver = {};
  TFixedWideChars<80> port = {};
  Integer PrinterPrint_to_Width = 0;
  Integer PrinterPrint_to_height = 0;
  Integer ScreenPixelsPerPolegada = 0;
  Integer DotsPerInch = 0;
  TRect32 print_area_MM;
  TRect32 print_to_area_MM;
  TRect32 print_to_area;
  TRect32 print_area_in_print_dots;
  TPapersize_rec current_papersize;
  Single PrintToScreenRatio = 0;
  Byte HeaderWanted = 0;
  Byte FooterWanted = 0;
  TFixedWideChars<81> Header = {};
  TFixedWideChars<81> Footer = {};
  Byte pad_898[2] = {};
  Single LeftMargin = 0;
  Single RightMargin = 0;
  Single TopMargin = 0;
  Single BottomMargin = 0;
  Byte units = 0;  // TPrint_measurement_units
  Byte monochrome = 0;
  Byte orientation = 0;  // print_orientation_type
  Byte pad_919 = 0;
};
static_assert(sizeof(TCVPrinter_rec) == 920);
CV_FIELD_AT(TCVPrinter_rec, driver, 160);
CV_FIELD_AT(TCVPrinter_rec, port, 320);
CV_FIELD_AT(TCVPrinter_rec, PrinterPrint_to_Width, 480);
CV_FIELD_AT(TCVPrinter_rec, PrinterPrint_to_height, 484);
CV_FIELD_AT(TCVPrinter_rec, ScreenPixelsPerPolegada, 488);
CV_FIELD_AT(TCVPrinter_rec, DotsPerInch, 492);
CV_FIELD_AT(TCVPrinter_rec, print_area_MM, 496);
CV_FIELD_AT(TCVPrinter_rec, print_to_area_MM, 512);
CV_FIELD_AT(TCVPrinter_rec, print_to_area, 528);
CV_FIELD_AT(TCVPrinter_rec, print_area_in_print_dots, 544);
CV_FIELD_AT(TCVPrinter_rec, current_papersize, 560);
CV_FIELD_AT(TCVPrinter_rec, PrintToScreenRatio, 568);
CV_FIELD_AT(TCVPrinter_rec, HeaderWanted, 572);
CV_FIELD_AT(TCVPrinter_rec, FooterWanted, 573);
CV_FIELD_AT(TCVPrinter_rec, Header, 574);
CV_FIELD_AT(TCVPrinter_rec, Footer, 736);
CV_FIELD_AT(TCVPrinter_rec, LeftMargin, 900);
CV_FIELD_AT(TCVPrinter_rec, RightMargin, 904);
CV_FIELD_AT(TCVPrinter_rec, TopMargin, 908);
CV_FIELD_AT(TCVPrinter_rec, BottomMargin, 912);
CV_FIELD_AT(TCVPrinter_rec, units, 916);
CV_FIELD_AT(TCVPrinter_rec, monochrome, 917);
CV_FIELD_AT(TCVPrinter_rec, orientation, 918);

struct TRulerPlotWordCloudColoursRec {
  TColor colours[kRulerPlotColourCount] = {};  // [TRulerPlotWordCloudColourTypes]
  Integer plot_divisions = 0;
};
static_assert(sizeof(TRulerPlotWordCloudColoursRec) == 44);
CV_FIELD_AT(TRulerPlotWordCloudColoursRec, plot_divisions, 40);

struct TCVStartupOptions {
  Byte RememberCVPosition = 0;
  Byte RetrieveLastFile = 0;
  Byte ShowHelp = 0;
  Byte ShowToolbar = 0;
  Byte ShowStatusbar = 0;
};
static_assert(sizeof(TCVStartupOptions) == 5);
CV_FIELD_AT(TCVStartupOptions, ShowStatusbar, 4);

struct TMediaParseRec {
  Byte filename_location_method = 0;  // TMediaFileLocation
  Byte pad_1 = 0;
  TFixedWideChars<261> file_containing_lookup_table = {};
  TFixedWideChars<261> media_folder = {};
  TFixedWideChars<31> start_of_filename = {};
  Integer default_duration = 0;
  TFixedWideChars<11> duration_marker = {};
  TFixedWideChars<11> start_marker = {};
  TFixedWideChars<66> filename_extensions = {};
  Single grow_by = 0;
  Byte spare[24] = {};
};
static_assert(sizeof(TMediaParseRec) == 1316);
CV_FIELD_AT(TMediaParseRec, file_containing_lookup_table, 2);
CV_FIELD_AT(TMediaParseRec, media_folder, 524);
CV_FIELD_AT(TMediaParseRec, start_of_filename, 1046);
CV_FIELD_AT(TMediaParseRec, default_duration, 1108);
CV_FIELD_AT(TMediaParseRec, duration_marker, 1112);
CV_FIELD_AT(TMediaParseRec, start_marker, 1134);
CV_FIELD_AT(TMediaParseRec, filename_extensions, 1156);
CV_FIELD_AT(TMediaParseRec, grow_by, 1288);
CV_FIELD_AT(TMediaParseRec, spare, 1292);

struct TSelectTextFile_RecW {
  TFixedWideChars<81> seekStart = {};
  TFixedWideChars<81> seek_wilds = {};
  TFixedWideChars<81> seekEnd = {};
  Byte pad_486[2] = {};
  Integer length_of_seek = 0;
  Byte ato_necessario = 0;  // text_select_type
  Byte contains_wildcard = 0;
  Byte pad_494[2] = {};
};
static_assert(sizeof(TSelectTextFile_RecW) == 496);
CV_FIELD_AT(TSelectTextFile_RecW, seek_wilds, 162);
CV_FIELD_AT(TSelectTextFile_RecW, seekEnd, 324);
CV_FIELD_AT(TSelectTextFile_RecW, length_of_seek, 488);
CV_FIELD_AT(TSelectTextFile_RecW, ato_necessario, 492);
CV_FIELD_AT(TSelectTextFile_RecW, contains_wildcard, 493);

struct TProxySettings {
  TFixedWideChars<261> server = {};
  TFixedWideChars<31> portnumber = {};
  TFixedWideChars<81> username = {};
  TFixedWideChars<81> password = {};
};
static_assert(sizeof(TProxySettings) == 908);
CV_FIELD_AT(TProxySettings, portnumber, 522);
CV_FIELD_AT(TProxySettings, username, 584);
CV_FIELD_AT(TProxySettings, password, 746);

struct TCollocateScriptSettings {
  Integer max_wordlength = 0;
  Integer min_wordlength = 0;
  Integer max_wordfreq = 0;
  Integer min_wordfreq = 0;
  Integer max_N_files = 0;
  Integer min_N_Files = 0;
  Integer max_collocate_total_column = 0;
  Integer min_collocate_total_column = 0;
  Integer max_collocate_list_total = 0;
  Integer min_collocate_list_total = 0;
  Byte spare[44] = {};
};
static_assert(sizeof(TCollocateScriptSettings) == 84);
CV_FIELD_AT(TCollocateScriptSettings, min_wordlength, 4);
CV_FIELD_AT(TCollocateScriptSettings, max_wordfreq, 8);
CV_FIELD_AT(TCollocateScriptSettings, min_wordfreq, 12);
CV_FIELD_AT(TCollocateScriptSettings, max_N_files, 16);
CV_FIELD_AT(TCollocateScriptSettings, min_N_Files, 20);
CV_FIELD_AT(TCollocateScriptSettings, max_collocate_total_column, 24);
CV_FIELD_AT(TCollocateScriptSettings, min_collocate_total_column, 28);
CV_FIELD_AT(TCollocateScriptSettings, max_collocate_list_total, 32);
CV_FIELD_AT(TCollocateScriptSettings, min_collocate_list_total, 36);
CV_FIELD_AT(TCollocateScriptSettings, spare, 40);

struct TMatchListSettingsRec {
  Byte basis = 0;   // Tmatch_basis
  Byte action = 0;  // Tmatch_action
  TFixedWideChars<51> template_ = {};  // `template`
  Byte case_sensitivity = 0;     // TCaseSensitivity
  Byte pad_105 = 0;
};
static_assert(sizeof(TMatchListSettingsRec) == 106);
CV_FIELD_AT(TMatchListSettingsRec, action, 1);
CV_FIELD_AT(TMatchListSettingsRec, template_, 2);
CV_FIELD_AT(TMatchListSettingsRec, case_sensitivity, 104);

struct TStoplistSettingsRec {
  Byte StoplistOnSWToo = 0;
  Byte ContinuousStopListProcessing = 0;
  Byte SubtractWordLengths = 0;
  Byte case_sensitivity = 0;  // TCaseSensitivity
};
static_assert(sizeof(TStoplistSettingsRec) == 4);

struct TLemmaListSettingsRec {
  Byte case_sensitivity = 0;  // TCaseSensitivity
};
static_assert(sizeof(TLemmaListSettingsRec) == 1);

struct TVersionAndDateRec {
  TFixedWideChars<51> version = {};
  TFixedWideChars<51> date = {};
};
static_assert(sizeof(TVersionAndDateRec) == 204);
CV_FIELD_AT(TVersionAndDateRec, date, 102);

struct TFilenameWideStringAndInteger {
  TFixedWideChars<261> filename = {};
  Byte spare[2] = {};
  Integer filecount = 0;
};
static_assert(sizeof(TFilenameWideStringAndInteger) == 528);
CV_FIELD_AT(TFilenameWideStringAndInteger, filecount, 524);

// ---------------------------------------------------------------------------
// Concordance settings

struct TKwicCluster_rec {
  SmallInt spare_min_texts = 0;
  SmallInt to_left = 0;
  SmallInt to_right = 0;
  SmallInt min_freq = 0;
  Byte spare_case_sensitive = 0;
  Byte spare = 0;
};
static_assert(sizeof(TKwicCluster_rec) == 10);

struct T3SortFeatures {
  Byte case_sensitive[3] = {};
  Byte boll_ascending[3] = {};
  Byte spare_Wanted[3] = {};
};
static_assert(sizeof(T3SortFeatures) == 9);

struct TConcSettingsRec32 {
  TFixedWideChars<81> concordance_word = {};  // search_word_type32
  TFixedWideChars<81> exclusion_word = {};
  TFixedWideChars<81> spare_tag_context_word = {};
  TFixedWideChars<81> concordance_context_word = {};
  Integer entries_wanted_per_sw = 0;
  Integer entries = 0;
  Integer original_entries = 0;
  Integer run_words_processed = 0;
  SmallInt tag_string_only_on_number = 0;
  SmallInt tag_string_only_off_number = 0;
  Integer context_exact_gap_required = 0;
  Byte spare_language_details[1032] = {};
  Tdouble_smallint_type colloc_horizons;
  Tdouble_smallint_type context_horizons;
  TKwicCluster_rec cluster_settings;
  Byte spare_text_format = 0;  // tag_on_off_type
  Byte spare_plot_computed = 0;
  Byte spare_Clusters_computed = 0;
  Byte spare_Patterns_computed = 0;
  Byte spare_collocates_computed = 0;
  Byte spare_trim_textfile_output = 0;
  Byte show_tag_descriptions = 0;
  Byte spare_Association_computed = 0;
  Byte show_percents_not_raw_numbers = 0;
  Byte collocates_use_stoplist = 0;
  Byte file_based = 0;
  Byte blanking = 0;
  Byte with_collocates = 0;
  Byte with_exclusion = 0;
  Byte with_context = 0;
  Byte collocates_stop_at = 0;  // Tcollocates_stop_at_type
  Byte min_coll_len = 0;
  Byte SW_padded = 0;
  Word characters_to_save_on_disk = 0;
  Word min_coll_freq = 0;
  Byte conc_display_setting = 0;  // set of TConc_display_options
  Byte TrebleSort[3] = {};        // Tconcordance_sort_type, first to third sort
  T3SortFeatures sort_features;
  Byte context_stop_at = 0;  // Tcollocates_stop_at_type
  SmallInt cluster_n_min = 0;
  SmallInt cluster_n_max = 0;
  Byte spare_RelationshipsProc = 0;  // TMutualInfoStats
  Byte saved_concrec_version_number = 0;
  Byte tags_to_show_in_context = 0;
  Byte min_colloc_texts = 0;
  Byte hideOptions = 0;  // set of THideOptions
  Byte ignore_conc_text_stats = 0;
  Byte show_full_filename_path = 0;
  Byte skip_punctuation = 0;
  Byte merge_sws_for_collocs = 0;
  Byte spare_1771 = 0;
  Integer max_tag_gap = 0;
  Byte auto_lemmatise_collocs = 0;
  Byte there_are_lemmatised_collocs = 0;
  Byte collocates_case_sensitive = 0;
  Byte spare_timeline_computed = 0;
  Byte show_colloc_0Freq = 0;
  Byte spare_stoplist_on_sw_too = 0;
  Byte plotFilesBeforeSWs = 0;
  Byte known_whether_SWs_contain_tags = 0;
  Integer avoid_hits_within_X_words = 0;
  Integer column_for_relationships_computation = 0;
  Byte conc_colouring_options = 0;  // set of TConcColouringOptions
  Byte spare[787] = {};
};
static_assert(sizeof(TConcSettingsRec32) == 2580);
CV_FIELD_AT(TConcSettingsRec32, exclusion_word, 162);
CV_FIELD_AT(TConcSettingsRec32, spare_tag_context_word, 324);
CV_FIELD_AT(TConcSettingsRec32, concordance_context_word, 486);
CV_FIELD_AT(TConcSettingsRec32, entries_wanted_per_sw, 648);
CV_FIELD_AT(TConcSettingsRec32, entries, 652);
CV_FIELD_AT(TConcSettingsRec32, original_entries, 656);
CV_FIELD_AT(TConcSettingsRec32, run_words_processed, 660);
CV_FIELD_AT(TConcSettingsRec32, tag_string_only_on_number, 664);
CV_FIELD_AT(TConcSettingsRec32, tag_string_only_off_number, 666);
CV_FIELD_AT(TConcSettingsRec32, context_exact_gap_required, 668);
CV_FIELD_AT(TConcSettingsRec32, spare_language_details, 672);
CV_FIELD_AT(TConcSettingsRec32, colloc_horizons, 1704);
CV_FIELD_AT(TConcSettingsRec32, context_horizons, 1708);
CV_FIELD_AT(TConcSettingsRec32, cluster_settings, 1712);
CV_FIELD_AT(TConcSettingsRec32, spare_text_format, 1722);
CV_FIELD_AT(TConcSettingsRec32, spare_plot_computed, 1723);
CV_FIELD_AT(TConcSettingsRec32, spare_Clusters_computed, 1724);
CV_FIELD_AT(TConcSettingsRec32, spare_Patterns_computed, 1725);
CV_FIELD_AT(TConcSettingsRec32, spare_collocates_computed, 1726);
CV_FIELD_AT(TConcSettingsRec32, spare_trim_textfile_output, 1727);
CV_FIELD_AT(TConcSettingsRec32, show_tag_descriptions, 1728);
CV_FIELD_AT(TConcSettingsRec32, spare_Association_computed, 1729);
CV_FIELD_AT(TConcSettingsRec32, show_percents_not_raw_numbers, 1730);
CV_FIELD_AT(TConcSettingsRec32, collocates_use_stoplist, 1731);
CV_FIELD_AT(TConcSettingsRec32, file_based, 1732);
CV_FIELD_AT(TConcSettingsRec32, blanking, 1733);
CV_FIELD_AT(TConcSettingsRec32, with_collocates, 1734);
CV_FIELD_AT(TConcSettingsRec32, with_exclusion, 1735);
CV_FIELD_AT(TConcSettingsRec32, with_context, 1736);
CV_FIELD_AT(TConcSettingsRec32, collocates_stop_at, 1737);
CV_FIELD_AT(TConcSettingsRec32, min_coll_len, 1738);
CV_FIELD_AT(TConcSettingsRec32, SW_padded, 1739);
CV_FIELD_AT(TConcSettingsRec32, characters_to_save_on_disk, 1740);
CV_FIELD_AT(TConcSettingsRec32, min_coll_freq, 1742);
CV_FIELD_AT(TConcSettingsRec32, conc_display_setting, 1744);
CV_FIELD_AT(TConcSettingsRec32, TrebleSort, 1745);
CV_FIELD_AT(TConcSettingsRec32, sort_features, 1748);
CV_FIELD_AT(TConcSettingsRec32, context_stop_at, 1757);
CV_FIELD_AT(TConcSettingsRec32, cluster_n_min, 1758);
CV_FIELD_AT(TConcSettingsRec32, cluster_n_max, 1760);
CV_FIELD_AT(TConcSettingsRec32, spare_RelationshipsProc, 1762);
CV_FIELD_AT(TConcSettingsRec32, saved_concrec_version_number, 1763);
CV_FIELD_AT(TConcSettingsRec32, tags_to_show_in_context, 1764);
CV_FIELD_AT(TConcSettingsRec32, min_colloc_texts, 1765);
CV_FIELD_AT(TConcSettingsRec32, hideOptions, 1766);
CV_FIELD_AT(TConcSettingsRec32, ignore_conc_text_stats, 1767);
CV_FIELD_AT(TConcSettingsRec32, show_full_filename_path, 1768);
CV_FIELD_AT(TConcSettingsRec32, skip_punctuation, 1769);
CV_FIELD_AT(TConcSettingsRec32, merge_sws_for_collocs, 1770);
CV_FIELD_AT(TConcSettingsRec32, max_tag_gap, 1772);
CV_FIELD_AT(TConcSettingsRec32, auto_lemmatise_collocs, 1776);
CV_FIELD_AT(TConcSettingsRec32, there_are_lemmatised_collocs, 1777);
CV_FIELD_AT(TConcSettingsRec32, collocates_case_sensitive, 1778);
CV_FIELD_AT(TConcSettingsRec32, spare_timeline_computed, 1779);
CV_FIELD_AT(TConcSettingsRec32, show_colloc_0Freq, 1780);
CV_FIELD_AT(TConcSettingsRec32, spare_stoplist_on_sw_too, 1781);
CV_FIELD_AT(TConcSettingsRec32, plotFilesBeforeSWs, 1782);
CV_FIELD_AT(TConcSettingsRec32, known_whether_SWs_contain_tags, 1783);
CV_FIELD_AT(TConcSettingsRec32, avoid_hits_within_X_words, 1784);
CV_FIELD_AT(TConcSettingsRec32, column_for_relationships_computation, 1788);
CV_FIELD_AT(TConcSettingsRec32, conc_colouring_options, 1792);
CV_FIELD_AT(TConcSettingsRec32, spare, 1793);

// ---------------------------------------------------------------------------
// Terminators

void ForceTerminators(Tfixed_lang_details32& r);
void ForceTerminators(TText_segment_rec& r);
void ForceTerminators(TTextsett_rec32& r);
void ForceTerminators(TWordlist_index_settings_rec& r);
void ForceTerminators(CV_keywords_settings_type32& r);
void ForceTerminators(TConcgramMutualChecks& r);
void ForceTerminators(TCVPrinter_rec& r);
void ForceTerminators(TMediaParseRec& r);
void ForceTerminators(TSelectTextFile_RecW& r);
void ForceTerminators(TProxySettings& r);
void ForceTerminators(TMatchListSettingsRec& r);
void ForceTerminators(TVersionAndDateRec& r);
void ForceTerminators(TConcSettingsRec32& r);
// Records without texts: nothing to do.
template <typename T>
inline void ForceTerminators(T&) {}

}  // namespace cv

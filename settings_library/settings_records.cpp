#include "settings_library/settings_records.h"

#include "settings_library/settings_record.h"

namespace cv {

void ForceTerminators(Tfixed_lang_details32& r) {
  TerminateFixedText(r.old_win_font.fontname_old);
  TerminateFixedText(r.allowable_middle_letters);
  TerminateFixedText(r.new_win_font.fontname);
  TerminateFixedText(r.nome);
}

void ForceTerminators(TText_segment_rec& r) { TerminateFixedText(r.marker); }

void ForceTerminators(TTextsett_rec32& r) {
  ForceTerminators(r.language_info);
  TerminateFixedText(r.ignore_tags);
  for (auto& m : r.standard_markers) ForceTerminators(m);
}

void ForceTerminators(TWordlist_index_settings_rec& r) { ForceTerminators(r.spare_index_textsettings); }

void ForceTerminators(CV_keywords_settings_type32& r) {
  ForceTerminators(r.settings_language);
  TerminateFixedText(r.source_wordlists);
  TerminateFixedText(r.source_text_filename);
  TerminateFixedText(r.ref_corpus_wordlist_filename);
}

void ForceTerminators(TConcgramMutualChecks& r) { TerminateFixedText(r.search_string); }

void ForceTerminators(TCVPrinter_rec& r) {
  TerminateFixedText(r.nome);
  TerminateFixedText(r.driver);
  TerminateFixedText(r.port);
  TerminateFixedText(r.Header);
  TerminateFixedText(r.Footer);
}

void ForceTerminators(TMediaParseRec& r) {
  TerminateFixedText(r.file_containing_lookup_table);
  TerminateFixedText(r.media_folder);
  TerminateFixedText(r.start_of_filename);
  TerminateFixedText(r.duration_marker);
  TerminateFixedText(r.start_marker);
  TerminateFixedText(r.filename_extensions);
}

void ForceTerminators(TSelectTextFile_RecW& r) {
  TerminateFixedText(r.seekStart);
  TerminateFixedText(r.seek_wilds);
  TerminateFixedText(r.seekEnd);
}

void ForceTerminators(TProxySettings& r) {
  TerminateFixedText(r.server);
  TerminateFixedText(r.portnumber);
  TerminateFixedText(r.username);
  TerminateFixedText(r.password);
}

void ForceTerminators(TMatchListSettingsRec& r) { TerminateFixedText(r.template_); }

void ForceTerminators(TVersionAndDateRec& r) {
  TerminateFixedText(r.version);
  TerminateFixedText(r.date);
}

void ForceTerminators(TConcSettingsRec32& r) {
  TerminateFixedText(r.concordance_word);
  TerminateFixedText(r.exclusion_word);
  TerminateFixedText(r.spare_tag_context_word);
  TerminateFixedText(r.concordance_context_word);
}

void ForceTerminators(tProgressParams& r) {
  TerminateFixedText(r.mensagem_curta);
  TerminateFixedText(r.mensagem_longa);
}

}  // namespace cv

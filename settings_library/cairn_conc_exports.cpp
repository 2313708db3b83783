// The field exports of the concordance settings (the whole-record pair is in
// the record table of cairn_exports.cpp).
#include <cstring>

#include "settings_library/cairn7.h"
#include "settings_library/cairn_share.h"

using namespace cv;

namespace {

TConcSettingsRec32& C() { return R().conc_settings; }

template <typename T>
bool Set(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

void GetWord(const char16_t (&field)[81], char16_t* out81) {
  if (out81 != nullptr) std::memcpy(out81, field, sizeof field);
}

// Compares all 81 units, so a difference after the terminator counts; the
// last unit is always stored as a terminator.
bool SetWord(char16_t (&field)[81], const char16_t* units81) {
  if (units81 == nullptr) return false;
  char16_t stored[81];
  std::memcpy(stored, units81, sizeof stored);
  stored[80] = 0;
  if (std::memcmp(field, stored, sizeof stored) == 0) return false;
  std::memcpy(field, stored, sizeof stored);
  return true;
}

uint32_t PackHorizons(const Tdouble_smallint_type& h) {
  return static_cast<uint16_t>(h.to_left) | (static_cast<uint32_t>(static_cast<uint16_t>(h.to_right)) << 16);
}

bool SetHorizons(Tdouble_smallint_type& h, uint32_t value) {
  Tdouble_smallint_type n;
  n.to_left = static_cast<int16_t>(value & 0xFFFF);
  n.to_right = static_cast<int16_t>(value >> 16);
  if (n.to_left == h.to_left && n.to_right == h.to_right) return false;
  h = n;
  return true;
}

}  // namespace

void GetConcSaveRecSearchword(char16_t* out81) noexcept { GetWord(C().concordance_word, out81); }
bool SetConcSaveRecSearchword(const char16_t* units81) noexcept { return SetWord(C().concordance_word, units81); }
void GetConcSaveRecContextword(char16_t* out81) noexcept { GetWord(C().concordance_context_word, out81); }
bool SetConcSaveRecContextword(const char16_t* units81) noexcept {
  return SetWord(C().concordance_context_word, units81);
}
void GetConcSaveRecExclusionword(char16_t* out81) noexcept { GetWord(C().exclusion_word, out81); }
bool SetConcSaveRecExclusionword(const char16_t* units81) noexcept { return SetWord(C().exclusion_word, units81); }

int32_t GetConcSaveRecEntriesWantedPerSW() noexcept { return C().entries_wanted_per_sw; }
bool SetConcSaveRecEntriesWantedPerSw(int32_t value) noexcept { return Set(C().entries_wanted_per_sw, value); }

uint32_t GetConcSaveRecCollocHorizons() noexcept { return PackHorizons(C().colloc_horizons); }
bool SetConcSaveRecCollocHorizons(uint32_t value) noexcept { return SetHorizons(C().colloc_horizons, value); }
uint32_t GetConcSaveRecContextHorizons() noexcept { return PackHorizons(C().context_horizons); }
bool SetConcSaveRecContextHorizons(uint32_t value) noexcept { return SetHorizons(C().context_horizons, value); }

bool SetConcSaveRecClusterSettingsToLeft(int16_t value) noexcept { return Set(C().cluster_settings.to_left, value); }
bool SetConcSaveRecClusterSettingsToRight(int16_t value) noexcept {
  return Set(C().cluster_settings.to_right, value);
}
bool SetConcSaveRecClusterSettingsMinFreq(int16_t value) noexcept {
  return Set(C().cluster_settings.min_freq, value);
}
bool SetConcSaveRecClusterNMIn(int16_t value) noexcept { return Set(C().cluster_n_min, value); }
bool SetConcSaveRecClusterNMax(int16_t value) noexcept { return Set(C().cluster_n_max, value); }

uint16_t GetConcSaveRecCharactersToSaveOnDisk() noexcept { return C().characters_to_save_on_disk; }
bool SetConcSaveRecCharactersToSaveOnDisk(uint16_t value) noexcept {
  return Set(C().characters_to_save_on_disk, value);
}
uint16_t GetConcSaveRecCollocMinLength() noexcept { return C().min_coll_len; }
bool SetConcSaveRecCollocMinLength(uint16_t value) noexcept {
  // The field is one byte: saturate rather than keep the low byte, and
  // compare what is stored.
  return Set(C().min_coll_len, static_cast<uint8_t>(value > 255 ? 255 : value));
}
uint16_t GetConcSaveRecCollocMinFreq() noexcept { return C().min_coll_freq; }
bool SetConcSaveRecCollocMinFreq(uint16_t value) noexcept { return Set(C().min_coll_freq, value); }

bool SetConcSaveRecCollocatesStopAt(uint8_t value) noexcept { return Set(C().collocates_stop_at, value); }
bool SetConcSaveRecContextStopAt(uint8_t value) noexcept { return Set(C().context_stop_at, value); }

uint8_t GetConcSaveRecBlanking() noexcept { return C().blanking; }
bool SetConcSaveRecBlanking(uint8_t value) noexcept { return Set(C().blanking, value); }
uint8_t GetConcSaveRecWithCollocates() noexcept { return C().with_collocates; }
bool SetConcSaveRecWithCollocates(uint8_t value) noexcept { return Set(C().with_collocates, value); }
bool SetConcSaveRecWithContext(uint8_t value) noexcept { return Set(C().with_context, value); }
bool SetConcSaveRecSWPadded(uint8_t value) noexcept { return Set(C().SW_padded, value); }
bool SetConcSaveRecShowPercents(uint8_t value) noexcept { return Set(C().show_percents_not_raw_numbers, value); }
bool SetConcSaveRecIgnoreConcTextStats(uint8_t value) noexcept { return Set(C().ignore_conc_text_stats, value); }
bool SetConcSaveRecShowFullFilenamePath(uint8_t value) noexcept { return Set(C().show_full_filename_path, value); }
bool SetConcSaveRecSkipPunctuation(uint8_t value) noexcept { return Set(C().skip_punctuation, value); }
bool SetConcSaveRecMergeSWSForCollocs(uint8_t value) noexcept { return Set(C().merge_sws_for_collocs, value); }
bool SetConcSaveRecCollocatesCaseSensitive(uint8_t value) noexcept {
  return Set(C().collocates_case_sensitive, value);
}
bool SetConcSaveRecShowColloc0Freq(uint8_t value) noexcept { return Set(C().show_colloc_0Freq, value); }
bool SetConcSaveRecPlotFilesBeforeSWs(uint8_t value) noexcept { return Set(C().plotFilesBeforeSWs, value); }
bool SetConcSaveRecAvoidHitsWithin(int32_t value) noexcept { return Set(C().avoid_hits_within_X_words, value); }
uint8_t GetConcSaveRecDisplayOptions() noexcept { return C().conc_display_setting; }
bool SetConcSaveRecDisplayOptions(uint8_t value) noexcept { return Set(C().conc_display_setting, value); }
uint8_t GetConcSaveRecHideOptions() noexcept { return C().hideOptions; }
bool SetConcSaveRecHideOptions(uint8_t value) noexcept { return Set(C().hideOptions, value); }
bool SetConcSaveRecColouringOptions(uint8_t value) noexcept { return Set(C().conc_colouring_options, value); }

#include "tools/libraries.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "lemmatiser_library/lemmatiser.h"
#include "settings_library/cairn7.h"
#include "platform/nls.h"
#include "tools/tool_support.h"

namespace cv::tool {

// ---------------------------------------------------------------------------
// Libraries

std::string LibraryFolder() { return ExeFolder() + "/../lib"; }

void* LoadLibraryByName(const char* file_name) {
  const std::string beside = LibraryFolder() + "/" + file_name;
  void* h = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) h = ::dlopen(file_name, RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* e = ::dlerror();
    throw TToolError(std::string("cannot load ") + file_name + ": " + (e ? e : "unknown error"));
  }
  return h;
}

void* Symbol(void* library, const char* name) {
  void* p = ::dlsym(library, name);
  if (!p) throw TToolError(std::string("the library has no export ") + name);
  return p;
}

TCairn::TCairn() : lib_(LoadLibraryByName("libCairn7.so")) {
  Get<void (*)()>("SetupCairnSharing")();
  // Factory settings are never zero here: a zero means nobody wrote them.
  if (Get<int32_t (*)()>("GetConcSaveRecEntriesWantedPerSW")() == 0) {
    Get<void (*)()>("SetAllDefaults")();
    Get<void (*)()>("SetAllSettingsDone")();
    defaults_written_ = true;
  }
}

TConcChoices TCairn::ConcSettings() const {
  TConcSettingsRec32 r{};
  Get<void (*)(TConcSettingsRec32*)>("GetConcSaveRec")(&r);
  TTextsett_rec32 t{};
  Get<void (*)(TTextsett_rec32*)>("GetTextSettings")(&t);
  TConcChoices c;
  c.entries_wanted_per_sw = r.entries_wanted_per_sw;
  c.horizon_left = r.context_horizons.to_left;
  c.horizon_right = r.context_horizons.to_right;
  for (char16_t ch : t.language_info.allowable_middle_letters) {
    if (!ch) break;
    c.middle_characters += ch;
  }
  c.middles_at_right = t.language_info.allow_middles_at_right != 0;
  c.middles_at_left = t.language_info.allow_middles_at_left != 0;
  return c;
}

TKeywordChoices TCairn::KeywordsSettings() const {
  CV_keywords_settings_type32 r{};
  Get<void (*)(CV_keywords_settings_type32*)>("GetKeywordsSettings")(&r);
  return {r.min_LL_P_value, r.min_freq, r.max_wanted};
}

void TCairn::ReportProgress(Integer percent, Integer running_words, const std::u16string& message) const {
  tProgressParams p{};
  Get<void (*)(tProgressParams*)>("GetProgressParams")(&p);
  p.percents[0] = percent;
  p.running_words = running_words;
  const std::size_t n = std::min<std::size_t>(message.size(), 200);
  std::memcpy(p.mensagem_curta, message.data(), n * sizeof(char16_t));
  p.mensagem_curta[n] = 0;
  Get<bool (*)(const tProgressParams*)>("SetProgressParams")(&p);
}

TLemmatiser::TLemmatiser(Byte slot) : lib_(LoadLibraryByName("libCV7CorvaneLemmatiser.so")), slot_(slot) {}

TLemmatiser::~TLemmatiser() {
  // The lists belong to the library; the handle stays open for the life of
  // the process (unloading would only free what exit frees).
  auto clear = reinterpret_cast<CVWordBool (*)(uint8_t, uint8_t)>(::dlsym(lib_, "ClearOne"));
  if (clear) {
    if (lemmas_) clear(slot_, 0);
    if (stops_) clear(slot_, 2);
  }
}

void TLemmatiser::Load(const std::string& file_name, Byte kind) {
  auto loaded = reinterpret_cast<decltype(&LoadedOne)>(Symbol(lib_, "LoadedOne"));
  const string name = U16(file_name);
  struct stat st;
  if (::stat(file_name.c_str(), &st) != 0) throw TToolError("cannot read " + file_name);
  const CVWordBool ok = loaded(slot_, name.c_str(), kind, nullptr, nullptr, nullptr, nullptr, GetUserDefaultLCID(),
                               0, 0);
  if (!ok) throw TToolError(file_name + ": no " + (kind == 0 ? "lemma" : "stop") + " list items could be read");
  (kind == 0 ? lemmas_ : stops_) = true;
}

string TLemmatiser::HeadWord(const string& upper_word) const {
  if (!lemmas_) return string();
  // The lookup converts the word to the list's encoding (8-bit or UTF-16)
  // and answers the head word in UTF-16.
  auto found = reinterpret_cast<decltype(&FoundInTheList)>(Symbol(lib_, "FoundInTheList"));
  const void* r = found(slot_, upper_word.c_str(), 1, 0);
  return r ? string(static_cast<const char16_t*>(r)) : string();
}

bool TLemmatiser::IsStopWord(const string& upper_word) const {
  if (!stops_) return false;
  auto found = reinterpret_cast<decltype(&FoundInTheList)>(Symbol(lib_, "FoundInTheList"));
  return found(slot_, upper_word.c_str(), 1, 2) != nullptr;
}

std::vector<string> TLemmatiser::VariantsOf(const string& upper_head) const {
  std::vector<string> out;
  if (!lemmas_) return out;
  auto variants = reinterpret_cast<decltype(&LemmaVariantsOf)>(Symbol(lib_, "LemmaVariantsOf"));
  const char16_t* r = variants(slot_, upper_head.c_str(), u"\t");
  if (!r) return out;
  string all(r);
  std::size_t from = 0;
  while (from <= all.size()) {
    const auto tab = all.find(u'\t', from);
    const string v = all.substr(from, tab == string::npos ? string::npos : tab - from);
    if (!v.empty()) out.push_back(v);
    if (tab == string::npos) break;
    from = tab + 1;
  }
  return out;
}

Integer TLemmatiser::HeadWordCount() const {
  auto count = reinterpret_cast<decltype(&LemmaHeadWordsCount)>(Symbol(lib_, "LemmaHeadWordsCount"));
  return count(slot_);
}

// ---------------------------------------------------------------------------
// Progress

namespace {
double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
}  // namespace

TProgressBar::TProgressBar(const TCairn* cairn) : cairn_(cairn), start_(Now()), tty_(::isatty(2) == 1) {}

TProgressBar::~TProgressBar() { Finish(); }

void TProgressBar::Update(Int64 done, Int64 total, Int64 words) {
  const Integer percent = total > 0 ? static_cast<Integer>(std::min<Int64>(100, done * 100 / total)) : 0;
  if (percent != last_percent_ && cairn_) {
    cairn_->ReportProgress(percent, static_cast<Integer>(std::min<Int64>(words, 0x7FFFFFFF)), u"corvane");
  }
  last_percent_ = percent;
  if (!tty_) return;
  const double t = Now();
  if (t - start_ < 1.0 || t - last_ < 0.1) return;
  last_ = t;
  shown_ = true;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %lld words", filled, "##############################",
               kWidth - filled, "", percent, static_cast<long long>(words));
  std::fflush(stderr);
}

void TProgressBar::Finish() {
  if (shown_) {
    std::fprintf(stderr, "\r%60s\r", "");
    std::fflush(stderr);
    shown_ = false;
  }
}

}  // namespace cv::tool

// The two stand-alone libraries of the suite, loaded by name as a tool
// loads them.  Kept apart from tool_support.h so that the settings
// library's record headers meet no other subsystem's in one unit.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace cv::tool {

// ---------------------------------------------------------------------------
// Stand-alone libraries, loaded by name from the build's lib folder beside
// the program (<exe dir>/../lib), else from the loader's search path.

std::string LibraryFolder();
// dlopen; TToolError naming the library and dlerror() on failure.
void* LoadLibraryByName(const char* file_name);
void* Symbol(void* library, const char* name);

// What the commands take from the settings records.
struct TConcChoices {
  Integer entries_wanted_per_sw = 0;
  Integer horizon_left = 5, horizon_right = 5;
  string middle_characters;  // allowed inside words (apostrophes, hyphens)
  bool middles_at_right = false, middles_at_left = false;
};
struct TKeywordChoices {
  double max_p = 0;
  Integer min_freq = 0;
  Integer max_wanted = 0;
};

// The settings library, attached to the shared region.  When the region
// holds no settings yet (a fresh region is all zero), the factory defaults
// are written first.
class TCairn {
 public:
  TCairn();
  void* Handle() const { return lib_; }
  template <class F>
  F Get(const char* name) const {
    return reinterpret_cast<F>(Symbol(lib_, name));
  }
  bool DefaultsWritten() const { return defaults_written_; }
  TConcChoices ConcSettings() const;
  TKeywordChoices KeywordsSettings() const;
  void ReportProgress(Integer percent, Integer running_words, const std::u16string& message) const;

 private:
  void* lib_ = nullptr;
  bool defaults_written_ = false;
};

// The lemmatiser library: lemma and stop lists in this tool's slot.
class TLemmatiser {
 public:
  explicit TLemmatiser(Byte slot);
  ~TLemmatiser();
  // kind 0 lemma, 2 stop; TToolError when the file gives no items.
  void Load(const std::string& file_name, Byte kind);
  // Head word of an (upper-cased) word, empty when it is no variant.
  string HeadWord(const string& upper_word) const;
  bool IsStopWord(const string& upper_word) const;
  // The variants of a head word, in list order.
  std::vector<string> VariantsOf(const string& upper_head) const;
  Integer HeadWordCount() const;

 private:
  void* lib_ = nullptr;
  Byte slot_;
  bool lemmas_ = false;
  bool stops_ = false;
};

}  // namespace cv::tool

// The exported functions of the lemmatiser library and its 18 slots.
#include "lemmatiser_library/lemmatiser.h"

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "core/lemmastopmatchtypes.h"
#include "core/my_types_mini.h"
#include "lemmatiser_library/lemma_and_match_lists.h"
#include "platform/nls.h"
#include "text/code_pages.h"

#define CV_EXPORT extern "C" __attribute__((visibility("default")))

namespace cv {
namespace {

constexpr int kSlots = kToolTypeCount;
constexpr int tt_kwic_slot = tt_kwic;
constexpr int tt_keywords_slot = tt_keywords;
constexpr CVWordBool kTrue = -1;
constexpr CVWordBool kFalse = 0;

static_assert(sizeof(CVLemmaEntryRec) == sizeof(TLemmaEntryRec));
static_assert(offsetof(CVLemmaEntryRec, headwordp) == offsetof(TLemmaEntryRec, headwordp));

// Display lines collected by TraversedOne.
class TShowClass {
 public:
  std::vector<string> StringList;
  Integer max_To_Show = 0;

  void ShowALemma(TLemmaEntryRec& t, bool in_unicode) {
    if (!Room()) return;
    string line = in_unicode ? string(static_cast<const char16_t*>(t.variantp))
                             : MultiByteToWide(CP_ACP, static_cast<const char*>(t.variantp));
    line += u" (";
    line += t.headwordp;
    line += u")";
    StringList.push_back(std::move(line));
  }
  void ShowAMatch(void* searchp, bool in_unicode) {
    if (!Room()) return;
    StringList.push_back(in_unicode ? string(static_cast<const char16_t*>(searchp))
                                    : MultiByteToWide(CP_ACP, static_cast<const char*>(searchp)));
  }
  void ShowARelation(void* searchp, bool in_unicode) { ShowAMatch(searchp, in_unicode); }

 private:
  // Stops adding once more than max_To_Show lines are held.
  bool Room() const { return static_cast<Int64>(StringList.size()) <= max_To_Show; }
};

struct TSlots {
  std::array<std::unique_ptr<TLemmaList>, kSlots> lemma;
  std::array<std::unique_ptr<TMatchList>, kSlots> match;
  std::array<std::unique_ptr<TStopList>, kSlots> stop;
  std::array<std::unique_ptr<TMatchList>, kSlots> relation;
  TShowClass show;

  TSlots() {
    for (int i = 0; i < kSlots; ++i) {
      lemma[i] = std::make_unique<TLemmaList>(cs_anyhow);
      match[i] = std::make_unique<TMatchList>(cs_anyhow);
      stop[i] = std::make_unique<TStopList>(cs_anyhow);
      relation[i] = std::make_unique<TMatchList>(cs_anyhow);
      PointAtCollector(i);
    }
  }
  // Declared after the lists, so destroyed before them: lists first.
  ~TSlots() = default;

  // Makes the collector the visitor of one list (of all four when kind < 0).
  void PointAtCollector(int i, int kind = -1) {
    if (kind < 0 || kind == as_lemma)
      lemma[i]->ShowProc = [this](TLemmaEntryRec& t, TCaseSensitivity, Boolean u, Boolean, Integer, Integer) {
        show.ShowALemma(t, u);
      };
    auto match_line = [this](void* p, TCaseSensitivity, Boolean u, Boolean, Integer, Integer) {
      show.ShowAMatch(p, u);
    };
    if (kind < 0 || kind == as_match) match[i]->ShowProc = match_line;
    if (kind < 0 || kind == as_stop) stop[i]->ShowProc = match_line;
    if (kind < 0 || kind == as_relation)
      relation[i]->ShowProc = [this](void* p, TCaseSensitivity, Boolean u, Boolean, Integer, Integer) {
        show.ShowARelation(p, u);
      };
  }

  TReadFileTree* List(int slot, int kind) {
    switch (kind) {
      case as_lemma: return lemma[slot].get();
      case as_match: return match[slot].get();
      case as_stop: return stop[slot].get();
      case as_relation: return relation[slot].get();
      default: return nullptr;
    }
  }
};

// Created at the first call (after every global of the library is set up)
// and destroyed when the library is unloaded.
TSlots& Slots() {
  static TSlots slots;
  return slots;
}

bool ValidSlot(int slot) { return slot >= 0 && slot < kSlots; }
bool ValidKind(int kind) { return kind >= 0 && kind < kLemmaMatchStopCount; }

// The C callbacks, with their contexts, as the lists' visitors.
THandleLemmaProc WrapLemmaProc(::THandleLemmaProc proc, void* context) {
  if (proc == nullptr) return nullptr;
  return [proc, context](TLemmaEntryRec& t, TCaseSensitivity cs, Boolean u, Boolean affixes, Integer this_one,
                         Integer out_of) {
    proc(reinterpret_cast<CVLemmaEntryRec*>(&t), cs, u ? 1 : 0, affixes ? 1 : 0, this_one, out_of, context);
  };
}

THandleMatchProc WrapMatchProc(::THandleMatchProc proc, void* context) {
  if (proc == nullptr) return nullptr;
  return [proc, context](void* p, TCaseSensitivity cs, Boolean u, Boolean affixes, Integer this_one,
                         Integer out_of) { proc(p, cs, u ? 1 : 0, affixes ? 1 : 0, this_one, out_of, context); };
}

const void* ChangeWord(int slot, const void* word, bool want_unicode) {
  if (!ValidSlot(slot) || word == nullptr) return nullptr;
  TLemmaEntryRec found{};
  const bool hit = Slots().lemma[slot]->FoundVariant(word, found) && found.headwordp != nullptr;
  const std::u16string_view head = hit ? std::u16string_view(found.headwordp) : std::u16string_view();
  if (want_unicode) return CopyToResultBufferW(head);
  return CopyToResultBufferA(WideToMultiByte(CP_ACP, head));
}

}  // namespace
}  // namespace cv

using namespace cv;

CV_EXPORT CVWordBool LoadedOne(uint8_t slot, const char16_t* file_name, uint8_t kind,
                               ::TAnnounceNumberAndMessageProc set_n_lines, void* set_n_lines_context,
                               ::TShowSomeProgressProc progress, void* progress_context, uint32_t lcid,
                               uint8_t case_sensitivity, CVBoolean allow_strings_with_commas) {
  try {
    if (!ValidSlot(slot) || !ValidKind(kind) || file_name == nullptr || case_sensitivity > cs_sensitive)
      return kFalse;
    cv::TAnnounceNumberAndMessageProc lines_proc;
    if (set_n_lines != nullptr)
      lines_proc = [set_n_lines, set_n_lines_context](Integer n, const hundredwidechar& mess) {
        set_n_lines(n, mess, set_n_lines_context);
      };
    cv::TShowSomeProgressProc progress_proc;
    if (progress != nullptr)
      progress_proc = [progress, progress_context](Integer n) { progress(n, progress_context); };
    const auto cs = static_cast<TCaseSensitivity>(case_sensitivity);
    const string name(file_name);
    TSlots& slots = Slots();
    TReadFileTree* list = slots.List(slot, kind);
    if (kind == as_lemma) {
      TLemmaList& lemmas = *slots.lemma[slot];
      lemmas.Clear();
      const bool ok = lemmas.LoadFromFile(lines_proc, progress_proc, lcid, cs, name) && lemmas.This_list_has_data;
      if (ok) lemmas.TellTotalLines(lemmas.lemma_pair_entries);
      return ok ? kTrue : kFalse;
    }
    if (kind == as_match) list->allow_strings_with_commas = allow_strings_with_commas != 0;
    const bool ok = list->LoadFromFile(lines_proc, progress_proc, lcid, cs, name) && list->This_list_has_data;
    return ok ? kTrue : kFalse;
  } catch (...) {
    return kFalse;
  }
}

CV_EXPORT CVWordBool ClearOne(uint8_t slot, uint8_t kind) {
  try {
    if (!ValidSlot(slot)) return kFalse;
    if (TReadFileTree* list = Slots().List(slot, kind)) list->Clear();
    return kTrue;
  } catch (...) {
    return kFalse;
  }
}

CV_EXPORT void CancelOne(uint8_t slot, uint8_t kind) {
  try {
    if (!ValidSlot(slot)) return;
    if (TReadFileTree* list = Slots().List(slot, kind)) list->cancelled = true;
  } catch (...) {
  }
}

CV_EXPORT const void* FoundInTheList(uint8_t slot, const void* word, CVBoolean word_in_unicode, uint8_t kind) {
  try {
    if (!ValidSlot(slot) || !ValidKind(kind) || word == nullptr) return nullptr;
    TSlots& slots = Slots();
    TReadFileTree* list = slots.List(slot, kind);
    const void* probe = list->CopyOfPointer(word, word_in_unicode != 0);
    if (kind == as_lemma) {
      TLemmaEntryRec found{};
      if (!slots.lemma[slot]->FoundVariant(probe, found)) return nullptr;
      return found.headwordp;
    }
    return static_cast<TMatchList*>(list)->FoundItem(probe);
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT const void* WordlistChangeWord(uint8_t slot, const void* word, uint32_t /*lcid*/,
                                         CVBoolean want_unicode) {
  try {
    return ChangeWord(slot, word, want_unicode != 0);
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT const void* KwicChangeWord(const void* word, uint32_t /*lcid*/, CVBoolean want_unicode) {
  try {
    return ChangeWord(tt_kwic_slot, word, want_unicode != 0);
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT const void* KeyWordsChangeWord(const void* word, uint32_t /*lcid*/, CVBoolean want_unicode) {
  try {
    return ChangeWord(tt_keywords_slot, word, want_unicode != 0);
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT PWideChar LemmaVariantsOf(uint8_t slot, const char16_t* headword, const char16_t* separator) {
  try {
    if (!ValidSlot(slot)) return nullptr;
    return const_cast<PWideChar>(Slots().lemma[slot]->LemmaVariantsOf(headword, separator));
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT PWideChar LemmaHeadWords(uint8_t slot, int32_t index) {
  try {
    if (!ValidSlot(slot)) return nullptr;
    return const_cast<PWideChar>(Slots().lemma[slot]->HeadWordAt(index));
  } catch (...) {
    return nullptr;
  }
}

CV_EXPORT int32_t LemmaHeadWordsCount(int32_t slot) {
  try {
    const int s = slot & 0xFF;
    return ValidSlot(s) ? Slots().lemma[s]->HeadWordCount() : 0;
  } catch (...) {
    return 0;
  }
}

CV_EXPORT int32_t LemmaPairEntriesAltogether(int32_t slot) {
  try {
    const int s = slot & 0xFF;
    return ValidSlot(s) ? Slots().lemma[s]->lemma_pair_entries : 0;
  } catch (...) {
    return 0;
  }
}

CV_EXPORT int32_t MatchListWordsCount(int32_t slot) {
  try {
    const int s = slot & 0xFF;
    return ValidSlot(s) ? Slots().match[s]->lines : 0;
  } catch (...) {
    return 0;
  }
}

CV_EXPORT int32_t StopListWordsCount(int32_t slot) {
  try {
    const int s = slot & 0xFF;
    return ValidSlot(s) ? Slots().stop[s]->lines : 0;
  } catch (...) {
    return 0;
  }
}

CV_EXPORT void TraverseLemmasDoing(uint8_t slot, ::THandleLemmaProc proc, void* context) {
  try {
    if (!ValidSlot(slot)) return;
    TLemmaList& list = *Slots().lemma[slot];
    if (list.Walking()) return;
    list.ShowProc = WrapLemmaProc(proc, context);
    list.Traverse();
  } catch (...) {
  }
}

namespace {

void TraverseMatchList(cv::TMatchList& list, ::THandleMatchProc proc, void* context) {
  if (list.Walking()) return;
  list.ShowProc = WrapMatchProc(proc, context);
  list.Traverse();
}

}  // namespace

CV_EXPORT void TraverseMatchesDoing(uint8_t slot, ::THandleMatchProc proc, void* context) {
  try {
    if (ValidSlot(slot)) TraverseMatchList(*Slots().match[slot], proc, context);
  } catch (...) {
  }
}

CV_EXPORT void TraverseRelationsDoing(uint8_t slot, ::THandleMatchProc proc, void* context) {
  try {
    if (ValidSlot(slot)) TraverseMatchList(*Slots().relation[slot], proc, context);
  } catch (...) {
  }
}

CV_EXPORT void TraverseStopsDoing(uint8_t slot, ::THandleStopProc proc, void* context) {
  try {
    if (!ValidSlot(slot)) return;
    TStopList& list = *Slots().stop[slot];
    if (list.Walking()) return;
    list.HandleStopProc = WrapMatchProc(proc, context);
    TraverseMatchList(list, proc, context);
  } catch (...) {
  }
}

CV_EXPORT int32_t TraversedOne(uint8_t slot, int32_t max_lines, uint8_t kind) {
  try {
    if (!ValidSlot(slot) || !ValidKind(kind)) return 0;
    TSlots& slots = Slots();
    TReadFileTree* list = slots.List(slot, kind);
    if (list->Walking()) return 0;
    slots.show.StringList.clear();
    slots.show.max_To_Show = max_lines;
    slots.PointAtCollector(slot, kind);
    list->Traverse();
    return static_cast<int32_t>(slots.show.StringList.size());
  } catch (...) {
    return 0;
  }
}

CV_EXPORT const void* GetAString(int32_t index, CVBoolean want_unicode, uint32_t /*lcid*/) {
  try {
    const std::vector<string>& lines = Slots().show.StringList;
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size()) return nullptr;
    const string& line = lines[static_cast<std::size_t>(index)];
    if (want_unicode != 0) return CopyToResultBufferW(line);
    return CopyToResultBufferA(WideToMultiByte(CP_ACP, line));
  } catch (...) {
    return nullptr;
  }
}

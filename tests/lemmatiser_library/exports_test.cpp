// The lemmatiser library as a tool uses it: loaded with dlopen, every export
// found by name, driven through load, change, walk, clear and unload.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "lemmatiser_library/lemmatiser.h"
#include "unicode/ucol.h"
#include "unicode/uversion.h"

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

std::string LibraryPath() { return Env("CV_BUILD_DIR") + "/lib/libCV7CorvaneLemmatiser.so"; }

std::set<std::string> ExpectedNames() {
  std::ifstream in(Env("CV_SOURCE_DIR") + "/tests/lemmatiser_library/fixtures/lemmatiser_exports.txt");
  std::set<std::string> names;
  for (std::string n; in >> n;) names.insert(n);
  return names;
}

std::string Utf16LE(std::u16string_view s) {
  std::string out("\xFF\xFE", 2);
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::u16string WriteFile(const std::string& name, const std::string& bytes) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return std::u16string(path.begin(), path.end());  // ASCII temp paths
}

std::u16string W(const void* p) { return p == nullptr ? u"<null>" : std::u16string(static_cast<const char16_t*>(p)); }
std::string A(const void* p) { return p == nullptr ? "<null>" : std::string(static_cast<const char*>(p)); }

// The exports, bound by name as a tool binds them.
struct Lemmatiser {
  void* handle = nullptr;
#define CV_LEMMA_EXPORT(name) decltype(&::name) name = nullptr;
  CV_LEMMA_EXPORT(LoadedOne)
  CV_LEMMA_EXPORT(ClearOne)
  CV_LEMMA_EXPORT(CancelOne)
  CV_LEMMA_EXPORT(FoundInTheList)
  CV_LEMMA_EXPORT(WordlistChangeWord)
  CV_LEMMA_EXPORT(KwicChangeWord)
  CV_LEMMA_EXPORT(KeyWordsChangeWord)
  CV_LEMMA_EXPORT(LemmaVariantsOf)
  CV_LEMMA_EXPORT(LemmaHeadWords)
  CV_LEMMA_EXPORT(LemmaHeadWordsCount)
  CV_LEMMA_EXPORT(LemmaPairEntriesAltogether)
  CV_LEMMA_EXPORT(MatchListWordsCount)
  CV_LEMMA_EXPORT(StopListWordsCount)
  CV_LEMMA_EXPORT(TraverseLemmasDoing)
  CV_LEMMA_EXPORT(TraverseMatchesDoing)
  CV_LEMMA_EXPORT(TraverseRelationsDoing)
  CV_LEMMA_EXPORT(TraverseStopsDoing)
  CV_LEMMA_EXPORT(TraversedOne)
  CV_LEMMA_EXPORT(GetAString)
#undef CV_LEMMA_EXPORT

  bool Bind() {
    handle = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;
    bool all = true;
    auto bind = [&](auto& fn, const char* name) {
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
      all = all && fn != nullptr;
    };
#define CV_LEMMA_BIND(name) bind(name, #name);
    CV_LEMMA_BIND(LoadedOne) CV_LEMMA_BIND(ClearOne) CV_LEMMA_BIND(CancelOne) CV_LEMMA_BIND(FoundInTheList)
    CV_LEMMA_BIND(WordlistChangeWord) CV_LEMMA_BIND(KwicChangeWord) CV_LEMMA_BIND(KeyWordsChangeWord)
    CV_LEMMA_BIND(LemmaVariantsOf) CV_LEMMA_BIND(LemmaHeadWords) CV_LEMMA_BIND(LemmaHeadWordsCount)
    CV_LEMMA_BIND(LemmaPairEntriesAltogether) CV_LEMMA_BIND(MatchListWordsCount) CV_LEMMA_BIND(StopListWordsCount)
    CV_LEMMA_BIND(TraverseLemmasDoing) CV_LEMMA_BIND(TraverseMatchesDoing) CV_LEMMA_BIND(TraverseRelationsDoing)
    CV_LEMMA_BIND(TraverseStopsDoing) CV_LEMMA_BIND(TraversedOne) CV_LEMMA_BIND(GetAString)
#undef CV_LEMMA_BIND
    return all;
  }
  ~Lemmatiser() {
    if (handle != nullptr) dlclose(handle);
  }
};

constexpr uint8_t kLemma = 0, kMatch = 1, kStop = 2, kRelation = 3;
constexpr uint32_t kEnglish = 0x0409;

// The library's ICU is the process's, as it is in a tool, where the runtime
// packs load it too.  Holding it here keeps ICU's own caches alive when the
// library is unloaded; a last unload of ICU itself would strand them.
const bool icu_held = [] {
  UVersionInfo v;
  u_getVersion(v);
  return v[0] != 0 && ucol_countAvailable() > 0;
}();

TEST(LemmatiserExports, EveryNameResolvesAndNothingElseIsExported) {
  EXPECT_TRUE(icu_held);
  const std::set<std::string> expected = ExpectedNames();
  ASSERT_EQ(expected.size(), 19u);
  void* h = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(h, nullptr) << dlerror();
  for (const auto& n : expected) EXPECT_NE(dlsym(h, n.c_str()), nullptr) << n;
  dlclose(h);

  // Every defined dynamic symbol is a listed export.  Names beginning with
  // "__" belong to the compiler's and sanitizers' runtimes, which a toolchain
  // may place in any shared object; none is ours, so they are left out.
  FILE* p = popen(("nm -D --defined-only " + LibraryPath()).c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::set<std::string> defined;
  char line[512];
  while (std::fgets(line, sizeof line, p) != nullptr) {
    char addr[64], type[8], name[400];
    if (std::sscanf(line, "%63s %7s %399s", addr, type, name) == 3 && std::string(name).rfind("__", 0) != 0)
      defined.insert(name);
  }
  ASSERT_EQ(pclose(p), 0);
  EXPECT_EQ(defined, expected);
}

struct Heard {
  std::vector<std::pair<int32_t, std::u16string>> lines;
  std::vector<int32_t> progress;
};

void OnLines(int32_t n, const char16_t* mess, void* context) {
  static_cast<Heard*>(context)->lines.emplace_back(n, mess);
}
void OnProgress(int32_t n, void* context) { static_cast<Heard*>(context)->progress.push_back(n); }

struct LemmaSeen {
  std::u16string variant, head;
  int32_t this_one, out_of;
  bool affixes, unicode;
};

void OnLemma(CVLemmaEntryRec* t, uint8_t, CVBoolean in_unicode, CVBoolean affixes, int32_t this_one, int32_t out_of,
             void* context) {
  static_cast<std::vector<LemmaSeen>*>(context)->push_back(
      {W(t->variantp), W(t->headwordp), this_one, out_of, affixes != 0, in_unicode != 0});
}

void OnMatch(void* searchp, uint8_t, CVBoolean in_unicode, CVBoolean, int32_t, int32_t, void* context) {
  auto* seen = static_cast<std::vector<std::string>*>(context);
  seen->push_back(in_unicode ? std::string("<wide>") : A(searchp));
}

TEST(LemmatiserExports, TypicalToolSequence) {
  Lemmatiser lib;
  ASSERT_TRUE(lib.Bind()) << dlerror();

  // Load a lemma list into the word list tool's slot.
  Heard heard;
  const std::u16string lemmas = WriteFile("exports_lemmas.txt", Utf16LE(u"go -> goes, went\r\ndo -> <un>do"));
  ASSERT_EQ(lib.LoadedOne(0, lemmas.c_str(), kLemma, OnLines, &heard, OnProgress, &heard, kEnglish, 0, 0), -1);
  EXPECT_EQ(heard.lines, (std::vector<std::pair<int32_t, std::u16string>>{{2, u"lemmas"}, {3, u"lemmas"}, {3, u"lemmas"}}));
  EXPECT_TRUE(heard.progress.empty()) << "no line ended with a multiple of 256 items accepted";
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(0), 3);
  EXPECT_EQ(lib.LemmaHeadWordsCount(0), 2);
  EXPECT_EQ(lib.LemmaHeadWordsCount(0x100), 2) << "only the low byte names the slot";

  // Change words to their head words.
  EXPECT_EQ(W(lib.WordlistChangeWord(0, u"WENT", 0, 1)), u"GO");
  EXPECT_EQ(W(lib.WordlistChangeWord(0, u"went", 0, 1)), u"") << "lookups never fold case";
  EXPECT_EQ(W(lib.WordlistChangeWord(0, u"M_8z", 0, 1)), u"") << "a seed has no head word";
  EXPECT_EQ(A(lib.WordlistChangeWord(0, u"GOES", 0, 0)), "GO");
  EXPECT_EQ(lib.WordlistChangeWord(0, nullptr, 0, 1), nullptr);
  EXPECT_EQ(W(lib.FoundInTheList(0, u"GOES", 1, kLemma)), u"GO");
  EXPECT_EQ(W(lib.FoundInTheList(0, "GOES", 0, kLemma)), u"GO") << "an 8-bit probe is converted";
  EXPECT_EQ(lib.FoundInTheList(0, u"GO", 1, kLemma), nullptr);
  EXPECT_EQ(lib.FoundInTheList(0, u"GOES", 1, 4), nullptr);
  EXPECT_EQ(W(lib.KwicChangeWord(u"WENT", 0, 1)), u"") << "the concordancer has its own slot";
  ASSERT_EQ(lib.LoadedOne(1, lemmas.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(W(lib.KwicChangeWord(u"WENT", 0, 1)), u"GO");
  EXPECT_EQ(W(lib.KeyWordsChangeWord(u"WENT", 0, 1)), u"");
  EXPECT_EQ(W(lib.LemmaVariantsOf(0, u"go", u", ")), u"GOES, WENT");
  // A result handed straight back as an argument is read before it is overwritten.
  const auto* head = static_cast<const char16_t*>(lib.WordlistChangeWord(0, u"WENT", 0, 1));
  EXPECT_EQ(W(lib.LemmaVariantsOf(0, head, u"+")), u"GOES+WENT");
  EXPECT_EQ(W(lib.LemmaHeadWords(0, 0)), u"DO");
  EXPECT_EQ(W(lib.LemmaHeadWords(0, 1)), u"GO");
  EXPECT_EQ(lib.LemmaHeadWords(0, 2), nullptr);
  EXPECT_EQ(lib.LemmaHeadWords(0, -1), nullptr);

  // Walk with a callback; positions count the 19 seeds.
  std::vector<LemmaSeen> seen;
  lib.TraverseLemmasDoing(0, OnLemma, &seen);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].variant, u"<UN>DO");
  EXPECT_EQ(seen[0].head, u"DO");
  EXPECT_TRUE(seen[0].affixes);
  EXPECT_EQ(seen[1].variant, u"GOES");
  EXPECT_FALSE(seen[1].affixes);
  EXPECT_EQ(seen[2].variant, u"WENT");
  for (const LemmaSeen& s : seen) {
    EXPECT_EQ(s.out_of, 22);
    EXPECT_TRUE(s.this_one >= 1 && s.this_one <= 22);
    EXPECT_TRUE(s.unicode);
  }
  EXPECT_LT(seen[0].this_one, seen[1].this_one);

  // Display lines.
  EXPECT_EQ(lib.TraversedOne(0, 0, kLemma), 1);
  EXPECT_EQ(W(lib.GetAString(0, 1, 0)), u"<UN>DO (DO)");
  EXPECT_EQ(A(lib.GetAString(0, 0, 0)), "<UN>DO (DO)");
  EXPECT_EQ(lib.GetAString(1, 1, 0), nullptr);
  EXPECT_EQ(lib.GetAString(-1, 1, 0), nullptr);
  EXPECT_EQ(lib.TraversedOne(0, 100, kLemma), 3);
  EXPECT_EQ(W(lib.GetAString(2, 1, 0)), u"WENT (GO)");
  EXPECT_EQ(lib.TraversedOne(0, 100, 9), 0);

  // Clear, then unload (the Lemmatiser's destructor).
  EXPECT_EQ(lib.ClearOne(0, 7), -1);
  EXPECT_EQ(W(lib.WordlistChangeWord(0, u"WENT", 0, 1)), u"GO") << "kind 7 clears nothing";
  EXPECT_EQ(lib.ClearOne(0, kLemma), -1);
  EXPECT_EQ(W(lib.WordlistChangeWord(0, u"WENT", 0, 1)), u"");
  EXPECT_EQ(lib.LemmaHeadWordsCount(0), 0);
}

TEST(LemmatiserExports, MatchStopAndRelationLists) {
  Lemmatiser lib;
  ASSERT_TRUE(lib.Bind()) << dlerror();
  const std::u16string aba = WriteFile("exports_aba.txt", "a, b, a");
  const std::u16string five = WriteFile("exports_five.txt", "v\nw\nx\ny\nz\n");
  const std::u16string commas = WriteFile("exports_commas.txt", "New York, NY");
  Heard heard;
  ASSERT_EQ(lib.LoadedOne(3, aba.c_str(), kMatch, OnLines, &heard, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(heard.lines.back(), (std::pair<int32_t, std::u16string>{3, u"match list"}));
  EXPECT_EQ(lib.MatchListWordsCount(3), 3);
  std::vector<std::string> seen;
  lib.TraverseMatchesDoing(3, OnMatch, &seen);
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(A(lib.FoundInTheList(3, "B", 0, kMatch)), "B");
  EXPECT_EQ(A(lib.FoundInTheList(3, u"B", 1, kMatch)), "B");

  ASSERT_EQ(lib.LoadedOne(3, commas.c_str(), kMatch, nullptr, nullptr, nullptr, nullptr, kEnglish, 1, 1), -1);
  EXPECT_EQ(A(lib.FoundInTheList(3, "New York, NY", 0, kMatch)), "New York, NY");

  ASSERT_EQ(lib.LoadedOne(3, five.c_str(), kStop, OnLines, &heard, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(heard.lines.back().second, u"stop list");
  EXPECT_EQ(lib.StopListWordsCount(3), 5);
  EXPECT_EQ(lib.TraversedOne(3, 2, kStop), 3) << "at most max + 1 lines";
  seen.clear();
  lib.TraverseStopsDoing(3, OnMatch, &seen);
  EXPECT_EQ(seen.size(), 5u);

  ASSERT_EQ(lib.LoadedOne(3, aba.c_str(), kRelation, OnLines, &heard, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(heard.lines.back().second, u"match list");
  seen.clear();
  lib.TraverseRelationsDoing(3, OnMatch, &seen);
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));

  // A missing file: a match list keeps its contents, a lemma list is empty.
  const std::u16string missing = u"/nonexistent/lemmatiser/list.txt";
  EXPECT_EQ(lib.LoadedOne(3, missing.c_str(), kStop, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
  EXPECT_EQ(lib.StopListWordsCount(3), 5);
  const std::u16string lemmas = WriteFile("exports_lemmas2.txt", "go -> went");
  ASSERT_EQ(lib.LoadedOne(3, lemmas.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(lib.LoadedOne(3, missing.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(3), 0);

  // A file of comments only loads nothing, also after a good load.
  const std::u16string comments = WriteFile("exports_comments.txt", "; nothing\n[here]\n");
  ASSERT_EQ(lib.LoadedOne(3, lemmas.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), -1);
  EXPECT_EQ(lib.LoadedOne(3, comments.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
  EXPECT_EQ(lib.LemmaHeadWordsCount(3), 0);
  EXPECT_EQ(lib.LoadedOne(3, comments.c_str(), kStop, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
}

TEST(LemmatiserExports, BadSlotsKindsAndArgumentsGiveFailureValues) {
  Lemmatiser lib;
  ASSERT_TRUE(lib.Bind()) << dlerror();
  const std::u16string file = WriteFile("exports_bad.txt", "go -> went");
  for (uint8_t slot : {uint8_t{18}, uint8_t{200}, uint8_t{255}}) {
    SCOPED_TRACE(static_cast<int>(slot));
    EXPECT_EQ(lib.LoadedOne(slot, file.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
    EXPECT_EQ(lib.ClearOne(slot, kLemma), 0);
    lib.CancelOne(slot, kLemma);
    EXPECT_EQ(lib.FoundInTheList(slot, u"WENT", 1, kLemma), nullptr);
    EXPECT_EQ(lib.WordlistChangeWord(slot, u"WENT", 0, 1), nullptr);
    EXPECT_EQ(lib.LemmaVariantsOf(slot, u"GO", u","), nullptr);
    EXPECT_EQ(lib.LemmaHeadWords(slot, 0), nullptr);
    EXPECT_EQ(lib.LemmaHeadWordsCount(slot), 0);
    EXPECT_EQ(lib.LemmaPairEntriesAltogether(slot), 0);
    EXPECT_EQ(lib.MatchListWordsCount(slot), 0);
    EXPECT_EQ(lib.StopListWordsCount(slot), 0);
    lib.TraverseLemmasDoing(slot, OnLemma, nullptr);
    lib.TraverseMatchesDoing(slot, OnMatch, nullptr);
    lib.TraverseRelationsDoing(slot, OnMatch, nullptr);
    lib.TraverseStopsDoing(slot, OnMatch, nullptr);
    EXPECT_EQ(lib.TraversedOne(slot, 10, kLemma), 0);
  }
  EXPECT_EQ(lib.LoadedOne(4, file.c_str(), 4, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
  EXPECT_EQ(lib.LoadedOne(4, file.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 2, 0), 0)
      << "an unknown case sensitivity";
  EXPECT_EQ(lib.LoadedOne(4, nullptr, kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
  // A directory is no list file.
  const std::string dir = testing::TempDir();
  const std::u16string wdir(dir.begin(), dir.end());
  EXPECT_EQ(lib.LoadedOne(4, wdir.c_str(), kLemma, nullptr, nullptr, nullptr, nullptr, kEnglish, 0, 0), 0);
}

struct CancelContext {
  decltype(&::CancelOne) cancel;
  decltype(&::ClearOne) clear;
  int refused_clears = 0;
};

void CancelAt256(int32_t n, void* context) {
  auto* c = static_cast<CancelContext*>(context);
  if (n == 256) c->cancel(5, 0);
}

void ClearWhileWalking(CVLemmaEntryRec*, uint8_t, CVBoolean, CVBoolean, int32_t, int32_t, void* context) {
  auto* c = static_cast<CancelContext*>(context);
  if (c->clear(5, 0) == 0) ++c->refused_clears;
}

TEST(LemmatiserExports, CancelFromACallbackAndNoClearingFromInsideAWalk) {
  Lemmatiser lib;
  ASSERT_TRUE(lib.Bind()) << dlerror();
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "h -> v" + std::to_string(i) + "\n";
  const std::u16string file = WriteFile("exports_cancel.txt", text);
  CancelContext ctx{lib.CancelOne, lib.ClearOne};
  ASSERT_EQ(lib.LoadedOne(5, file.c_str(), kLemma, nullptr, nullptr, CancelAt256, &ctx, kEnglish, 0, 0), -1)
      << "a cancelled load reports what it accepted";
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(5), 257);

  lib.TraverseLemmasDoing(5, ClearWhileWalking, &ctx);
  EXPECT_EQ(ctx.refused_clears, 257);
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(5), 257);
  EXPECT_EQ(lib.ClearOne(5, kLemma), -1);
}

}  // namespace

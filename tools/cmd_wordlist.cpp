// corvane wordlist and corvane keywords.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "platform/nls.h"
#include "stats/maths_routines.h"
#include "text/word_frequency.h"
#include "tools/commands.h"
#include "tools/results_file.h"
#include "tools/libraries.h"
#include "tools/tool_support.h"

namespace cv::tool {

namespace {

constexpr char kWordlistHelp[] =
    "usage: corvane wordlist [PATHS...] [options]\n"
    "       corvane wordlist --load FILE\n"
    "\n"
    "Counts the words (runs of letters and digits, case folded) of the text\n"
    "files under PATHS (default: the current folder) and prints them by\n"
    "frequency, with the number of texts each occurs in.\n"
    "\n"
    "  -o, --save FILE      save the word list as a results file\n"
    "      --load FILE      print a saved word list again\n"
    "  -n, --top N          print the N most frequent words (default 100; 0: all)\n"
    "      --min-length N   leave out shorter words\n"
    "      --lemmas FILE    count each variant under its head word\n"
    "      --stop FILE      leave out the words of a stop list\n"
    "  -m, --mask MASKS     file-name masks (default *)\n"
    "      --no-subfolders  do not walk into subfolders\n"
    "      --tsv            print word TAB frequency TAB texts only\n";

constexpr char kKeywordsHelp[] =
    "usage: corvane keywords STUDY REFERENCE [options]\n"
    "\n"
    "Keywords of STUDY against REFERENCE.  Each is a word list saved by\n"
    "corvane wordlist, or a text file or folder (listed on the fly).  For each\n"
    "word: its frequencies, log-likelihood with its p-value, log ratio and\n"
    "%DIFF.  Words are kept when at least --min-freq in STUDY and p is at\n"
    "most --p (defaults from the keyword settings).\n"
    "\n"
    "  -n, --top N        print at most N keywords (default: settings, else 100)\n"
    "      --p P          largest p-value kept\n"
    "      --min-freq N   smallest frequency in STUDY\n"
    "      --negatives    also list negative keywords (under-used in STUDY)\n"
    "      --sort KEY     ll (default), logratio or diff\n";

struct TWordList {
  std::vector<std::string> files;
  Int64 tokens = 0;
  std::vector<TWordCount> entries;  // frequency order
};

void SortByFrequency(std::vector<TWordCount>& e) {
  // Ties in a stable, locale-free order: the folded words by code unit.  The
  // folded words go to one buffer and the sort moves small records, so
  // comparing two entries touches no strings of the list.
  std::size_t units = 0;
  for (const TWordCount& w : e) units += w.word.size();
  std::vector<char16_t> folded(units);
  struct TKey {
    Int64 freq;
    const char16_t* key;
    std::size_t len;
    std::size_t at;
  };
  std::vector<TKey> keys(e.size());
  std::size_t used = 0;
  for (std::size_t i = 0; i < e.size(); ++i) {
    const string& w = e[i].word;
    for (std::size_t k = 0; k < w.size(); ++k) folded[used + k] = FoldedUnit(w[k]);
    keys[i] = {e[i].freq, folded.data() + used, w.size(), i};
    used += w.size();
  }
  std::sort(keys.begin(), keys.end(), [](const TKey& a, const TKey& b) {
    if (a.freq != b.freq) return a.freq > b.freq;
    return std::u16string_view(a.key, a.len) < std::u16string_view(b.key, b.len);
  });
  std::vector<TWordCount> sorted;
  sorted.reserve(e.size());
  for (const TKey& k : keys) sorted.push_back(std::move(e[k.at]));
  e.swap(sorted);
}

// Decimal digits of v appended.
void AppendNumber(std::string& out, long long v) {
  char digits[24];
  const auto r = std::to_chars(digits, digits + sizeof digits, v);
  out.append(digits, r.ptr);
}


TWordList BuildList(const std::vector<std::string>& paths, const TFileChoice& choice, Integer min_len,
                const std::string& lemmas, const std::string& stops, const TCairn* cairn) {
  TWordList list;
  const auto files = ChooseTextFiles(paths, choice);
  Int64 total = 0, done = 0;
  for (const auto& f : files) total += f.size;
  TWordFrequencyCounter counter;
  TProgressBar bar(cairn);
  for (const auto& f : files) {
    list.files.push_back(f.path);
    ReadTextInPieces(
        f, std::size_t{4} << 20, 0,
        [&](std::u16string_view piece, Int64, std::size_t) {
          counter.AddText(piece.data(), piece.size(), min_len);
          bar.Update(done, total, counter.Tokens());
          return true;
        },
        [&](Int64 b) { done += b; });
    counter.NextText();
  }
  bar.Finish();
  list.entries = counter.Entries();
  list.tokens = counter.Tokens();
  if (!lemmas.empty() || !stops.empty()) {
    TLemmatiser lem(tt_wordlist);
    if (!lemmas.empty()) lem.Load(lemmas, 0);
    if (!stops.empty()) lem.Load(stops, 2);
    std::vector<TWordCount> merged;
    std::unordered_map<string, std::size_t> at;
    for (TWordCount& e : list.entries) {
      const string upper = UpperCaseLocale(e.word, GetUserDefaultLCID());
      if (lem.IsStopWord(upper)) {
        list.tokens -= e.freq;
        continue;
      }
      const string head = lem.HeadWord(upper);
      if (!head.empty()) {
        string key = head;
        for (char16_t& c : key) c = FoldedUnit(c);
        const auto it = at.find(key);
        if (it == at.end()) {
          at.emplace(key, merged.size());
          merged.push_back({head, e.freq, e.texts});
        } else {
          merged[it->second].freq += e.freq;
          // Texts of a lemma: at least those of its most spread variant.
          merged[it->second].texts = std::max(merged[it->second].texts, e.texts);
        }
        continue;
      }
      string key = e.word;
      for (char16_t& c : key) c = FoldedUnit(c);
      const auto it = at.find(key);
      if (it == at.end()) {
        at.emplace(key, merged.size());
        merged.push_back(std::move(e));
      } else {
        merged[it->second].freq += e.freq;
        merged[it->second].texts = std::max(merged[it->second].texts, e.texts);
      }
    }
    list.entries.swap(merged);
  }
  SortByFrequency(list.entries);
  return list;
}

TWordList LoadList(const std::string& file) {
  auto r = OpenResults(file, tt_wordlist, lt_word_list);
  TWordList list;
  const Integer nfiles = r->Count(4);
  for (Integer i = 0; i < nfiles; ++i) list.files.push_back(U8(r->String()));
  list.tokens = r->Int64v();
  if (list.tokens < 0) r->Damaged("a negative token count");
  const Integer n = r->Count(4 + 8 + 4);
  list.entries.resize(static_cast<std::size_t>(n));
  for (TWordCount& e : list.entries) {
    e.word = r->String();
    e.freq = r->Int64v();
    e.texts = r->Int32();
    if (e.freq < 1 || e.texts < 1 || e.texts > nfiles) r->Damaged("an entry out of range");
  }
  if (!r->AtEnd()) r->Damaged("bytes after the last entry");
  return list;
}

void SaveList(const std::string& file, const TWordList& list) {
  SaveResults(file, tt_wordlist, lt_word_list, [&](TResultsWriter& w) {
    w.Int32(static_cast<Integer>(list.files.size()));
    for (const auto& f : list.files) w.String(U16(f));
    w.Int64v(list.tokens);
    w.Int32(static_cast<Integer>(list.entries.size()));
    for (const auto& e : list.entries) {
      w.String(e.word);
      w.Int64v(e.freq);
      w.Int32(e.texts);
    }
  });
}

void PrintList(const TWordList& list, long long top, bool tsv) {
  std::string out;
  out.reserve(1 << 20);
  char line[128];
  if (!tsv) {
    std::snprintf(line, sizeof line, "Word list: %lld tokens, %zu types, %zu files\n",
                  static_cast<long long>(list.tokens), list.entries.size(), list.files.size());
    out += line;
    out += "     N  WORD                          FREQ        %   TEXTS\n";
  }
  const std::size_t n = top > 0 ? std::min<std::size_t>(static_cast<std::size_t>(top), list.entries.size())
                                : list.entries.size();
  for (std::size_t i = 0; i < n; ++i) {
    const TWordCount& e = list.entries[i];
    if (tsv) {
      AppendUtf8(out, e.word);
      out += '\t';
      AppendNumber(out, e.freq);
      out += '\t';
      AppendNumber(out, e.texts);
      out += '\n';
    } else {
      std::snprintf(line, sizeof line, "%6zu  ", i + 1);
      out += line;
      AppendUtf8(out, e.word);
      const std::size_t pad = e.word.size() < 28 ? 28 - e.word.size() : 0;
      out.append(pad, ' ');
      const double pc = list.tokens > 0 ? 100.0 * static_cast<double>(e.freq) / static_cast<double>(list.tokens) : 0;
      std::snprintf(line, sizeof line, " %9lld %8.2f %7d\n", static_cast<long long>(e.freq), pc, e.texts);
      out += line;
    }
    if (out.size() > (1 << 20)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

int WordlistCommand(const TArgList& argv) {
  const TArgs args(argv, {{"--save", "-o", true},
                          {"--load", nullptr, true},
                          {"--top", "-n", true},
                          {"--min-length", nullptr, true},
                          {"--lemmas", nullptr, true},
                          {"--stop", nullptr, true},
                          {"--mask", "-m", true},
                          {"--no-subfolders", nullptr, false},
                          {"--tsv", nullptr, false},
                          {"--help", "-h", false}});
  if (args.Has("--help")) {
    std::fputs(kWordlistHelp, stdout);
    return 0;
  }
  const long long top = args.Number("--top", 100, 0, 2147483647);
  if (args.Has("--load")) {
    PrintList(LoadList(args.Value("--load")), top, args.Has("--tsv"));
    return 0;
  }
  TCairn cairn;
  std::vector<std::string> paths = args.Positional();
  if (paths.empty()) paths.push_back(".");
  const TWordList list = BuildList(paths, FileChoiceFromArgs(args), static_cast<Integer>(args.Number("--min-length", 1, 1, 1000)),
                               args.Value("--lemmas"), args.Value("--stop"), &cairn);
  if (args.Has("--save")) SaveList(args.Value("--save"), list);
  PrintList(list, top, args.Has("--tsv"));
  return 0;
}

// ---------------------------------------------------------------------------

int KeywordsCommand(const TArgList& argv) {
  const TArgs args(argv, {{"--top", "-n", true},
                          {"--p", nullptr, true},
                          {"--min-freq", nullptr, true},
                          {"--negatives", nullptr, false},
                          {"--sort", nullptr, true},
                          {"--help", "-h", false}});
  if (args.Has("--help")) {
    std::fputs(kKeywordsHelp, stdout);
    return 0;
  }
  if (args.Positional().size() != 2) throw UsageError("keywords needs STUDY and REFERENCE (see --help)");
  TCairn cairn;
  const TKeywordChoices ks = cairn.KeywordsSettings();
  double max_p = ks.max_p > 0 ? ks.max_p : 0.000001;
  if (args.Has("--p")) {
    char* end = nullptr;
    const std::string v = args.Value("--p");
    max_p = std::strtod(v.c_str(), &end);
    if (v.empty() || *end || !(max_p > 0 && max_p <= 1)) throw UsageError("--p wants a value above 0, at most 1");
  }
  const Int64 min_freq = args.Number("--min-freq", ks.min_freq > 0 ? ks.min_freq : 3, 1, 2147483647);
  const long long top = args.Number("--top", ks.max_wanted > 0 ? ks.max_wanted : 100, 0, 2147483647);
  const std::string sort_key = args.Value("--sort", "ll");
  if (sort_key != "ll" && sort_key != "logratio" && sort_key != "diff")
    throw UsageError("--sort takes ll, logratio or diff");

  auto get = [&](const std::string& p) {
    if (IsResultsFile(p, tt_wordlist, lt_word_list)) return LoadList(p);
    return BuildList({p}, TFileChoice{}, 1, "", "", &cairn);
  };
  const TWordList study = get(args.Positional()[0]);
  const TWordList ref = get(args.Positional()[1]);
  if (study.tokens == 0 || ref.tokens == 0) throw TToolError("a word list without words has no keywords");
  std::unordered_map<string, Int64> ref_freq;
  for (const auto& e : ref.entries) {
    string k = e.word;
    for (char16_t& c : k) c = FoldedUnit(c);
    ref_freq[k] += e.freq;
  }
  struct TKey {
    const TWordCount* e;
    Int64 f2;
    double ll, p, log_ratio, diff;
    bool diff_infinite;
  };
  std::vector<TKey> keys;
  const double n1 = static_cast<double>(study.tokens), n2 = static_cast<double>(ref.tokens);
  for (const auto& e : study.entries) {
    if (e.freq < min_freq) continue;
    string k = e.word;
    for (char16_t& c : k) c = FoldedUnit(c);
    const auto it = ref_freq.find(k);
    const Int64 f2 = it == ref_freq.end() ? 0 : it->second;
    const double o1 = static_cast<double>(e.freq), o2 = static_cast<double>(f2);
    double ll = Log_Likelihood_Lancaster(o1, o2, n1, n2);
    const bool negative = o1 / n1 < o2 / n2;
    if (negative) ll = -ll;
    if (negative && !args.Has("--negatives")) continue;
    const double p = Norberto(static_cast<Single>(std::fabs(ll)));
    if (p > max_p) continue;
    TKey key{&e, f2, ll, p, Log_Ratio(o1, o2, n1, n2), 0, false};
    try {
      key.diff = PercentDiff({static_cast<Integer>(std::min<Int64>(e.freq, 0x7FFFFFFF)),
                              static_cast<Integer>(std::min<Int64>(f2, 0x7FFFFFFF))},
                             {static_cast<Integer>(std::min<Int64>(study.tokens, 0x7FFFFFFF)),
                              static_cast<Integer>(std::min<Int64>(ref.tokens, 0x7FFFFFFF))});
    } catch (const std::exception&) {
      key.diff_infinite = true;
    }
    keys.push_back(key);
  }
  std::stable_sort(keys.begin(), keys.end(), [&](const TKey& a, const TKey& b) {
    if (sort_key == "logratio") return a.log_ratio > b.log_ratio;
    if (sort_key == "diff") {
      if (a.diff_infinite != b.diff_infinite) return a.diff_infinite;
      return a.diff > b.diff;
    }
    return a.ll > b.ll;
  });
  std::string out;
  char line[200];
  std::snprintf(line, sizeof line, "Keywords: %lld tokens in the study, %lld in the reference; p <= %g, freq >= %lld\n",
                static_cast<long long>(study.tokens), static_cast<long long>(ref.tokens), max_p,
                static_cast<long long>(min_freq));
  out += line;
  out += "     N  WORD                        FREQ   RC.FREQ        LL          p  LOGRATIO     %DIFF\n";
  const std::size_t n = top > 0 ? std::min<std::size_t>(static_cast<std::size_t>(top), keys.size()) : keys.size();
  for (std::size_t i = 0; i < n; ++i) {
    const TKey& k = keys[i];
    std::snprintf(line, sizeof line, "%6zu  ", i + 1);
    out += line;
    AppendUtf8(out, k.e->word);
    out.append(k.e->word.size() < 24 ? 24 - k.e->word.size() : 0, ' ');
    char diff[32];
    if (k.diff_infinite)
      std::snprintf(diff, sizeof diff, "%9s", "inf");
    else
      std::snprintf(diff, sizeof diff, "%9.1f", k.diff);
    std::snprintf(line, sizeof line, " %7lld %9lld %9.2f %10.3g %9.2f %s\n", static_cast<long long>(k.e->freq),
                  static_cast<long long>(k.f2), k.ll, k.p, k.log_ratio, diff);
    out += line;
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace cv::tool

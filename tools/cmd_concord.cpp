// corvane concord: the typical run of a concordance tool.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/nls.h"
#include "search/search_engines.h"
#include "search/search_items.h"
#include "search/search_parsing.h"
#include "text/word_frequency.h"
#include "tools/commands.h"
#include "tools/results_file.h"
#include "tools/libraries.h"
#include "tools/tool_support.h"

namespace cv::tool {

namespace {

constexpr char kHelp[] =
    "usage: corvane concord WORDS [PATHS...] [options]\n"
    "       corvane concord --load FILE\n"
    "\n"
    "Finds WORDS in the text files under PATHS (default: the current folder)\n"
    "and prints one key-word-in-context line per hit.  WORDS is typed as in\n"
    "the suite: several words separated by \"/\", \"*\" for any letters,\n"
    "\"==Word==\" for case-sensitive, \"~word\" for a word to avoid.\n"
    "\n"
    "  -o, --save FILE        save the concordance as a results file\n"
    "      --load FILE        print a saved concordance again\n"
    "  -w, --width N          characters of context on each side (default 40)\n"
    "  -m, --mask MASKS       file-name masks, e.g. \"*.txt;*.htm*\" (default *)\n"
    "      --no-subfolders    do not walk into subfolders\n"
    "      --no-zip           read zip archives as plain files (not their members)\n"
    "  -c, --context WORDS    keep hits with one of WORDS within the context horizons\n"
    "  -x, --exclude WORDS    drop hits whose word is one of WORDS\n"
    "      --horizon N        words to each side for --context (default: settings)\n"
    "      --lemmas FILE      also find the variants of each word in a lemma list\n"
    "      --no-middles       do not join apostrophes and hyphens into words\n"
    "      --max N            at most N hits per search word\n"
    "  -q, --count            print only the number of hits\n"
    "      --colour / --no-colour   highlight hits (default: on a terminal)\n"
    "\n"
    "Settings come from the shared settings record (see corvane settings).\n";

struct THit {
  Integer file;
  Int64 pos;
  string left, word, right;
};

class TPrinter {
 public:
  TPrinter(Integer width, bool colour, bool count_only) : width_(width), colour_(colour), count_only_(count_only) {
    out_.reserve(1 << 20);
  }
  ~TPrinter() { Flush(); }
  void Line(const std::string& s) {
    out_ += s;
    out_ += '\n';
    if (out_.size() > (1 << 20)) Flush();
  }
  void Hit(const THit& h, const std::string& file) {
    ++hits_;
    if (count_only_) return;
    const std::size_t pad = h.left.size() < static_cast<std::size_t>(width_) ? width_ - h.left.size() : 0;
    out_.append(pad, ' ');
    AppendUtf8(out_, h.left);
    out_ += colour_ ? " \x1b[1;31m" : " ";
    AppendUtf8(out_, h.word);
    out_ += colour_ ? "\x1b[0m " : " ";
    AppendUtf8(out_, h.right);
    const std::size_t rpad = h.right.size() < static_cast<std::size_t>(width_) ? width_ - h.right.size() : 0;
    out_.append(rpad + 2, ' ');
    out_ += file;
    out_ += '\n';
    if (out_.size() > (1 << 20)) Flush();
  }
  void Flush() {
    if (!out_.empty()) std::fwrite(out_.data(), 1, out_.size(), stdout);
    out_.clear();
    std::fflush(stdout);
  }
  Int64 Hits() const { return hits_; }

 private:
  Integer width_;
  bool colour_;
  bool count_only_;
  std::string out_;
  Int64 hits_ = 0;
};

std::string BaseName(const std::string& p) {
  const auto s = p.find_last_of('/');
  return s == std::string::npos ? p : p.substr(s + 1);
}

void Header(TPrinter& p, const string& search, Integer files) {
  p.Line("Concordance of \"" + U8(search) + "\" in " + std::to_string(files) + (files == 1 ? " file" : " files"));
}

void Footer(TPrinter& p, Int64 hits, Integer files) {
  p.Line(std::to_string(hits) + (hits == 1 ? " hit" : " hits") + " in " + std::to_string(files) +
         (files == 1 ? " file" : " files"));
}

// Context text for one line: controls and line ends become spaces.
string Clean(std::u16string_view s) {
  string out(s);
  for (char16_t& c : out)
    if (c < 0x20 || c == 0x2028 || c == 0x2029 || c == 0x85) c = u' ';
  return out;
}

int LoadAndPrint(const std::string& file, const TArgs& args) {
  auto r = OpenResults(file, tt_kwic, lt_concordance_list);
  const string search = r->String();
  const Integer nfiles = r->Count(4);
  std::vector<std::string> files(static_cast<std::size_t>(nfiles));
  for (auto& f : files) f = U8(r->String());
  const Integer n = r->Count(4 + 8 + 12);
  // Everything is checked before anything is printed: a damaged file prints
  // nothing but the error.
  std::vector<THit> hits(static_cast<std::size_t>(n));
  for (THit& h : hits) {
    h.file = r->Int32();
    if (h.file < 0 || h.file >= nfiles) r->Damaged("a file number of " + std::to_string(h.file));
    h.pos = r->Int64v();
    h.left = r->String();
    h.word = r->String();
    h.right = r->String();
  }
  if (!r->AtEnd()) r->Damaged("bytes after the last hit");
  const Integer width = static_cast<Integer>(args.Number("--width", 40, 1, 1000));
  const bool colour = args.Has("--colour") || (!args.Has("--no-colour") && ::isatty(1) == 1);
  TPrinter p(width, colour, args.Has("--count"));
  Header(p, search, nfiles);
  for (const THit& h : hits) p.Hit(h, BaseName(files[static_cast<std::size_t>(h.file)]));
  if (args.Has("--count")) p.Line(std::to_string(p.Hits()));
  Footer(p, p.Hits(), nfiles);
  return 0;
}

// Parsed search words of one kind; UsageError for a word that cannot be
// searched.
std::vector<TSearch_word_format_rec> ParseWords(const string& typed, LCID lcid, const char* what) {
  std::vector<TSearch_word_format_rec> out;
  if (typed.empty()) return out;
  TSearchWordItems items(TIgnore_tag_type{}, lcid, true);
  const auto idx = items.AddedSearchWords(typed);
  for (auto it = idx.rbegin(); it != idx.rend(); ++it) {
    const TSearch_word_format_rec* r = items.GetPtr(*it);
    if (!r) continue;
    bool has_text = false;
    for (char16_t c : r->search_text)
      if (IsWordUnit(c) || c == kCodeNumber || c == kCodeLetter || c == kCodeOneChar) has_text = true;
    if (!has_text)
      throw UsageError(std::string("bad ") + what + " \"" + U8(r->typed_in_text) +
                       "\": it must hold at least one letter, digit, ?, ^ or #");
    out.push_back(*r);
  }
  if (out.empty()) throw UsageError(std::string("no ") + what + " in \"" + U8(typed) + "\"");
  return out;
}

}  // namespace

int ConcordCommand(const TArgList& argv) {
  const TArgs args(argv, {{"--save", "-o", true},
                          {"--load", nullptr, true},
                          {"--width", "-w", true},
                          {"--mask", "-m", true},
                          {"--no-subfolders", nullptr, false},
                          {"--no-zip", nullptr, false},
                          {"--context", "-c", true},
                          {"--exclude", "-x", true},
                          {"--horizon", nullptr, true},
                          {"--lemmas", nullptr, true},
                          {"--no-middles", nullptr, false},
                          {"--max", nullptr, true},
                          {"--count", "-q", false},
                          {"--colour", nullptr, false},
                          {"--no-colour", nullptr, false},
                          {"--help", "-h", false}});
  if (args.Has("--help")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (args.Has("--load")) return LoadAndPrint(args.Value("--load"), args);
  if (args.Positional().empty()) throw UsageError("concord needs the words to find (see corvane concord --help)");

  TCairn cairn;
  const TConcChoices conc = cairn.ConcSettings();
  const LCID lcid = GetUserDefaultLCID();
  const Integer width = static_cast<Integer>(args.Number("--width", 40, 1, 1000));
  const Integer horizon = static_cast<Integer>(
      args.Number("--horizon", std::max<Integer>(conc.horizon_left, conc.horizon_right), 0,
                  1000));
  const Int64 max_per_word = args.Number("--max", conc.entries_wanted_per_sw > 0 ? conc.entries_wanted_per_sw : 0,
                                         1, 2147483647);
  const bool colour = args.Has("--colour") || (!args.Has("--no-colour") && ::isatty(1) == 1);

  const string typed = U16(args.Positional()[0]);
  std::vector<TSearch_word_format_rec> words = ParseWords(typed, lcid, "search word");
  const auto context_words = ParseWords(U16(args.Value("--context")), lcid, "context word");
  const auto exclusions = ParseWords(U16(args.Value("--exclude")), lcid, "exclusion word");

  // Record what was asked, as a tool does, so that other tools see it.
  {
    char16_t field[81] = {};
    const std::size_t n = std::min<std::size_t>(typed.size(), 80);
    std::memcpy(field, typed.data(), n * sizeof(char16_t));
    cairn.Get<bool (*)(const char16_t*)>("SetConcSaveRecSearchword")(field);
  }

  if (args.Has("--lemmas")) {
    TLemmatiser lem(tt_kwic);
    lem.Load(args.Value("--lemmas"), 0);
    const std::size_t typed_count = words.size();
    for (std::size_t i = 0; i < typed_count; ++i) {
      for (const string& v : lem.VariantsOf(UnicodeUpperCase(words[i].search_text))) {
        string s = v;
        TSearch_word_format_rec rec;
        Parsed_SearchWord(TIgnore_tag_type{}, s, rec);
        rec.auto_lemma_added = true;
        if (!rec.search_text.empty()) words.push_back(rec);
      }
    }
  }

  const TFileChoice choice = FileChoiceFromArgs(args);
  std::vector<std::string> paths(args.Positional().begin() + 1, args.Positional().end());
  if (paths.empty()) paths.push_back(".");
  const std::vector<TTextFile> files = ChooseTextFiles(paths, choice);
  Int64 total_bytes = 0;
  for (const auto& f : files) total_bytes += f.size;

  string middles;
  bool middles_right = false, middles_left = false;
  if (!args.Has("--no-middles")) {
    middles = conc.middle_characters;
    middles_right = conc.middles_at_right;
    middles_left = conc.middles_at_left;
  }

  TPrinter printer(width, colour, args.Has("--count"));
  Header(printer, typed, static_cast<Integer>(files.size()));
  TProgressBar bar(&cairn);
  Int64 bytes_done = 0, words_done = 0;
  std::vector<Int64> found_per_word(words.size(), 0);

  auto run = [&](TResultsWriter* w) {
    std::size_t count_at = 0;
    if (w) {
      w->String(typed);
      w->Int32(static_cast<Integer>(files.size()));
      for (const auto& f : files) w->String(U16(f.path));
      count_at = static_cast<std::size_t>(w->Stream().Position());
      w->Int32(0);
    }
    Int64 saved = 0;
    std::vector<THit> piece_hits;
    for (std::size_t fi = 0; fi < files.size(); ++fi) {
      const std::string short_name = BaseName(files[fi].path);
      ReadTextInPieces(
          files[fi], std::size_t{16} << 20, static_cast<std::size_t>(width) * 4 + 64,
          [&](std::u16string_view piece, Int64 start, std::size_t repeated) {
            if (piece.empty()) return true;
            TSearchAndDoEngine engine(true, true, lcid);
            piece_hits.clear();
            Integer word_index = 0;
            engine.PrepareFirst(
                piece.data(), static_cast<Integer>(std::min<std::size_t>(piece.size(), 0x7FFFFFFF)), 0,
                [&](void*, const TSearchFound_Rec& r) {
                  const Int64 at = r.hit_pos_in_characters;
                  if (at < static_cast<Int64>(repeated)) return false;
                  if (found_per_word[word_index] >= max_per_word && max_per_word > 0) {
                    engine.FoundEnough();
                    return false;
                  }
                  const Integer len = r.hit_characters > 0 ? r.hit_characters : r.exact_hit_len;
                  THit h{static_cast<Integer>(fi), start + at, {}, {}, {}};
                  const std::size_t a = static_cast<std::size_t>(at);
                  const std::size_t e = std::min(piece.size(), a + static_cast<std::size_t>(len));
                  h.word = Clean(piece.substr(a, e - a));
                  for (const auto& x : exclusions) {
                    string xs = UnicodeUpperCase(x.search_text);
                    if (UnicodeUpperCase(h.word) == xs) return false;
                  }
                  if (!context_words.empty()) {
                    // The words within the horizon on either side.
                    std::size_t l = a, n = 0;
                    while (l > 0 && n <= static_cast<std::size_t>(horizon)) {
                      while (l > 0 && !IsWordUnit(piece[l - 1])) --l;
                      if (l == 0) break;
                      while (l > 0 && IsWordUnit(piece[l - 1])) --l;
                      if (++n >= static_cast<std::size_t>(horizon)) break;
                    }
                    std::size_t rr = e;
                    n = 0;
                    while (rr < piece.size() && n < static_cast<std::size_t>(horizon)) {
                      while (rr < piece.size() && !IsWordUnit(piece[rr])) ++rr;
                      while (rr < piece.size() && IsWordUnit(piece[rr])) ++rr;
                      ++n;
                    }
                    const string around = string(piece.substr(l, a - l)) + u" \x01 " + string(piece.substr(e, rr - e));
                    bool ok = false;
                    for (auto cw : context_words) {
                      TAdditionalSearchAndDoEngine ce(true, true, lcid);
                      ce.PrepareFirst(around.c_str(), static_cast<Integer>(around.size()), 0,
                                      [&](void*, const TSearchFound_Rec&) {
                                        ok = true;
                                        ce.FoundEnough();
                                        return true;
                                      },
                                      nullptr);
                      ce.SearchAndDo(&cw);
                      if (ok) break;
                    }
                    if (!ok) return false;
                  }
                  const std::size_t ls = a > static_cast<std::size_t>(width) ? a - width : 0;
                  h.left = Clean(piece.substr(ls, a - ls));
                  h.right = Clean(piece.substr(e, std::min<std::size_t>(width, piece.size() - e)));
                  ++found_per_word[word_index];
                  piece_hits.push_back(std::move(h));
                  return true;
                },
                [&](void*, const TSearchStatsRec& s) { words_done += s.number[word_stats]; });
            if (!middles.empty()) engine.HandleAllowables(middles, middles_right, middles_left);
            for (word_index = 0; word_index < static_cast<Integer>(words.size()); ++word_index) {
              if (max_per_word > 0 && found_per_word[word_index] >= max_per_word) continue;
              engine.SearchAndDo(&words[word_index]);
            }
            std::stable_sort(piece_hits.begin(), piece_hits.end(),
                             [](const THit& x, const THit& y) { return x.pos < y.pos; });
            for (const THit& h : piece_hits) {
              printer.Hit(h, short_name);
              if (w) {
                w->Int32(h.file);
                w->Int64v(h.pos);
                w->String(h.left);
                w->String(h.word);
                w->String(h.right);
                ++saved;
              }
            }
            bar.Update(bytes_done, total_bytes, words_done);
            return true;
          },
          [&](Int64 b) {
            bytes_done += b;
            bar.Update(bytes_done, total_bytes, words_done);
          });
    }
    if (w) {
      if (saved > 0x7FFFFFFF) throw TToolError("too many hits to save in one results file");
      w->PatchInt32(count_at, static_cast<Integer>(saved));
    }
  };

  if (args.Has("--save")) {
    SaveResults(args.Value("--save"), tt_kwic, lt_concordance_list, [&](TResultsWriter& w) { run(&w); });
  } else {
    run(nullptr);
  }
  bar.Finish();
  if (args.Has("--count")) printer.Line(std::to_string(printer.Hits()));
  Footer(printer, printer.Hits(), static_cast<Integer>(files.size()));
  return 0;
}

}  // namespace cv::tool

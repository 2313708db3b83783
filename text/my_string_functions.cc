#include "text/my_string_functions.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>

#include "files/file_utils.h"
#include "files/my_kpsmall.h"
#include "lists/zip_archive.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"
#include "text/word_frequency.h"
#include "text/words_and_markup.h"

namespace cv {

namespace {

void* FreqToObject(Int64 f) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(f)); }

Integer Percent(Int64 part, Int64 whole) {
  if (whole <= 0) return 0;
  return static_cast<Integer>(part * 100 / whole);
}

// 1-based Pos of sub in s from 1-based start; 0 when absent or sub empty.
Integer PosFrom(std::u16string_view sub, std::u16string_view s, Integer start) {
  if (sub.empty() || start < 1 || static_cast<std::size_t>(start) > s.size()) return 0;
  const auto p = s.find(sub, static_cast<std::size_t>(start - 1));
  return p == std::u16string_view::npos ? 0 : static_cast<Integer>(p) + 1;
}

// 1-based, inclusive; clamped to the text.
string Slice(std::u16string_view s, Int64 from, Int64 to) {
  if (from < 1) from = 1;
  if (to > static_cast<Int64>(s.size())) to = static_cast<Int64>(s.size());
  if (to < from) return string();
  return string(s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1)));
}

std::unique_ptr<TStringList> ListFromCounts(const std::vector<TWordCount>& counts, bool sort_by_freq) {
  auto list = std::make_unique<TStringList>();
  list->SetDuplicates(TDuplicates::dupAccept);
  for (const TWordCount& c : counts) list->AddObject(c.word, FreqToObject(c.freq));
  if (sort_by_freq)
    list->CustomSort(StringListCompareFreqDescending);
  else
    list->SetSorted(true);  // one sort with the list's comparison
  return list;
}

}  // namespace

Integer FrequencyOfEntry(const TStringList& list, Integer i) {
  if (i < 0 || i >= list.Count()) return 0;
  return static_cast<Integer>(reinterpret_cast<std::intptr_t>(list.Objects(i)));
}

int StringListCompareFreqDescending(TStringList& list, Integer index1, Integer index2) {
  const Integer f1 = FrequencyOfEntry(list, index1);
  const Integer f2 = FrequencyOfEntry(list, index2);
  if (f1 != f2) return f1 > f2 ? -1 : 1;
  return list.CompareStrings(list.Strings(index1), list.Strings(index2));
}

// ---------------------------------------------------------------------------
// Word lists

std::unique_ptr<TStringList> SimpleWordListOfTxt(std::u16string_view text, Integer min_word_length,
                                                 bool sort_by_freq) {
  TWordFrequencyCounter counter;
  counter.AddText(text.data(), text.size(), min_word_length);
  MyYieldProcess();
  return ListFromCounts(counter.Entries(), sort_by_freq);
}

std::unique_ptr<TStringList> SimpleWordListOfTxt(std::u16string_view text, const TAcceptWordFunct& accept,
                                                 bool sort_by_freq) {
  TWordFrequencyCounter counter;
  const std::size_t n = text.size();
  std::size_t i = 0;
  string word;
  while (i < n) {
    while (i < n && !IsWordUnit(text[i])) ++i;
    const std::size_t start = i;
    while (i < n && IsWordUnit(text[i])) ++i;
    if (i == start) break;
    word.assign(text.substr(start, i - start));
    if (!accept || accept(word)) counter.AddWord(word);
  }
  MyYieldProcess();
  return ListFromCounts(counter.Entries(), sort_by_freq);
}

namespace {

enum class UnitKind : Byte { letter_or_digit, other_number, sliding, breaking };

UnitKind KindOf(char16_t c) {
  if (c == u',') return UnitKind::sliding;
  switch (u_charType(c)) {
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
    case U_DECIMAL_DIGIT_NUMBER:
      return UnitKind::letter_or_digit;
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
      return UnitKind::other_number;
    case U_NON_SPACING_MARK:
    case U_COMBINING_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_START_PUNCTUATION:
    case U_END_PUNCTUATION:
    case U_INITIAL_PUNCTUATION:
    case U_FINAL_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
      return UnitKind::breaking;
    default:
      return UnitKind::sliding;
  }
}

// The index (0-based) of the last unit of the tag that starts with '<' at i.
std::size_t TagEnd(std::u16string_view text, std::size_t i, Integer max_tag_length) {
  const std::size_t limit = static_cast<std::size_t>(max_tag_length);
  const std::size_t gt = text.find(u'>', i + 1);
  if (gt != std::u16string_view::npos && gt - i <= limit) return gt;
  for (std::size_t j = i + limit; j < text.size(); ++j)
    if (text[j] <= 0x20) return j;
  return text.size() - 1;
}

}  // namespace

std::unique_ptr<TStringList> SimpleNGramListOfTxt(std::u16string_view text, Integer n, Integer max_tag_length,
                                                  bool sort_by_freq, const TPercentProgressFunct& progress) {
  TWordFrequencyCounter counter;
  if (n < 1) return ListFromCounts({}, sort_by_freq);
  std::deque<string> window;
  string word;
  string joined;
  const std::size_t len = text.size();
  auto end_word = [&](bool sliding, std::size_t at) {
    window.push_back(word);
    word.clear();
    if (window.size() == static_cast<std::size_t>(n)) {
      joined.clear();
      for (std::size_t k = 0; k < window.size(); ++k) {
        if (k) joined += u' ';
        joined += window[k];
      }
      const std::size_t before = counter.Distinct();
      counter.AddWord(joined);
      if (progress && counter.Distinct() != before) progress(Percent(static_cast<Int64>(at), len));
      if (sliding)
        window.pop_front();
      else
        window.clear();
    }
  };
  bool in_word = false;
  for (std::size_t i = 0; i < len; ++i) {
    const char16_t c = text[i];
    const UnitKind k = KindOf(c);
    if (in_word) {
      if (k == UnitKind::letter_or_digit || k == UnitKind::other_number) {
        word += c;
        continue;
      }
      in_word = false;
      end_word(k == UnitKind::sliding, i);
      if (c == u'<' && max_tag_length > 0) i = TagEnd(text, i, max_tag_length);
      if ((i & 0xFFFF) == 0) MyYieldProcess();
      continue;
    }
    if (k == UnitKind::letter_or_digit || (i == 0 && k == UnitKind::other_number)) {
      in_word = true;
      word = c;
    } else if (c == u'<' && max_tag_length > 0) {
      i = TagEnd(text, i, max_tag_length);
    }
  }
  if (in_word) end_word(true, len);
  return ListFromCounts(counter.Entries(), sort_by_freq);
}

// ---------------------------------------------------------------------------

TFreqDifference BagOfWordsSimilar(std::u16string_view first_text, std::u16string_view second_text,
                                  Integer max_difference, Integer min_freq, Integer min_word_length) {
  TFreqDifference result;
  const auto first = SimpleWordListOfTxt(UnicodeUpperCase(first_text), min_word_length, true);
  const auto second = SimpleWordListOfTxt(UnicodeUpperCase(second_text), min_word_length, true);
  auto index_of = [](const TStringList& l) {
    std::unordered_map<string, Integer> m;
    for (Integer i = 0; i < l.Count(); ++i) m.emplace(l[i], FrequencyOfEntry(l, i));
    return m;
  };
  const auto first_freqs = index_of(*first);
  const auto second_freqs = index_of(*second);
  const bool first_walked_first = first->Count() > second->Count();
  const TStringList* order[2] = {first_walked_first ? first.get() : second.get(),
                                 first_walked_first ? second.get() : first.get()};
  for (const TStringList* walked : order) {
    const bool is_first = walked == first.get();
    const auto& other = is_first ? second_freqs : first_freqs;
    for (Integer i = 0; i < walked->Count(); ++i) {
      const Integer f = FrequencyOfEntry(*walked, i);
      if (f < min_freq) continue;
      const auto it = other.find((*walked)[i]);
      const Integer g = it == other.end() ? 0 : it->second;
      if (static_cast<Int64>(f) - g > max_difference || static_cast<Int64>(g) - f > max_difference) {
        result.wd = (*walked)[i];
        result.first_text_freq = is_first ? f : g;
        result.second_text_freq = is_first ? g : f;
        return result;
      }
    }
    MyYieldProcess();
  }
  return result;
}

// ---------------------------------------------------------------------------
// Context

namespace {
// Stored ordinals of the context kinds (never renumbered).
constexpr Byte kWithinNWordsOfSearchword = 8;
constexpr Byte kWithinNWordsToLeftOfSearchword = 9;
constexpr Byte kWithinNWordsToRightOfSearchword = 10;
constexpr Byte kWithinNWordsOf = 11;
constexpr Byte kWithinNWordsToLeftOf = 12;
constexpr Byte kWithinNWordsToRightOf = 13;
}  // namespace

string NManyWordsContext(TSearchRequirementSeeks kind, std::u16string_view text, Integer position, Integer n) {
  const Int64 len = static_cast<Int64>(text.size());
  if (position < 1 || position > len) return string();
  const Byte k = static_cast<Byte>(kind);
  const bool both = k == kWithinNWordsOfSearchword || k == kWithinNWordsOf;
  const bool left = k == kWithinNWordsToLeftOfSearchword || k == kWithinNWordsToLeftOf;
  const bool right = k == kWithinNWordsToRightOfSearchword || k == kWithinNWordsToRightOf;
  if (!both && !left && !right) return string();
  auto ld = [&](Int64 p) { return IsWordUnit(text[static_cast<std::size_t>(p - 1)]); };

  Int64 left_limit = position;
  {
    Int64 p = position;
    Integer count = 0;
    for (;;) {
      while (p > 0 && ld(p)) --p;
      if (++count > n) break;
      while (p > 0 && !ld(p)) --p;
      if (p == 0) break;
    }
    left_limit = p;
  }
  Int64 right_limit = position;
  {
    Int64 p = position;
    Integer count = 0;
    for (;;) {
      while (p < len && ld(p)) ++p;
      ++count;
      while (p < len && !ld(p)) ++p;
      if (count > n || p >= len) break;
    }
    // A walk that reached the last character has taken in the whole text:
    // its limit lies past the end, so the last character is not cut off.
    right_limit = p >= len ? len + 1 : p;
  }
  if (both) return Slice(text, left_limit, right_limit - 1);
  if (left) return Slice(text, left_limit, position - 1);
  return Slice(text, position, right_limit - 1);
}

string PrecedingContext(std::u16string_view text, Integer n, Integer position) {
  if (n <= 0 || position <= 1) return string();
  Int64 end = std::min<Int64>(position - 1, static_cast<Int64>(text.size()));
  return Slice(text, end - n + 1, end);
}

// ---------------------------------------------------------------------------
// Find and study

Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view sought,
                                 const TStudyStringFunct& study, Integer n) {
  if (!study || sought.empty()) return 0;
  const Int64 len = static_cast<Int64>(text.size());
  Integer p = PosFrom(sought, text, 1);
  while (p > 0) {
    const Int64 after = p + static_cast<Int64>(sought.size());
    const string following = n > 0 ? Slice(text, after, after + n - 1) : string();
    if (study(PrecedingContext(text, n, p), string(sought), following, Percent(p, len), p)) break;
    p = PosFrom(sought, text, p + 1);
    MyYieldProcess();
  }
  return 0;
}

Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view opening,
                                 std::u16string_view closing, const TStudyChunkFunct& study, Integer n) {
  if (!study || opening.empty() || closing.empty()) return 0;
  const Int64 len = static_cast<Int64>(text.size());
  Integer p = PosFrom(opening, text, 1);
  while (p > 0) {
    const Integer q = PosFrom(closing, text, p);
    Integer next = p + 1;
    if (q > 0) {
      const Integer end = q + static_cast<Integer>(closing.size()) - 1;
      if (study(PrecedingContext(text, n, p), Slice(text, p, end), Percent(p, len), p)) break;
      next = std::max(end, p + 1);
    }
    p = PosFrom(opening, text, next);
    MyYieldProcess();
  }
  return 0;
}

Integer FindAndStudyStringInText(std::u16string_view text, std::u16string_view opening,
                                 std::u16string_view closing, void* user_value, TStudyChunkProc study) {
  if (!study || opening.empty() || closing.empty()) return 0;
  Integer handed = 0;
  Integer p = PosFrom(opening, text, 1);
  while (p > 0) {
    const Integer q = PosFrom(closing, text, p);
    Integer next = p + static_cast<Integer>(opening.size());
    if (q > 0) {
      const Integer end = q + static_cast<Integer>(closing.size()) - 1;
      TStringAndIntegerRec rec{Slice(text, p, end), ++handed};
      if (study(rec, user_value)) break;
      next = std::max(end, p + 1);
    }
    p = PosFrom(opening, text, next);
  }
  return handed;
}

Integer NumberOfTagsWithinChunk(std::u16string_view text, Integer limit) {
  struct Limit {
    Integer limit;
  } l{limit};
  return FindAndStudyStringInText(text, u"<", u">", &l, [](const TStringAndIntegerRec& r, void* u) {
    return r.i > static_cast<Limit*>(u)->limit;
  });
}

string OpenWithoutCloseTagInText(std::u16string_view text, const TAcceptTagFunct& accept, Integer context_width,
                                 bool uppercase_only, bool skip_percent) {
  std::size_t i = 0;
  while ((i = text.find(u'<', i)) != std::u16string_view::npos) {
    const std::size_t gt = text.find(u'>', i + 1);
    if (gt == std::u16string_view::npos) break;
    const string tag(text.substr(i, gt - i + 1));
    const Integer pos = static_cast<Integer>(i) + 1;
    i = gt + 1;
    if (IsAnOffTag(tag)) continue;
    if (uppercase_only &&
        std::any_of(tag.begin() + 1, tag.end() - 1, [](char16_t c) { return u_islower(c); }))
      continue;
    if (skip_percent && tag.find(u'%') != string::npos) continue;
    if (text.find(SameTagButSwitchedOff(tag)) != std::u16string_view::npos) continue;
    if (accept && !accept(tag, pos, PrecedingContext(text, context_width, pos))) continue;
    return tag;
  }
  return string();
}

// ---------------------------------------------------------------------------
// DOCX

string BothSlashesExtractFilename(std::u16string_view path) {
  const auto p = path.find_last_of(u"/\\");
  return string(p == std::u16string_view::npos ? path : path.substr(p + 1));
}

namespace {

// Decodes the five XML entities and numeric character references; anything
// else is kept as written.
string DecodeXmlText(std::u16string_view s) {
  string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'&') {
      out += s[i];
      continue;
    }
    const std::size_t semi = s.find(u';', i + 1);
    if (semi == std::u16string_view::npos || semi - i > 12) {
      out += s[i];
      continue;
    }
    const std::u16string_view name = s.substr(i + 1, semi - i - 1);
    char32_t c = 0;
    if (name == u"amp") c = u'&';
    else if (name == u"lt") c = u'<';
    else if (name == u"gt") c = u'>';
    else if (name == u"quot") c = u'"';
    else if (name == u"apos") c = u'\'';
    else if (name.size() > 1 && name[0] == u'#') {
      const bool hex = name[1] == u'x' || name[1] == u'X';
      std::u16string_view digits = name.substr(hex ? 2 : 1);
      if (!digits.empty() && digits.size() <= 8) {
        std::uint32_t v = 0;
        bool ok = true;
        for (char16_t d : digits) {
          int dv = -1;
          if (d >= u'0' && d <= u'9') dv = d - u'0';
          else if (hex && d >= u'a' && d <= u'f') dv = d - u'a' + 10;
          else if (hex && d >= u'A' && d <= u'F') dv = d - u'A' + 10;
          if (dv < 0) { ok = false; break; }
          v = v * (hex ? 16 : 10) + static_cast<std::uint32_t>(dv);
        }
        if (ok && v > 0 && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) c = v;
      }
    }
    if (c == 0) {
      out += s[i];
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i = semi;
  }
  return out;
}

// True when an element name starting at i is `name` followed by a space,
// '>' or '/'.
bool ElementAt(std::u16string_view s, std::size_t i, std::u16string_view name) {
  if (s.compare(i, name.size(), name) != 0) return false;
  const std::size_t j = i + name.size();
  return j < s.size() && (s[j] == u' ' || s[j] == u'>' || s[j] == u'/');
}

string ReplaceAlternateContent(string xml) {
  constexpr std::u16string_view kOpen = u"<mc:AlternateContent>";
  constexpr std::u16string_view kClose = u"</mc:AlternateContent>";
  constexpr std::u16string_view kFallOpen = u"<mc:Fallback>";
  constexpr std::u16string_view kFallClose = u"</mc:Fallback>";
  std::size_t from = 0;
  for (;;) {
    const std::size_t a = xml.find(kOpen, from);
    if (a == string::npos) break;
    const std::size_t z = xml.find(kClose, a);
    if (z == string::npos) break;
    const std::size_t f = xml.find(kFallOpen, a + kOpen.size());
    const std::size_t fz = f == string::npos ? string::npos : xml.find(kFallClose, f);
    if (f == string::npos || fz == string::npos || fz > z) {
      from = a + kOpen.size();
      continue;
    }
    const string fallback = xml.substr(f, fz - f);
    xml.replace(a, z - a, fallback);
    from = a + fallback.size() + kClose.size();
  }
  return xml;
}

string ParagraphText(std::u16string_view content) {
  string out;
  std::size_t i = 0;
  while ((i = content.find(u'<', i)) != std::u16string_view::npos) {
    if (ElementAt(content, i + 1, u"w:t") && content[i + 4] != u'/') {
      const std::size_t gt = content.find(u'>', i);
      if (gt == std::u16string_view::npos) break;
      const std::size_t end = content.find(u"</w:t>", gt + 1);
      const std::size_t stop = end == std::u16string_view::npos ? content.size() : end;
      out += DecodeXmlText(content.substr(gt + 1, stop - gt - 1));
      i = stop;
      continue;
    }
    if (ElementAt(content, i + 1, u"w:tab")) out += u'\t';
    else if (ElementAt(content, i + 1, u"w:br") || ElementAt(content, i + 1, u"w:cr")) out += u' ';
    ++i;
  }
  return out;
}

}  // namespace

string DocumentXmlText(std::string_view bytes) {
  const auto zero = bytes.find('\0');
  if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
  const string xml = ReplaceAlternateContent(Utf8ToUtf16(bytes));
  string out;
  std::size_t i = 0;
  while ((i = xml.find(u"<w:p", i)) != string::npos) {
    const std::size_t after = i + 4;
    if (after >= xml.size() || (xml[after] != u' ' && xml[after] != u'>')) {
      i = after;
      continue;
    }
    const std::size_t gt = xml.find(u'>', i);
    if (gt == string::npos) break;
    if (xml[gt - 1] == u'/') {
      i = gt + 1;
      continue;
    }
    const std::size_t end = xml.find(u"</w:p>", gt + 1);
    if (end == string::npos) break;
    out += ParagraphText(std::u16string_view(xml).substr(gt + 1, end - gt - 1));
    out += u"\r\n";
    i = end + 6;
    MyYieldProcess();
  }
  return out;
}

namespace {

// The target of the officeDocument relationship in _rels/.rels, as a member
// name; empty when there is none.
string MainDocumentPart(const TZipArchiveReader& zip) {
  const Integer rels = zip.IndexOfName(u"_rels/.rels");
  std::string bytes;
  if (rels == 0 || !zip.ReadMember(rels, 1u << 20, bytes)) return string();
  const string xml = Utf8ToUtf16(bytes);
  std::size_t i = 0;
  while ((i = xml.find(u"<Relationship", i)) != string::npos) {
    const std::size_t gt = xml.find(u'>', i);
    if (gt == string::npos) break;
    const std::u16string_view tag = std::u16string_view(xml).substr(i, gt - i);
    i = gt;
    auto attr = [&](std::u16string_view name) -> string {
      std::size_t a = 0;
      while ((a = tag.find(name, a)) != std::u16string_view::npos) {
        const bool starts = a > 0 && (tag[a - 1] == u' ' || tag[a - 1] == u'\t' || tag[a - 1] == u'\n' ||
                                      tag[a - 1] == u'\r');
        std::size_t e = a + name.size();
        a = e;
        if (!starts || e + 1 >= tag.size() || tag[e] != u'=') continue;
        const char16_t q = tag[e + 1];
        if (q != u'"' && q != u'\'') continue;
        const std::size_t close = tag.find(q, e + 2);
        if (close == std::u16string_view::npos) return string();
        return DecodeXmlText(tag.substr(e + 2, close - e - 2));
      }
      return string();
    };
    const string type = attr(u"Type");
    constexpr std::u16string_view kOfficeDocument = u"/officeDocument";
    if (type.size() >= kOfficeDocument.size() &&
        type.compare(type.size() - kOfficeDocument.size(), kOfficeDocument.size(), kOfficeDocument) == 0) {
      string target = attr(u"Target");
      while (!target.empty() && target[0] == u'/') target.erase(0, 1);
      return target;
    }
  }
  return string();
}

}  // namespace

string DOCXFileText(const string& file_name) {
  if (FileSize(file_name) < 0) return string();
  TZipArchiveReader zip(file_name);
  Integer member = 0;
  const string target = MainDocumentPart(zip);
  if (!target.empty()) member = zip.IndexOfName(target);
  if (member == 0) {
    for (Integer m = 1; m <= zip.MemberCount(); ++m)
      if (AnsiCompareText(BothSlashesExtractFilename(zip.MemberName(m)), u"Document.xml") == 0) member = m;
  }
  if (member == 0) return string();
  std::string bytes;
  if (!zip.ReadMember(member, kDocxMemberCap, bytes) || bytes.empty()) return string();
  return DocumentXmlText(bytes);
}

// ---------------------------------------------------------------------------
// Repeated sentences

namespace {
void DeleteOccurrences(void* p) { delete static_cast<TListOfOccurrences*>(p); }
}  // namespace

TStringlistWithListOfOccurrences::TStringlistWithListOfOccurrences() : TStringList(true) {
  SetObjectDeleter(DeleteOccurrences);
  SetCaseSensitive(true);
}

TStringlistWithListOfOccurrences::~TStringlistWithListOfOccurrences() { ClearAll(); }

Integer TStringlistWithListOfOccurrences::AddOrIncOneByFreq(const string& s, Integer file_number, Integer freq) {
  if (!index_valid_) {
    index_.clear();
    for (Integer i = 0; i < Count(); ++i) index_.emplace(Strings(i), i);
    index_valid_ = true;
  }
  Integer idx;
  const auto it = index_.find(s);
  if (it == index_.end()) {
    idx = AddObject(s, new TListOfOccurrences());
    index_.emplace(s, idx);
  } else {
    idx = it->second;
  }
  TListOfOccurrences* occ = GetAListOfOccurrences(idx);
  const Integer at = occ->LongIndexOf(file_number, 0);
  if (at < 0)
    occ->AddOne({file_number, freq});
  else
    occ->AddToOneFreq(at, freq, 1);
  return idx;
}

TListOfOccurrences* TStringlistWithListOfOccurrences::GetAListOfOccurrences(Integer i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return static_cast<TListOfOccurrences*>(Objects(i));
}

Integer TStringlistWithListOfOccurrences::Repeateds() const {
  Integer n = 0;
  for (Integer i = 0; i < Count(); ++i)
    if (GetAListOfOccurrences(i) && GetAListOfOccurrences(i)->Count() > 1) ++n;
  return n;
}

void TStringlistWithListOfOccurrences::DeleteOne(Integer i) {
  if (i < 0 || i >= Count()) return;
  Delete(i);
  index_valid_ = false;
}

void TStringlistWithListOfOccurrences::ClearAll() {
  for (Integer i = Count() - 1; i >= 0; --i) Delete(i);
  Clear();
  index_.clear();
  index_valid_ = true;
}

namespace {
int DescendingUnits(TStringList& l, Integer a, Integer b) {
  const int c = l.Strings(a).compare(l.Strings(b));
  return c > 0 ? -1 : (c < 0 ? 1 : 0);
}
int ByFreqDescending(TStringList& l, Integer a, Integer b) {
  auto& list = static_cast<TStringlistWithListOfOccurrences&>(l);
  const Int64 fa = list.GetAListOfOccurrences(a)->TotalFrequency();
  const Int64 fb = list.GetAListOfOccurrences(b)->TotalFrequency();
  if (fa != fb) return fa > fb ? -1 : 1;
  return DescendingUnits(l, a, b);
}
int ByFirstFileAscending(TStringList& l, Integer a, Integer b) {
  auto& list = static_cast<TStringlistWithListOfOccurrences&>(l);
  const Integer fa = list.GetAListOfOccurrences(a)->GetAValue(0, 0);
  const Integer fb = list.GetAListOfOccurrences(b)->GetAValue(0, 0);
  if (fa != fb) return fa < fb ? -1 : 1;
  return DescendingUnits(l, a, b);
}
}  // namespace

void TStringlistWithListOfOccurrences::SortAllOccurrencesFreqDescending() {
  CustomSort(ByFreqDescending);
  index_valid_ = false;
}

void TStringlistWithListOfOccurrences::SortAllOccurrencesFileAscending() {
  CustomSort(ByFirstFileAscending);
  index_valid_ = false;
}

TRepeatedChunks::TRepeatedChunks()
    : display_index(std::make_unique<TMultiLongintList>(tml_1)),
      fnames(std::make_unique<TFolderEfficientFileStringlist>()),
      chunks_list(std::make_unique<TStringlistWithListOfOccurrences>()) {}

TRepeatedChunks::~TRepeatedChunks() { Clear(); }

void TRepeatedChunks::SetSettings(bool include_unterminated, Integer tag_span_, Integer min_hits_,
                                  Integer min_sentence_length_, TProgressChangedFunct this_reporting_,
                                  TProgressChangedFunct overall_reporting_,
                                  TTellCountEvent running_total_reporting_) {
  include_unterminated_sentences = include_unterminated;
  tag_span = tag_span_;
  min_hits = min_hits_;
  min_sentence_length = min_sentence_length_;
  this_reporting = std::move(this_reporting_);
  overall_reporting = std::move(overall_reporting_);
  running_total_reporting = std::move(running_total_reporting_);
}

Integer TRepeatedChunks::LoadATextFile(const string& file_name) {
  if (FileSize(file_name) < 0) return -1;
  const Integer n = fnames->AddOne(file_name);
  txt = MarkupFreeTextFromAFile(file_name, tag_span);
  return n;
}

void TRepeatedChunks::AddToRepeatedSentencesInTxt(Integer file_number, Integer total_files) {
  if (!chunks_list) throw std::logic_error("list not assigned");
  processing = true;
  if (overall_reporting && total_files > 0) overall_reporting(Percent(file_number, total_files));
  AddedToRepeatedSentencesInTxt(file_number, txt);
  if (running_total_reporting) running_total_reporting(chunks_list->Count());
}

Integer TRepeatedChunks::AddedToRepeatedSentencesInTxt(Integer file_number, std::u16string_view text) {
  if (!chunks_list) throw std::logic_error("chunks_list not assigned");
  const Integer before = chunks_list->Count();
  const Int64 len = static_cast<Int64>(text.size());
  TStringList met;  // case-insensitive, sorted
  met.SetSorted(true);
  Integer start = FirstValidStartOfSentence(text, 1);
  while (processing && start >= 1 && start <= len) {
    Integer line_end = PosFrom(u"\r\n", text, start);
    const bool last = line_end == 0;
    if (last) line_end = static_cast<Integer>(len) + 1;  // the end of the text ends the paragraph
    const string paragraph = Trim(text.substr(static_cast<std::size_t>(start - 1),
                                              static_cast<std::size_t>(line_end - start)));
    if (!paragraph.empty()) {
      const auto sentences =
          SentencesExtractedFromParagraph(include_unterminated_sentences, min_sentence_length, paragraph);
      for (Integer k = 0; sentences && k < sentences->Count(); ++k) {
        const string& s = (*sentences)[k];
        Integer dummy;
        if (s.empty() || met.Find(s, dummy)) continue;
        met.Add(s);
        if (len > 100000 && this_reporting) this_reporting(Percent(start, len));
        Integer count = 0;
        for (Integer p = PosFrom(s, text, 1); p > 0; p = PosFrom(s, text, p + 1)) ++count;
        if (count >= min_hits) chunks_list->AddOrIncOneByFreq(s, file_number, count);
      }
    }
    MyYieldProcess();
    if (last) break;
    const Integer next = line_end + 2;
    if (next > len) break;
    const Integer following = FirstValidStartOfSentence(text, next);
    if (following <= start) break;
    start = following;
  }
  return chunks_list->Count() - before;
}

string TRepeatedChunks::GetAFilename(Integer i) const {
  if (!fnames || i < 0 || i >= fnames->Count()) return string();
  return fnames->GetFullFilename(i);
}

void TRepeatedChunks::SortDescendingFreq() {
  if (chunks_list) chunks_list->SortAllOccurrencesFreqDescending();
}

void TRepeatedChunks::SortAScendingFilenumbers() {
  if (chunks_list) chunks_list->SortAllOccurrencesFileAscending();
}

void TRepeatedChunks::Clear() {
  if (chunks_list) chunks_list->ClearAll();
  if (fnames) fnames->Clear();
  if (display_index) display_index->Clear();
}

}  // namespace cv

#include "text/words_and_markup.h"

#include <unicode/uchar.h>

#include <vector>

#include "platform/classes.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "text/char_details.h"
#include "text/char_types.h"
#include "text/sentence_terminators.h"

namespace cv {

namespace {

bool IsLetterOrDigit(char16_t c) { return u_isalnum(c) != 0; }
bool IsLower(char16_t c) { return u_charType(c) == U_LOWERCASE_LETTER; }
bool IsUpper(char16_t c) { return u_charType(c) == U_UPPERCASE_LETTER; }
uint32_t CategoryMask(char16_t c) { return U_GET_GC_MASK(c); }

// 1-based access; callers check the range.
char16_t At(std::u16string_view s, Integer pos) { return s[static_cast<std::size_t>(pos - 1)]; }
Integer Len(std::u16string_view s) { return static_cast<Integer>(s.size()); }

// Trims characters of code 32 and below at both ends.
string TrimControls(std::u16string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && s[a] <= 32) ++a;
  while (b > a && s[b - 1] <= 32) --b;
  return string(s.substr(a, b - a));
}

}  // namespace

// ---------------------------------------------------------------------------
// Sentences

Boolean IsPotentialSentenceTerminator(WideChar c) {
  if (c <= 32 || (c >= 64 && c <= 125)) return false;
  return IsBasicOrOtherSentTerminator(c);
}

Integer EndOfSentence(Integer start, std::u16string_view s) {
  const Integer n = Len(s);
  if (start < 1) start = 1;
  if (start > n) return -1;
  bool seen = false;
  for (Integer p = start; p <= n; ++p) {
    const char16_t c = At(s, p);
    if (IsLetterOrDigit(c)) seen = true;
    if (!seen) continue;
    if (p == n) return p;
    if (p != 1 && IsPotentialSentenceTerminator(c) && !IsLetterOrDigit(At(s, p + 1))) return p;
  }
  return -1;
}

Integer FirstLetterOrDigitPosAfterSentenceEnd(std::u16string_view s, Integer pos) {
  const Integer n = Len(s);
  if (pos < 1) pos = 1;
  while (pos < n && !IsLetterOrDigit(At(s, pos))) ++pos;
  return pos;
}

Boolean FirstCharAfterSentenceEndUpperCase(std::u16string_view s, Integer pos) {
  if (pos < 1 || pos > Len(s)) return true;
  return !(IsLower(At(s, pos)) && pos < Len(s));
}

Integer FirstValidStartOfSentence(std::u16string_view s, Integer pos) {
  const Integer n = Len(s);
  if (n == 0) return 0;
  while (pos <= n) {
    const Integer p = FirstLetterOrDigitPosAfterSentenceEnd(s, pos);
    if (p >= n || !IsLower(At(s, p))) return p;
    const Integer end = EndOfSentence(p, s);
    if (end < 0 || end >= n) return n;  // no sentence starts properly after this one
    pos = end + 1;
  }
  return n;
}

std::unique_ptr<TStringList> SentencesExtractedFromParagraph(Boolean include_unterminated, Integer min_length,
                                                             std::u16string_view paragraph) {
  auto list = std::make_unique<TStringList>();
  const Integer n = Len(paragraph);
  Integer start = 0;  // 1-based; 0 while no sentence has started
  Integer count = 0;
  auto emit = [&](Integer upto) {
    if (start > 0) {
      const string sentence = TrimControls(paragraph.substr(static_cast<std::size_t>(start - 1),
                                                            static_cast<std::size_t>(upto - start + 1)));
      if (Len(sentence) > min_length) list->Add(sentence);
    }
    count = 0;
    start = 0;
  };
  for (Integer i = 1; i <= n; ++i) {
    if (i == n && include_unterminated) {
      emit(i);
      break;
    }
    const char16_t c = At(paragraph, i);
    const uint32_t m = CategoryMask(c);
    if (m & (U_GC_LL_MASK | U_GC_LM_MASK | U_GC_MN_MASK | U_GC_MC_MASK | U_GC_ME_MASK)) {
      ++count;
    } else if (m & (U_GC_LO_MASK | U_GC_LT_MASK | U_GC_LU_MASK | U_GC_ND_MASK | U_GC_NL_MASK | U_GC_NO_MASK)) {
      ++count;
      if (start == 0) start = i;
    } else if (m & U_GC_PO_MASK) {
      if (count >= min_length && start > 0 && IsPotentialSentenceTerminator(c) &&
          (i == n || !u_isdigit(At(paragraph, i + 1))))
        emit(i);
    }
  }
  return list;
}

namespace {

// Po characters of the ASCII and Latin-1 ranges that never end a sentence.
bool IsLatinPoNotEnding(char16_t c) {
  switch (c) {
    case 0x22: case 0x23: case 0x25: case 0x26: case 0x27: case 0x2A: case 0x2C: case 0x2F:
    case 0x3A: case 0x3B: case 0x40: case 0x5C: case 0xA1: case 0xB7: case 0xBF:
      return true;
    default:
      return false;
  }
}

void AddTrimmed(TStringList& list, std::u16string_view piece) {
  const string t = TrimControls(piece);
  if (!t.empty()) list.Add(t);
}

}  // namespace

std::unique_ptr<TStringList> SentencesFromParagraph(std::u16string_view paragraph, std::u16string_view separator,
                                                    LCID lcid, Integer max_tag_length) {
  auto list = std::make_unique<TStringList>();
  const std::size_t n = paragraph.size();
  if (!separator.empty()) {
    std::size_t from = 0;
    for (std::size_t at; (at = paragraph.find(separator, from)) != std::u16string_view::npos;) {
      AddTrimmed(*list, paragraph.substr(from, at - from));
      from = at + separator.size();
    }
    AddTrimmed(*list, paragraph.substr(from));
    return list;
  }
  if (n == 0) return list;

  // 1. The details map, with two spare entries.
  std::vector<Word> details(n + 2, 0);
  if (!GetStringTypeExNT2000(true, lcid, CT_CTYPE1, details.data(), static_cast<Integer>(n), paragraph.data()))
    return list;
  // 2. Tags are punctuation to the look-ahead, and nothing inside one ends
  //    a sentence.
  std::vector<bool> in_tag(n, false);
  for (std::size_t lt = paragraph.find(u'<'); lt != std::u16string_view::npos; lt = paragraph.find(u'<', lt + 1)) {
    const std::size_t gt = paragraph.find(u'>', lt + 1);
    if (gt == std::u16string_view::npos) break;
    if (max_tag_length > 0 && gt - lt <= static_cast<std::size_t>(max_tag_length)) {
      for (std::size_t k = lt; k < gt; ++k) {
        details[k] = C1_PUNCT;
        in_tag[k] = true;
      }
      in_tag[gt] = true;
    }
  }
  // 3. The second spare entry ends every look-ahead.
  details[n + 1] = C1_ALPHA;

  std::size_t start = 0;
  for (std::size_t i = 1; i < n; ++i) {
    const char16_t c = paragraph[i];
    if (!(details[i] & C1_PUNCT) || in_tag[i] || u_charType(c) != U_OTHER_PUNCTUATION) continue;
    if (IsPunctNotEndingSent(c) || IsLatinPoNotEnding(c)) continue;
    if (IsBasicOrOtherSentTerminator(c) && (details[i + 1] & (C1_LOWER | C1_DIGIT))) continue;
    // 5. Look right for the next letter or digit; the sentence takes the
    //    entries passed up to the first white space (closing quotes and
    //    brackets stay with it).
    std::size_t end = i;
    bool extending = true;
    std::size_t j = i + 1;
    while (!(details[j] & (C1_ALPHA | C1_DIGIT))) {
      if (extending) {
        end = j;
        if (details[j] & (C1_SPACE | C1_CNTRL | C1_BLANK)) extending = false;
      }
      ++j;
    }
    if (details[j] & C1_LOWER) continue;
    if (end >= n) end = n - 1;
    AddTrimmed(*list, paragraph.substr(start, end + 1 - start));
    start = end + 1;
    i = end;
  }
  // 6. Whatever is left is the last sentence.
  if (start < n) AddTrimmed(*list, paragraph.substr(start));
  return list;
}

// ---------------------------------------------------------------------------
// Words and capitals

Integer BasicWordCount(std::u16string_view s) {
  Integer words = 0;
  bool in_word = false;
  for (char16_t c : s) {
    const bool w = IsLetterOrDigit(c);
    if (w && !in_word) ++words;
    in_word = w;
  }
  return words;
}

Boolean ContainsAlphanumCharacter(std::u16string_view s) {
  for (char16_t c : s)
    if (IsLetterOrDigit(c)) return true;
  return false;
}

Boolean IsAllUppercase(std::u16string_view s) {
  for (char16_t c : s)
    if (IsLower(c)) return false;
  return true;
}

Boolean FirstLetterIsCapitalised(std::u16string_view s) { return !s.empty() && IsUpper(s[0]); }

Boolean NextWordCapitalised(std::u16string_view s, Integer pos) {
  const Integer n = Len(s);
  if (n == 0) return false;
  if (pos < 1) pos = 1;
  if (pos > n) return false;
  while (pos < n && !IsLetterOrDigit(At(s, pos))) ++pos;
  return IsUpper(At(s, pos));
}

WideChar FirstCharIsLowerCase(std::u16string_view s) {
  for (char16_t c : s) {
    const uint32_t m = CategoryMask(c);
    if (m & U_GC_LL_MASK) return c;
    if (m & (U_GC_LT_MASK | U_GC_LU_MASK | U_GC_ND_MASK | U_GC_NL_MASK | U_GC_NO_MASK | U_GC_SC_MASK)) return 0;
  }
  return 0;
}

Boolean LastCharIsNotPunctuation(std::u16string_view s) {
  for (std::size_t i = s.size(); i-- > 0;) {
    const uint32_t m = CategoryMask(s[i]);
    if (m & (U_GC_LL_MASK | U_GC_LT_MASK | U_GC_LU_MASK | U_GC_ND_MASK | U_GC_NL_MASK | U_GC_NO_MASK | U_GC_SC_MASK))
      return true;
    if (m & U_GC_P_MASK) return false;
  }
  return false;
}

string TitleCasedString(std::u16string_view s, Boolean first_word_only) {
  string out = UnicodeLowerCase(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (!u_isalpha(out[i]) || (i > 0 && out[i - 1] > 32)) continue;
    const char32_t up = UpperCodePoint(out[i], false);
    if (up <= 0xFFFF) out[i] = static_cast<char16_t>(up);
    if (first_word_only) break;
  }
  return out;
}

Boolean BoundedAtLeft(std::u16string_view s, Integer start) {
  if (start <= 1) return true;
  if (start - 1 > Len(s)) return true;
  return !IsLetterOrDigit(At(s, start - 1));
}

Boolean BoundedAtRight(std::u16string_view s, Integer last) {
  if (last >= Len(s)) return true;
  if (last < 0) return false;
  return !IsLetterOrDigit(At(s, last + 1));
}

Boolean BoundedWholeWord(std::u16string_view s, Integer start, Integer last) {
  return BoundedAtLeft(s, start) && BoundedAtRight(s, last);
}

Boolean IsBoundedOnLeft(std::u16string_view s, Integer start) { return BoundedAtLeft(s, start); }

Boolean IsBoundedOnRight(std::u16string_view s, Integer after) {
  if (after < 1 || after > Len(s)) return true;
  return !IsLetterOrDigit(At(s, after));
}

Boolean IsWholeWord(std::u16string_view s, Integer start, Integer after) {
  return IsBoundedOnLeft(s, start) && IsBoundedOnRight(s, after);
}

Integer WholeWordPositionOfXinUpcaseText(Integer start, std::u16string_view word, std::u16string_view text) {
  if (word.empty()) return 0;
  if (start < 1) start = 1;
  for (std::size_t at = text.find(word, static_cast<std::size_t>(start - 1)); at != std::u16string_view::npos;
       at = text.find(word, at + 1)) {
    const Integer p = static_cast<Integer>(at + 1);
    if (IsWholeWord(text, p, p + Len(word))) return p;
  }
  return 0;
}

namespace {
bool PassesFlags(std::u16string_view text, Integer p, Integer len, Integer flags) {
  if ((flags & kMustBeBoundedAtLeft) && !BoundedAtLeft(text, p)) return false;
  if ((flags & kMustBeBoundedAtRight) && !BoundedAtRight(text, p + len - 1)) return false;
  return true;
}
}  // namespace

Integer PosWordFoundIn(std::u16string_view word, std::u16string_view text, Integer flags) {
  if (word.empty() || text.empty()) return -1;
  for (std::size_t at = text.find(word); at != std::u16string_view::npos; at = text.find(word, at + 1)) {
    const Integer p = static_cast<Integer>(at + 1);
    if (PassesFlags(text, p, Len(word), flags)) return p;
  }
  return -1;
}

std::vector<Integer> PositionsWordFoundIn(std::u16string_view word, std::u16string_view text, Integer flags) {
  std::vector<Integer> found;
  if (word.empty() || text.empty()) return found;
  for (std::size_t at = text.find(word); at != std::u16string_view::npos; at = text.find(word, at + 1)) {
    const Integer p = static_cast<Integer>(at + 1);
    if (PassesFlags(text, p, Len(word), flags)) found.push_back(p);
  }
  return found;
}

// ---------------------------------------------------------------------------
// Affixes and tags

Boolean HasAffixes(std::u16string_view s) {
  const std::size_t lt = s.find(u'<');
  return lt != std::u16string_view::npos && s.find(u'>', lt + 1) != std::u16string_view::npos;
}

TPalavra PalavraFromString(std::u16string_view s) {
  TPalavra p;
  const std::size_t lt = s.find(u'<');
  const std::size_t gt = lt == std::u16string_view::npos ? lt : s.find(u'>', lt + 1);
  if (gt == std::u16string_view::npos) {
    p[1] = string(s);
  } else if (lt == 0) {
    p[0] = string(s.substr(0, gt + 1));
    p[1] = string(s.substr(gt + 1));
  } else if (gt == s.size() - 1) {
    p[1] = string(s.substr(0, lt));
    p[2] = string(s.substr(lt));
  } else {
    p[1] = string(s.substr(0, lt)) + string(s.substr(gt + 1));
    p[2] = string(s.substr(lt, gt - lt + 1));
  }
  return p;
}

Boolean IsAnOffTag(std::u16string_view tag) { return tag.substr(0, 2) == u"</"; }

string SameTagButSwitchedOff(std::u16string_view tag) {
  if (tag.empty()) return string();
  const std::size_t lt = tag.find(u'<');
  if (lt == std::u16string_view::npos) return u"/" + string(tag);
  string out(tag);
  out.insert(lt + 1, u"/");
  return out;
}

string TagOnNumbered(std::u16string_view tag, Integer n) {
  if (tag.empty() || tag.back() != u'>') return string(tag);
  return string(tag.substr(0, tag.size() - 1)) + u" \"" + IntToStr(n) + u"\">";
}

Boolean IsAngleBracketed(std::u16string_view s) { return !s.empty() && s.front() == u'<' && s.back() == u'>'; }

string Angle_Bracketed(std::u16string_view s) {
  string out(s);
  if (out.empty() || out.front() != u'<') out.insert(out.begin(), u'<');
  if (out.size() < 2 || out.back() != u'>') out.push_back(u'>');
  return out;
}

string UNAngle_Bracketed(std::u16string_view s) {
  if (!s.empty() && s.front() == u'<') s.remove_prefix(1);
  if (!s.empty() && s.back() == u'>') s.remove_suffix(1);
  return string(s);
}

string AnyAngleBracketsToHTML(std::u16string_view s) {
  string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c == u'<')
      out += u"&lt;";
    else if (c == u'>')
      out += u"&gt;";
    else
      out.push_back(c);
  }
  return out;
}

string SimpleTagValue(std::u16string_view name, std::u16string_view text, Boolean& found) {
  const string open = u"<" + string(name) + u">";
  const string close = u"</" + string(name) + u">";
  const std::size_t a = text.find(open), b = text.find(close);
  found = a != std::u16string_view::npos && b != std::u16string_view::npos && a + open.size() <= b;
  if (!found) return string();
  return string(text.substr(a + open.size(), b - a - open.size()));
}

string TrimmedSimpleTagValue(std::u16string_view name, std::u16string_view text, Boolean& found) {
  return Trim(SimpleTagValue(name, text, found));
}

string ExtractMarkupDataFromText(std::u16string_view text, std::u16string_view start_marker,
                                 std::u16string_view end_marker) {
  if (start_marker.empty() || end_marker.empty()) return string();
  const std::size_t a = text.find(start_marker);
  if (a == std::u16string_view::npos) return string();
  const std::size_t from = a + start_marker.size();
  const std::size_t b = text.find(end_marker, from);
  if (b == std::u16string_view::npos) return string();
  return string(text.substr(from, b - from));
}

string WithoutMarkup(std::u16string_view text, Integer max_tag_length) {
  if (max_tag_length < 1) return string(text);
  string out;
  out.reserve(text.size());
  const std::size_t max = static_cast<std::size_t>(max_tag_length);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'<') {
      const std::size_t gt = text.find(u'>', i);
      const std::size_t end = gt == std::u16string_view::npos ? text.size() - 1 : gt;
      if (end - i <= max) {
        i = end;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

string MarkupWithoutText(std::u16string_view text) {
  string out;
  for (std::size_t lt = text.find(u'<'); lt != std::u16string_view::npos;) {
    const std::size_t gt = text.find(u'>', lt + 1);
    if (gt == std::u16string_view::npos) break;
    out.append(text.substr(lt, gt - lt + 1));
    lt = text.find(u'<', gt + 1);
  }
  return out;
}

string MarkupFreeTextFromAFile(const string& file_name, Integer max_tag_length) {
  TStringList lines;
  lines.LoadFromFile(file_name);
  return WithoutMarkup(lines.Text(), max_tag_length);
}

string ParaDivHeadingEndToCRLF(std::u16string_view text) {
  static constexpr std::u16string_view kEnds[] = {u"</P>", u"</DIV>", u"</HEAD>"};
  string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    if (text[i] == u'<') {
      for (auto e : kEnds) {
        if (text.size() - i >= e.size() && CompareText(text.substr(i, e.size()), e) == 0) {
          out += u"\r\n";
          i += e.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out.push_back(text[i++]);
  }
  return out;
}

}  // namespace cv

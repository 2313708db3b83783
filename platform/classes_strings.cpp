// TStringList and the text encodings of its files.
#include <unicode/ucnv.h>

#include <algorithm>
#include <string>

#include "platform/classes.h"
#include "platform/coding.h"
#include "platform/nls.h"
#include "platform/utf.h"

namespace cv {

// ---------------------------------------------------------------------------
// Code pages

namespace {

TCodePageDecoder g_decoder = nullptr;
TCodePageEncoder g_encoder = nullptr;

// An ICU converter for a Windows code page number, or nullptr.
UConverter* OpenIcuConverter(Cardinal code_page) {
  const std::string n = std::to_string(code_page);
  for (const std::string& name : {"windows-" + n, "cp" + n, "ibm-" + n}) {
    UErrorCode err = U_ZERO_ERROR;
    UConverter* c = ucnv_open(name.c_str(), &err);
    if (U_SUCCESS(err)) return c;
  }
  return nullptr;
}

}  // namespace

void SetCodePageConverters(TCodePageDecoder decoder, TCodePageEncoder encoder) {
  g_decoder = decoder;
  g_encoder = encoder;
}

string DecodeCodePage(std::string_view bytes, Cardinal code_page) {
  if (code_page == CP_ACP) code_page = GetACP();
  if (code_page == CP_UTF8) return Utf8ToUtf16(bytes);
  if (g_decoder) return g_decoder(bytes, code_page);
  UConverter* c = OpenIcuConverter(code_page);
  if (!c) return Latin1ToUtf16(bytes);
  string out(bytes.size() * 2 + 16, u'\0');
  UErrorCode err = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(c, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                  static_cast<int32_t>(bytes.size()), &err);
  ucnv_close(c);
  if (U_FAILURE(err)) return Latin1ToUtf16(bytes);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string EncodeCodePage(std::u16string_view text, Cardinal code_page) {
  if (code_page == CP_ACP) code_page = GetACP();
  if (code_page == CP_UTF8) return Utf16ToUtf8(text);
  if (g_encoder) return g_encoder(text, code_page);
  UConverter* c = OpenIcuConverter(code_page);
  std::string out;
  if (c) {
    out.resize(text.size() * 4 + 16);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), text.data(),
                                      static_cast<int32_t>(text.size()), &err);
    ucnv_close(c);
    if (U_SUCCESS(err)) {
      out.resize(static_cast<std::size_t>(n));
      return out;
    }
  }
  out.clear();
  for (char16_t ch : text) out.push_back(ch < 256 ? static_cast<char>(ch) : '?');
  return out;
}

// ---------------------------------------------------------------------------
// Comparison

int AnsiCompareStr(std::u16string_view a, std::u16string_view b) {
  return CompareStringW(LOCALE_USER_DEFAULT, 0, a, b) - CSTR_EQUAL;
}

int AnsiCompareText(std::u16string_view a, std::u16string_view b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, b) - CSTR_EQUAL;
}

// ---------------------------------------------------------------------------
// TStringList

namespace {

[[noreturn]] void ListError(const char16_t* what, Integer index) {
  string s(what);
  const auto at = s.find(u"%d");
  if (at != string::npos) s.replace(at, 2, Latin1ToUtf16(std::to_string(index)));
  throw EStringListError(s);
}

bool IsBlank(char16_t c) { return c >= 1 && c <= u' '; }

}  // namespace

TStringList::~TStringList() { Clear(); }

void TStringList::CheckIndex(Integer index) const {
  if (index < 0 || index >= Count()) ListError(u"List index out of bounds (%d)", index);
}

void TStringList::FreeObject(void* obj) {
  if (owns_objects_ && obj && deleter_) deleter_(obj);
}

const string& TStringList::Strings(Integer index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].s;
}

void TStringList::SetString(Integer index, const string& s) {
  if (sorted_) ListError(u"Operation not allowed on sorted list", 0);
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)].s = s;
}

void* TStringList::Objects(Integer index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].obj;
}

void TStringList::SetObject(Integer index, void* obj) {
  CheckIndex(index);
  Item& it = items_[static_cast<std::size_t>(index)];
  if (it.obj != obj) FreeObject(it.obj);
  it.obj = obj;
}

Integer TStringList::Add(const string& s) { return AddObject(s, nullptr); }

Integer TStringList::AddObject(const string& s, void* obj) {
  Integer index;
  if (!sorted_) {
    index = Count();
  } else if (Find(s, index)) {
    switch (duplicates_) {
      case TDuplicates::dupIgnore: return index;
      case TDuplicates::dupError: ListError(u"String list does not allow duplicates", 0);
      case TDuplicates::dupAccept: break;
    }
  }
  InsertItem(index, s, obj);
  return index;
}

void TStringList::AddStrings(const TStringList& other) {
  if (&other == this) {
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i) AddObject(string(items_[static_cast<std::size_t>(i)].s), items_[static_cast<std::size_t>(i)].obj);
    return;
  }
  for (const Item& it : other.items_) AddObject(it.s, it.obj);
}

void TStringList::Assign(const TStringList& other) {
  if (&other == this) return;
  Clear();
  sorted_ = false;
  case_sensitive_ = other.case_sensitive_;
  duplicates_ = other.duplicates_;
  name_value_separator_ = other.name_value_separator_;
  delimiter_ = other.delimiter_;
  quote_char_ = other.quote_char_;
  strict_delimiter_ = other.strict_delimiter_;
  items_ = other.items_;
  sorted_ = other.sorted_;
}

void TStringList::Insert(Integer index, const string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(Integer index, const string& s, void* obj) {
  if (sorted_) ListError(u"Operation not allowed on sorted list", 0);
  if (index < 0 || index > Count()) ListError(u"List index out of bounds (%d)", index);
  InsertItem(index, s, obj);
}

void TStringList::InsertItem(Integer index, const string& s, void* obj) {
  items_.insert(items_.begin() + index, Item{s, obj});
}

void TStringList::Delete(Integer index) {
  CheckIndex(index);
  void* obj = items_[static_cast<std::size_t>(index)].obj;
  items_.erase(items_.begin() + index);
  FreeObject(obj);
}

void TStringList::Clear() {
  std::vector<Item> old;
  old.swap(items_);
  for (Item& it : old) FreeObject(it.obj);
}

void TStringList::Exchange(Integer index1, Integer index2) {
  if (sorted_) ListError(u"Operation not allowed on sorted list", 0);
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TStringList::Move(Integer cur_index, Integer new_index) {
  if (cur_index == new_index) return;
  if (sorted_) ListError(u"Operation not allowed on sorted list", 0);
  CheckIndex(cur_index);
  CheckIndex(new_index);
  Item it = std::move(items_[static_cast<std::size_t>(cur_index)]);
  items_.erase(items_.begin() + cur_index);
  items_.insert(items_.begin() + new_index, std::move(it));
}

int TStringList::CompareStrings(std::u16string_view a, std::u16string_view b) const {
  return case_sensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(std::u16string_view s, Integer& index) const {
  if (!sorted_) {
    index = IndexOf(s);
    return index >= 0;
  }
  bool found = false;
  Integer l = 0;
  Integer h = Count() - 1;
  while (l <= h) {
    const Integer i = l + (h - l) / 2;
    const int c = CompareStrings(items_[static_cast<std::size_t>(i)].s, s);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != TDuplicates::dupAccept) l = i;
      }
    }
  }
  index = l;
  return found;
}

Integer TStringList::IndexOf(std::u16string_view s) const {
  if (sorted_) {
    Integer i;
    return Find(s, i) ? i : -1;
  }
  for (Integer i = 0; i < Count(); ++i)
    if (CompareStrings(items_[static_cast<std::size_t>(i)].s, s) == 0) return i;
  return -1;
}

Integer TStringList::IndexOfObject(const void* obj) const {
  for (Integer i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)].obj == obj) return i;
  return -1;
}

void TStringList::SetSorted(bool value) {
  if (value == sorted_) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == case_sensitive_) return;
  case_sensitive_ = value;
  if (sorted_) {
    sorted_ = false;
    SetSorted(true);
  }
}

namespace {
int DefaultListCompare(TStringList& list, Integer a, Integer b) {
  return list.CompareStrings(list.Strings(a), list.Strings(b));
}
}  // namespace

void TStringList::Sort() { CustomSort(&DefaultListCompare); }

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (Count() > 1) QuickSort(0, Count() - 1, compare);
}

void TStringList::QuickSort(Integer l, Integer r, TStringListSortCompare compare) {
  // Delphi's TStringList.QuickSort, recursing into the smaller part.
  while (l < r) {
    Integer i = l;
    Integer j = r;
    Integer p = l + (r - l) / 2;
    do {
      while (compare(*this, i, p) < 0) ++i;
      while (compare(*this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - l < r - i) {
      if (l < j) QuickSort(l, j, compare);
      l = i;
    } else {
      if (i < r) QuickSort(i, r, compare);
      r = j;
    }
  }
}

// name=value

string TStringList::Names(Integer index) const {
  const string& s = Strings(index);
  const auto p = s.find(name_value_separator_);
  return p == string::npos ? string() : s.substr(0, p);
}

string TStringList::ValueFromIndex(Integer index) const {
  if (index < 0) return string();
  const string& s = Strings(index);
  const auto p = s.find(name_value_separator_);
  return p == string::npos ? string() : s.substr(p + 1);
}

Integer TStringList::IndexOfName(std::u16string_view name) const {
  for (Integer i = 0; i < Count(); ++i) {
    const string& s = items_[static_cast<std::size_t>(i)].s;
    const auto p = s.find(name_value_separator_);
    if (p != string::npos && CompareStrings(std::u16string_view(s).substr(0, p), name) == 0) return i;
  }
  return -1;
}

string TStringList::Values(std::u16string_view name) const {
  const Integer i = IndexOfName(name);
  return i < 0 ? string() : ValueFromIndex(i);
}

void TStringList::SetValue(std::u16string_view name, const string& value) {
  Integer i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  const string line = string(name) + name_value_separator_ + value;
  if (i < 0) {
    Add(line);
  } else if (sorted_) {
    Delete(i);
    Add(line);
  } else {
    SetString(i, line);
  }
}

// Text

string TStringList::Text() const {
  string out;
  for (const Item& it : items_) {
    out += it.s;
    out += u"\r\n";
  }
  return out;
}

void TStringList::SetText(std::u16string_view text) {
  BeginUpdate();
  Clear();
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    std::size_t j = i;
    while (j < n && text[j] != u'\r' && text[j] != u'\n') ++j;
    Add(string(text.substr(i, j - i)));
    if (j < n && text[j] == u'\r') ++j;
    if (j < n && text[j] == u'\n') ++j;
    i = j;
  }
  EndUpdate();
}

string TStringList::QuotedForDelimited(const string& s) const {
  bool quote = false;
  for (char16_t c : s) {
    if (c == 0) break;
    if (c == quote_char_ || c == delimiter_ || (!strict_delimiter_ && IsBlank(c))) {
      quote = true;
      break;
    }
  }
  if (!quote) return s;
  string out(1, quote_char_);
  for (char16_t c : s) {
    out += c;
    if (c == quote_char_) out += c;
  }
  out += quote_char_;
  return out;
}

string TStringList::DelimitedText() const {
  if (Count() == 1 && items_[0].s.empty()) return string(2, quote_char_);
  string out;
  for (Integer i = 0; i < Count(); ++i) {
    if (i > 0) out += delimiter_;
    out += QuotedForDelimited(items_[static_cast<std::size_t>(i)].s);
  }
  return out;
}

void TStringList::SetDelimitedText(std::u16string_view text) {
  // Delphi's parser: the end of the text acts as the terminator #0.
  const std::size_t n = text.size();
  auto at = [&](std::size_t k) -> char16_t { return k < n ? text[k] : u'\0'; };
  BeginUpdate();
  Clear();
  std::size_t p = 0;
  if (!strict_delimiter_)
    while (IsBlank(at(p))) ++p;
  while (at(p) != 0) {
    string s;
    if (at(p) == quote_char_) {
      ++p;
      while (p < n) {
        if (text[p] == quote_char_) {
          if (at(p + 1) == quote_char_) {
            s += quote_char_;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        s += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (((!strict_delimiter_ && at(p) > u' ') || (strict_delimiter_ && at(p) != 0)) &&
             at(p) != delimiter_)
        ++p;
      s.assign(text.substr(start, p - start));
    }
    Add(s);
    if (!strict_delimiter_)
      while (IsBlank(at(p))) ++p;
    if (at(p) == delimiter_) {
      if (at(p + 1) == 0) Add(string());
      do {
        ++p;
      } while (!strict_delimiter_ && IsBlank(at(p)));
    }
  }
  EndUpdate();
}

string TStringList::CommaText() const {
  auto* self = const_cast<TStringList*>(this);
  const WideChar d = delimiter_, q = quote_char_;
  const bool strict = strict_delimiter_;
  self->delimiter_ = u',';
  self->quote_char_ = u'"';
  self->strict_delimiter_ = false;
  string out = DelimitedText();
  self->delimiter_ = d;
  self->quote_char_ = q;
  self->strict_delimiter_ = strict;
  return out;
}

void TStringList::SetCommaText(std::u16string_view text) {
  const WideChar d = delimiter_, q = quote_char_;
  const bool strict = strict_delimiter_;
  delimiter_ = u',';
  quote_char_ = u'"';
  strict_delimiter_ = false;
  SetDelimitedText(text);
  delimiter_ = d;
  quote_char_ = q;
  strict_delimiter_ = strict;
}

// Files

void TStringList::LoadFromStream(TStream& stream, TTextEncoding encoding) {
  const Int64 size = stream.Remaining();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0) stream.ReadBuffer(bytes.data(), size);
  std::string_view b(bytes);
  auto starts = [&](std::string_view bom) { return b.substr(0, bom.size()) == bom; };
  TTextEncoding found = encoding;
  if (encoding == TTextEncoding::teDetect) {
    if (starts("\xFF\xFE"))
      found = TTextEncoding::teUTF16LE;
    else if (starts("\xFE\xFF"))
      found = TTextEncoding::teUTF16BE;
    else if (starts("\xEF\xBB\xBF"))
      found = TTextEncoding::teUTF8;
    else
      found = TTextEncoding::teAnsi;
  }
  string text;
  switch (found) {
    case TTextEncoding::teUTF16LE:
    case TTextEncoding::teUTF16BE: {
      if (starts(found == TTextEncoding::teUTF16LE ? "\xFF\xFE" : "\xFE\xFF")) b.remove_prefix(2);
      text.resize(b.size() / 2);
      const auto* p = reinterpret_cast<const Byte*>(b.data());
      for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = found == TTextEncoding::teUTF16LE
                      ? static_cast<char16_t>(DecodeFixed16(p + 2 * i))
                      : static_cast<char16_t>((p[2 * i] << 8) | p[2 * i + 1]);
      break;
    }
    case TTextEncoding::teUTF8:
    case TTextEncoding::teUTF8NoBOM:
      if (starts("\xEF\xBB\xBF")) b.remove_prefix(3);
      text = Utf8ToUtf16(b);
      break;
    default:
      text = DecodeCodePage(b, CP_ACP);
      break;
  }
  encoding_ = found;
  SetText(text);
}

void TStringList::LoadFromFile(const string& file_name, TTextEncoding encoding) {
  TFileStream f(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f, encoding);
}

void TStringList::SaveToStream(TStream& stream, TTextEncoding encoding) const {
  const string text = Text();
  std::string out;
  switch (encoding) {
    case TTextEncoding::teUTF16BE:
      out = "\xFE\xFF";
      for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
      }
      break;
    case TTextEncoding::teUTF8:
      out = "\xEF\xBB\xBF" + Utf16ToUtf8(text);
      break;
    case TTextEncoding::teUTF8NoBOM:
      out = Utf16ToUtf8(text);
      break;
    case TTextEncoding::teAnsi:
      out = EncodeCodePage(text, CP_ACP);
      break;
    default:
      out = "\xFF\xFE";
      PutUtf16(out, text);
      break;
  }
  stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TStringList::SaveToFile(const string& file_name, TTextEncoding encoding) const {
  SaveFileAtomically(file_name, [&](TStream& s) { SaveToStream(s, encoding); });
}

}  // namespace cv

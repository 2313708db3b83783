#include "files/ini_file_base.h"

#include <cstdio>

#include "files/file_names.h"
#include "files/file_ops.h"
#include "platform/nls.h"
#include "platform/sysutils.h"

namespace cv {

bool MEMINI_include_checklistbox_checkeds = false;

// The first line is a comment too, so that every ini reader (not only ours,
// which drops lines before the first section) accepts the file.
const char16_t* const kIniHeaderLines[4] = {
    u"; Automatically generated file. CAREFUL!!!",
    u"; Settings file created by Corvane.",
    u"; Delete it if you want.",
    u"; Modify it at your own risk!",
};

namespace {

bool SameIdent(std::u16string_view a, std::u16string_view b) { return SameNameIgnoringCase(a, b); }

string OneLine(std::u16string_view v) {
  string s(v);
  for (char16_t& c : s)
    if (c == u'\r' || c == u'\n') c = u' ';
  return s;
}

struct NamedColour {
  const char16_t* name;
  TColor value;
};

// The platform's colour names, standard colours first, then the system
// colours (negative: 0xFF000000 + the system colour index).
constexpr NamedColour kColours[] = {
    {u"clBlack", 0x000000},      {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},      {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},       {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},       {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},     {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},       {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},       {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},       {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0}, {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},      {u"clMedGray", 0xA4A0A0},
    {u"clNone", 0x1FFFFFFF},     {u"clDefault", 0x20000000},
    {u"clScrollBar", TColor(0xFF000000)},
    {u"clBackground", TColor(0xFF000001)},
    {u"clActiveCaption", TColor(0xFF000002)},
    {u"clInactiveCaption", TColor(0xFF000003)},
    {u"clMenu", TColor(0xFF000004)},
    {u"clWindow", TColor(0xFF000005)},
    {u"clWindowFrame", TColor(0xFF000006)},
    {u"clMenuText", TColor(0xFF000007)},
    {u"clWindowText", TColor(0xFF000008)},
    {u"clCaptionText", TColor(0xFF000009)},
    {u"clActiveBorder", TColor(0xFF00000A)},
    {u"clInactiveBorder", TColor(0xFF00000B)},
    {u"clAppWorkSpace", TColor(0xFF00000C)},
    {u"clHighlight", TColor(0xFF00000D)},
    {u"clHighlightText", TColor(0xFF00000E)},
    {u"clBtnFace", TColor(0xFF00000F)},
    {u"clBtnShadow", TColor(0xFF000010)},
    {u"clGrayText", TColor(0xFF000011)},
    {u"clBtnText", TColor(0xFF000012)},
    {u"clInactiveCaptionText", TColor(0xFF000013)},
    {u"clBtnHighlight", TColor(0xFF000014)},
    {u"cl3DDkShadow", TColor(0xFF000015)},
    {u"cl3DLight", TColor(0xFF000016)},
    {u"clInfoText", TColor(0xFF000017)},
    {u"clInfoBk", TColor(0xFF000018)},
    {u"clHotLight", TColor(0xFF00001A)},
    {u"clGradientActiveCaption", TColor(0xFF00001B)},
    {u"clGradientInactiveCaption", TColor(0xFF00001C)},
    {u"clMenuHighlight", TColor(0xFF00001D)},
    {u"clMenuBar", TColor(0xFF00001E)},
};

// A whole decimal number 0..255 (no sign, no blanks).
bool ColourPart(std::u16string_view s, Integer& v) {
  if (s.empty() || s.size() > 3) return false;
  v = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
  }
  return v <= 255;
}

}  // namespace

string IniColorToString(TColor c) {
  for (const NamedColour& n : kColours)
    if (n.value == c) return n.name;
  return u"$" + IntToHex(static_cast<Cardinal>(c), 8);
}

bool IniTryStringToColor(std::u16string_view s, TColor& c) {
  for (const NamedColour& n : kColours) {
    if (SameText(s, n.name)) {
      c = n.value;
      return true;
    }
  }
  Int64 v;
  if (!TryStrToInt64(s, v) || v < INT32_MIN || v > UINT32_MAX) return false;
  c = static_cast<TColor>(static_cast<Cardinal>(v));
  return true;
}

// ---------------------------------------------------------------------------
// TMemIniFile

TMemIniFile::TMemIniFile(const string& file_name) : file_name_(file_name) {
  if (file_name.empty() || !FileFacts(file_name).exists) return;
  TStringList lines;
  try {
    lines.LoadFromFile(file_name);
  } catch (const std::exception&) {
    return;
  }
  SetStrings(lines);
}

TMemIniFile::Section* TMemIniFile::FindSection(std::u16string_view name) {
  for (Section& s : sections_)
    if (SameIdent(s.name, name)) return &s;
  return nullptr;
}

const TMemIniFile::Section* TMemIniFile::FindSection(std::u16string_view name) const {
  for (const Section& s : sections_)
    if (SameIdent(s.name, name)) return &s;
  return nullptr;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::u16string_view name) {
  if (Section* s = FindSection(name)) return *s;
  sections_.push_back(Section{string(name), {}});
  return sections_.back();
}

void TMemIniFile::SetStrings(const TStringList& lines) {
  sections_.clear();
  Section* current = nullptr;
  for (Integer i = 0; i < lines.Count(); ++i) {
    const string s = Trim(lines[i]);
    if (s.empty() || s[0] == u';') continue;
    if (s[0] == u'[' && s.find(u']') == s.size() - 1) {
      current = &AddSection(Trim(std::u16string_view(s).substr(1, s.size() - 2)));
      continue;
    }
    if (current == nullptr) continue;
    const std::size_t eq = s.find(u'=');
    Line line;
    if (eq == string::npos) {
      line.value = s;
    } else {
      line.has_equals = true;
      line.key = Trim(std::u16string_view(s).substr(0, eq));
      line.value = Trim(std::u16string_view(s).substr(eq + 1));
    }
    current->lines.push_back(std::move(line));
  }
}

void TMemIniFile::GetStrings(TStringList& out) const {
  out.Clear();
  for (const Section& s : sections_) {
    out.Add(u"[" + s.name + u"]");
    for (const Line& l : s.lines) out.Add(l.has_equals ? l.key + u"=" + l.value : l.value);
    out.Add(string());
  }
}

string TMemIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                               std::u16string_view def) const {
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines)
      if (l.has_equals && SameIdent(l.key, ident)) return l.value;
  return string(def);
}

void TMemIniFile::WriteString(std::u16string_view section, std::u16string_view ident,
                              std::u16string_view value) {
  Section& s = AddSection(section);
  for (Line& l : s.lines) {
    if (l.has_equals && SameIdent(l.key, ident)) {
      l.value = OneLine(value);
      return;
    }
  }
  s.lines.push_back(Line{string(ident), OneLine(value), true});
}

Integer TMemIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident, Integer def) const {
  const string s = ReadString(section, ident, u"");
  Integer v;
  return TryStrToInt(Trim(s), v) ? v : def;
}

void TMemIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident, Integer value) {
  WriteString(section, ident, IntToStr(value));
}

double TMemIniFile::ReadFloat(std::u16string_view section, std::u16string_view ident, double def) const {
  const string s = ReadString(section, ident, u"");
  double v;
  return TryStrToFloat(Trim(s), v) ? v : def;
}

void TMemIniFile::WriteFloat(std::u16string_view section, std::u16string_view ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TMemIniFile::SectionExists(std::u16string_view section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(std::u16string_view section, std::u16string_view ident) const {
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines)
      if (l.has_equals && SameIdent(l.key, ident)) return true;
  return false;
}

void TMemIniFile::ReadSections(TStringList& out) const {
  out.Clear();
  for (const Section& s : sections_) out.Add(s.name);
}

void TMemIniFile::ReadSection(std::u16string_view section, TStringList& keys) const {
  keys.Clear();
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines)
      if (l.has_equals) keys.Add(l.key);
}

void TMemIniFile::ReadSectionValues(std::u16string_view section, TStringList& out) const {
  out.Clear();
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines) out.Add(l.has_equals ? l.key + u"=" + l.value : l.value);
}

void TMemIniFile::EraseSection(std::u16string_view section) {
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (SameIdent(it->name, section)) {
      sections_.erase(it);
      return;
    }
  }
}

void TMemIniFile::DeleteKey(std::u16string_view section, std::u16string_view ident) {
  if (Section* s = FindSection(section)) {
    for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
      if (it->has_equals && SameIdent(it->key, ident)) {
        s->lines.erase(it);
        return;
      }
    }
  }
}

void TMemIniFile::Clear() { sections_.clear(); }

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  lines.SaveToFile(file_name_, TTextEncoding::teUTF16LE);
}

// ---------------------------------------------------------------------------
// TMyMemIniFile

bool TMyMemIniFile::ReadBool(std::u16string_view section, std::u16string_view ident, bool def) const {
  if (def) {
    const string s = ReadString(section, ident, ident_YES);
    return !s.empty() && s[0] == u'Y';
  }
  const string s = ReadString(section, ident, ident_NO);
  return s.empty() || s[0] != u'N';
}

void TMyMemIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  WriteString(section, ident, value ? ident_YES : ident_NO);
}

TColor TMyMemIniFile::ReadColor(std::u16string_view section, std::u16string_view ident, TColor def) const {
  string s = ReadString(section, ident, IniColorToString(def));
  if (s.find(u'.') == string::npos) {
    if (!s.empty() && s[0] == u'#') s.erase(0, 1);
    TColor c;
    return IniTryStringToColor(s, c) ? c : def;
  }
  const std::size_t p1 = s.find(u'.');
  const std::size_t p2 = s.find(u'.', p1 + 1);
  if (p2 == string::npos || s.find(u'.', p2 + 1) != string::npos) return def;
  Integer r, g, b;
  const std::u16string_view v(s);
  if (!ColourPart(v.substr(0, p1), r) || !ColourPart(v.substr(p1 + 1, p2 - p1 - 1), g) ||
      !ColourPart(v.substr(p2 + 1), b))
    return def;
  return r + g * 256 + b * 65536;
}

void TMyMemIniFile::WriteColor(std::u16string_view section, std::u16string_view ident, TColor value) {
  WriteString(section, ident, IniColorToString(value));
}

void TMyMemIniFile::WriteOneString(std::u16string_view section, std::u16string_view s, const void* obj,
                                   Integer n) {
  const bool checked = MEMINI_include_checklistbox_checkeds && obj != nullptr;
  WriteString(section, (checked ? u"[c" : u"[v") + IntToStr(n) + u"]", s);
}

void TMyMemIniFile::WriteMultiString(std::u16string_view section, const TStringList& strings,
                                     Integer maxToWrite) {
  EraseSection(section);
  const Integer n = std::min(maxToWrite, strings.Count());
  for (Integer i = 0; i < n; ++i) WriteOneString(section, strings[i], strings.Objects(i), i);
}

void TMyMemIniFile::WriteMultiString(std::u16string_view section, const TStringList& strings) {
  WriteMultiString(section, strings, strings.Count());
}

void TMyMemIniFile::ReadMultiString(std::u16string_view section, TStringList& strings) const {
  TStringList lines;
  ReadSectionValues(section, lines);
  if (lines.Count() > 0) {
    const string& last = lines[lines.Count() - 1];
    Integer dummy;
    if (last.size() > 2 && last[0] == u'i' && last[1] == u'=' &&
        TryStrToInt(std::u16string_view(last).substr(2), dummy))
      lines.Delete(lines.Count() - 1);
  }
  for (Integer i = 0; i < lines.Count(); ++i) {
    const string& line = lines[i];
    const std::size_t eq = line.find(u'=');
    if (eq == string::npos) {
      strings.Add(line);
      continue;
    }
    void* obj = nullptr;
    if (MEMINI_include_checklistbox_checkeds && line.substr(0, eq).find(u"[c") != string::npos)
      obj = reinterpret_cast<void*>(static_cast<std::uintptr_t>(1));
    strings.AddObject(line.substr(eq + 1), obj);
  }
}

bool TMyMemIniFile::SaveABackup() {
  if (file_name_.empty() || !FileFacts(file_name_).exists) return false;
  return CopyAFile(file_name_, ChangeFileExt(file_name_, u".ini.Backup"));
}

void TMyMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(lines);
  lines.Insert(0, string());
  for (Integer h = 3; h >= 0; --h)
    if (lines.IndexOf(kIniHeaderLines[h]) < 0) lines.Insert(0, kIniHeaderLines[h]);
  SaveABackup();
  lines.SaveToFile(file_name_, TTextEncoding::teUTF16LE);
}

}  // namespace cv

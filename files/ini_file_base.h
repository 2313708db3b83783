// The suite's ini files: an in-memory ini file (TMemIniFile) and the
// suite's variant of it (TMyMemIniFile), written as UTF-16 with a warning
// header and a backup of the previous file.
//
// File form (what Load reads and GetStrings gives):
//   line    := section-header | key "=" value | comment | other
//   section-header := "[" name "]"   -- the line's first "]" is its last
//                                        character, so "[v3]=a[1]" is a value
//   comment := ";" ...               -- skipped, as are blank lines
// Lines are trimmed; key and value are trimmed around the first "=".  Lines
// before the first section are dropped.  Sections and keys are looked up
// ignoring case and keep the spelling they were first written with.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

class TMemIniFile {
 public:
  // Reads the file when it exists: UTF-16 or UTF-8 by byte-order mark, else
  // the ANSI code page.  A missing or unreadable file gives an empty ini.
  explicit TMemIniFile(const string& file_name);
  virtual ~TMemIniFile() = default;
  TMemIniFile(const TMemIniFile&) = delete;
  TMemIniFile& operator=(const TMemIniFile&) = delete;

  const string& FileName() const { return file_name_; }

  string ReadString(std::u16string_view section, std::u16string_view ident,
                    std::u16string_view def) const;
  // A value holding a line break would turn into several lines of the file;
  // each CR or LF is stored as a blank instead.
  void WriteString(std::u16string_view section, std::u16string_view ident, std::u16string_view value);
  Integer ReadInteger(std::u16string_view section, std::u16string_view ident, Integer def) const;
  void WriteInteger(std::u16string_view section, std::u16string_view ident, Integer value);
  double ReadFloat(std::u16string_view section, std::u16string_view ident, double def) const;
  void WriteFloat(std::u16string_view section, std::u16string_view ident, double value);

  bool SectionExists(std::u16string_view section) const;
  bool ValueExists(std::u16string_view section, std::u16string_view ident) const;
  void ReadSections(TStringList& out) const;
  void ReadSection(std::u16string_view section, TStringList& keys) const;
  // The section's lines as "key=value" (other lines as they are).
  void ReadSectionValues(std::u16string_view section, TStringList& out) const;
  void EraseSection(std::u16string_view section);
  void DeleteKey(std::u16string_view section, std::u16string_view ident);
  void Clear();

  // The whole ini as lines: each section's header, its lines, an empty line.
  void GetStrings(TStringList& out) const;
  void SetStrings(const TStringList& lines);

  // Writes the file (UTF-16LE with byte-order mark); EStreamError when it
  // cannot be written, the old file then kept whole.
  virtual void UpdateFile();

 protected:
  struct Line {
    string key;    // empty for a line without "="
    string value;  // the whole line when key is empty
    bool has_equals = false;
  };
  struct Section {
    string name;
    std::vector<Line> lines;
  };
  Section* FindSection(std::u16string_view name);
  const Section* FindSection(std::u16string_view name) const;
  Section& AddSection(std::u16string_view name);

  string file_name_;
  std::vector<Section> sections_;
};

inline constexpr char16_t ident_YES[] = u"YES";
inline constexpr char16_t ident_NO[] = u"NO";

// When set, checked list entries (an assigned object) are written under
// "[c<n>]" and read back with the object value 1.
extern bool MEMINI_include_checklistbox_checkeds;

// The header lines a saved file begins with.
extern const char16_t* const kIniHeaderLines[4];

class TMyMemIniFile : public TMemIniFile {
 public:
  explicit TMyMemIniFile(const string& file_name) : TMemIniFile(file_name) {}

  bool ReadBool(std::u16string_view section, std::u16string_view ident, bool def) const;
  void WriteBool(std::u16string_view section, std::u16string_view ident, bool value);
  // Colour names (clRed), numbers ($0000FF, 255) or r.g.b in decimal; the
  // default for text that is none of these.
  TColor ReadColor(std::u16string_view section, std::u16string_view ident, TColor def) const;
  void WriteColor(std::u16string_view section, std::u16string_view ident, TColor value);

  void WriteMultiString(std::u16string_view section, const TStringList& strings, Integer maxToWrite);
  void WriteMultiString(std::u16string_view section, const TStringList& strings);
  void WriteOneString(std::u16string_view section, std::u16string_view s, const void* obj, Integer n);
  // Appends the section's entries to strings (objects: nil, or 1 for
  // checked entries).
  void ReadMultiString(std::u16string_view section, TStringList& strings) const;

  // Copies the file to the same name with ".ini.Backup"; false when there is
  // no file or the copy failed.
  bool SaveABackup();
  // Header lines, backup, then the file.
  void UpdateFile() override;
};

// The platform's colour names: "clRed" for $0000FF, else "$" and 8 hex
// digits; and back (names ignoring case, or numbers).  false when the text
// is neither.
string IniColorToString(TColor c);
bool IniTryStringToColor(std::u16string_view s, TColor& c);

}  // namespace cv

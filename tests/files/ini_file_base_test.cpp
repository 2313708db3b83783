#include "files/ini_file_base.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "files/file_ops.h"
#include "platform/sysutils.h"
#include "tests/files/small_tmpfs.h"
#include "platform/utf.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

class IniFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cv_ini_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    MEMINI_include_checklistbox_checkeds = false;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
    MEMINI_include_checklistbox_checkeds = false;
  }
  string Name(const char* leaf) const { return Utf8ToUtf16(dir_ + "/" + leaf); }
  static std::string Bytes(const string& name) {
    std::string b;
    ReadWholeFile(name, b);
    return b;
  }
  // A UTF-16LE file with byte-order mark, from UTF-8 text.
  static void WriteUtf16(const string& name, std::string_view utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : Utf8ToUtf16(utf8)) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
    ASSERT_TRUE(WriteFileAtomically(name, bytes));
  }
  std::string dir_;
};

// What Python's configparser makes of a file, as "section|key|value" lines.
std::string ConfigParserView(const string& name) {
  const std::string cmd =
      "/usr/bin/python3 -c \"import configparser,sys\n"
      "cp=configparser.ConfigParser(interpolation=None,strict=False)\n"
      "cp.optionxform=str\n"
      "cp.read_string(open(sys.argv[1],'rb').read().decode('utf-16'))\n"
      "for s in cp.sections():\n"
      "  for k,v in cp[s].items(): sys.stdout.buffer.write(('%s|%s|%s\\n'%(s,k,v)).encode('utf-8'))\" '" +
      Utf16ToUtf8(name) + "'";
  FILE* p = popen(cmd.c_str(), "r");
  if (p == nullptr) return "(no python)";
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  return pclose(p) == 0 ? out : "(python failed)";
}

TEST_F(IniFiles, WrittenFileIsUtf16WithHeaderAndConfigParserReadsIt) {
  const string name = Name("a.ini");
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"Main", u"Title", u"Ação [draft] = 2");
    ini.WriteString(u"Main", u"Path", u"/home/ü/x=y.txt");
    ini.WriteBool(u"Main", u"Visible", true);
    ini.WriteInteger(u"Sizes", u"Width", -640);
    ini.WriteColor(u"Sizes", u"Colour", 0x0000FF);
    ini.UpdateFile();
  }
  const std::string bytes = Bytes(name);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes.find(std::string("\r\0\n\0", 4)), std::string::npos);

  const std::string view = ConfigParserView(name);
  if (view == "(no python)") GTEST_SKIP() << "python3 is not available";
  EXPECT_EQ(view,
            "Main|Title|Ação [draft] = 2\n"
            "Main|Path|/home/ü/x=y.txt\n"
            "Main|Visible|YES\n"
            "Sizes|Width|-640\n"
            "Sizes|Colour|clRed\n");
}

TEST_F(IniFiles, SavingTwiceKeepsOneHeaderAndBacksUpThePreviousFile) {
  const string name = Name("b.ini");
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"S", u"k", u"first");
    ini.UpdateFile();
  }
  const std::string first = Bytes(name);
  {
    TMyMemIniFile ini(name);
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"first");
    ini.WriteString(u"s", u"K", u"second");  // section and key ignore case
    ini.UpdateFile();
  }
  EXPECT_EQ(Bytes(Name("b.ini.Backup")), first);
  TStringList lines;
  lines.LoadFromFile(name);
  Integer headers = 0;
  for (Integer i = 0; i < lines.Count(); ++i)
    if (lines[i] == kIniHeaderLines[0]) ++headers;
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(lines[4], u"");
  EXPECT_EQ(lines[5], u"[S]");
  EXPECT_EQ(lines[6], u"k=second");
}

TEST_F(IniFiles, SectionHeadersAndValuesThatLookLikeThem) {
  const string name = Name("c.ini");
  WriteUtf16(name,
             "stray=before any section\r\n"
             "[List]\r\n"
             "[v0]=plain\r\n"
             "[v1]=a[1]\r\n"
             "[v2]=[x]\r\n"
             "; a comment\r\n"
             "  [v3] = spaced  \r\n"
             "[ Other ]\r\n"
             "no equals here\r\n"
             "i=3\r\n");
  TMyMemIniFile ini(name);
  TStringList sections;
  ini.ReadSections(sections);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections[0], u"List");
  EXPECT_EQ(sections[1], u"Other");
  TStringList list;
  ini.ReadMultiString(u"List", list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], u"plain");
  EXPECT_EQ(list[1], u"a[1]");
  EXPECT_EQ(list[2], u"[x]");
  EXPECT_EQ(list[3], u"spaced");
  TStringList other;
  ini.ReadMultiString(u"Other", other);  // the final i=3 is left out
  ASSERT_EQ(other.Count(), 1);
  EXPECT_EQ(other[0], u"no equals here");
}

TEST_F(IniFiles, MultiStringsRoundTripWithCheckedEntries) {
  const string name = Name("d.ini");
  TStringList items;
  items.AddObject(u"[bracketed] = value", reinterpret_cast<void*>(1));
  items.AddObject(u"naïve=καλή", nullptr);
  items.AddObject(u"x]", reinterpret_cast<void*>(1));
  items.AddObject(u"not written", nullptr);
  MEMINI_include_checklistbox_checkeds = true;
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"L", u"old", u"erased by the multi-string");
    ini.WriteMultiString(u"L", items, 3);
    ini.WriteInteger(u"L", u"i", 2);
    ini.UpdateFile();
  }
  TMyMemIniFile ini(name);
  EXPECT_FALSE(ini.ValueExists(u"L", u"old"));
  EXPECT_TRUE(ini.ValueExists(u"L", u"[c0]"));
  TStringList back;
  ini.ReadMultiString(u"L", back);
  ASSERT_EQ(back.Count(), 3);
  for (Integer i = 0; i < 3; ++i) {
    EXPECT_EQ(back[i], items[i]);
    EXPECT_EQ(back.Objects(i) != nullptr, items.Objects(i) != nullptr) << i;
  }
}

TEST_F(IniFiles, BooleansAndColours) {
  TMyMemIniFile ini(Name("e.ini"));
  struct BoolCase {
    const char16_t* stored;  // nullptr: key missing
    bool def, expected;
  } bools[] = {
      {u"YES", true, true}, {u"yes", true, false}, {u"Y", true, true},   {u"", true, false},
      {nullptr, true, true}, {u"NO", false, false}, {u"no", false, true}, {u"", false, true},
      {nullptr, false, false},
  };
  for (const BoolCase& c : bools) {
    ini.EraseSection(u"B");
    if (c.stored) ini.WriteString(u"B", u"k", c.stored);
    EXPECT_EQ(ini.ReadBool(u"B", u"k", c.def), c.expected)
        << (c.stored ? Utf16ToUtf8(c.stored) : "(missing)") << " def " << c.def;
  }
  struct ColourCase {
    const char16_t* stored;
    TColor expected;
  } colours[] = {
      {u"255.0.0", 0x0000FF},  {u"0.128.255", 0xFF8000}, {u"255.x.0", 77},  {u"256.0.0", 77},
      {u"1.2", 77},            {u"1.2.3.4", 77},         {u"clRed", 0xFF},  {u"#clRed", 0xFF},
      {u"CLBLUE", 0xFF0000},   {u"$00FF00", 0xFF00},     {u"#$00FF00", 0xFF00},
      {u"4259840", 0x410000},  {u"clWindow", TColor(0xFF000005)},
      {u"not a colour", 77},   {u"", 77},
  };
  for (const ColourCase& c : colours) {
    ini.WriteString(u"C", u"k", c.stored);
    EXPECT_EQ(ini.ReadColor(u"C", u"k", 77), c.expected) << Utf16ToUtf8(c.stored);
  }
  EXPECT_EQ(ini.ReadColor(u"C", u"missing", 0x123456), 0x123456);
  ini.WriteColor(u"C", u"w", 0x123456);
  EXPECT_EQ(ini.ReadString(u"C", u"w", u""), u"$00123456");
  EXPECT_EQ(ini.ReadColor(u"C", u"w", 0), 0x123456);
}

TEST_F(IniFiles, ALineBreakInAValueCannotAddLines) {
  const string name = Name("f.ini");
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"S", u"k", u"one\r\n[Injected]\r\nx=1");
    ini.UpdateFile();
  }
  TMyMemIniFile ini(name);
  EXPECT_FALSE(ini.SectionExists(u"Injected"));
  EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"one  [Injected]  x=1");
}

TEST(IniFilesOnASmallDisk, AFailedSaveKeepsTheOldFileAndItsBackup) {
  testing_support::SmallTmpfs disk;
  CV_REQUIRE_SMALL_TMPFS(disk);
  const string name = Utf8ToUtf16(disk.dir() + "/g.ini");
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"S", u"k", u"kept");
    ini.UpdateFile();
  }
  std::string before;
  ASSERT_TRUE(ReadWholeFile(name, before));

  // A full disk: the new text (far larger than what is left) cannot be written.
  disk.Fill();
  {
    TMyMemIniFile ini(name);
    for (int i = 0; i < 2000; ++i) ini.WriteString(u"S", u"key" + IntToStr(i), string(40, u'v'));
    EXPECT_ANY_THROW(ini.UpdateFile());
  }
  std::string after;
  ASSERT_TRUE(ReadWholeFile(name, after));
  EXPECT_EQ(after, before);
  disk.Unfill();

  // A read-only folder (which stops root too).
  ASSERT_TRUE(disk.MakeReadOnly());
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"S", u"k", u"lost");
    EXPECT_FALSE(ini.SaveABackup());
    EXPECT_ANY_THROW(ini.UpdateFile());
  }
  ASSERT_TRUE(ReadWholeFile(name, after));
  EXPECT_EQ(after, before);
  disk.MakeWritable();
}

}  // namespace
}  // namespace cv

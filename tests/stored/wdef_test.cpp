// The results-file header and the recognisers, on files written here and on
// archives made by Info-ZIP.
#include "stored/wdef.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../lists/test_support.h"
#include "platform/coding.h"

namespace cv {
namespace {

using testing_support::Hex;
using testing_support::ScratchDir;
using testing_support::Shell;
using testing_support::Unhex;
using testing_support::WriteFile;

std::string HeaderBytes(Integer signature, std::string_view name, Byte len_override = 0) {
  std::string h;
  PutFixed32(h, static_cast<std::uint32_t>(signature));
  PutFixed32(h, 0);
  PutFixed32(h, 0);
  PutFixed32(h, 0);
  h.push_back(static_cast<char>(len_override ? len_override : name.size()));
  h += name;
  h.resize(57, '\0');
  return h;
}

TEST(HeaderTest, WrittenImageIsTheFixedLayout) {
  TMemoryStream m;
  TCheckSignature sig{};
  sig.screen_res = 96;
  sig.save_height = 600;
  sig.save_width = -1;
  ASSERT_TRUE(DiskSignatureISOKForToolAndList(sig, tt_kwic, lt_concordance_list, m, writing));
  EXPECT_EQ(Hex(m.Bytes()),
            "24 00 00 00 60 00 00 00 58 02 00 00 ff ff ff ff "
            "0d 43 6f 6e 63 6f 72 64 61 6e 63 65 33 32 "  // 13 "Concordance32"
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(m.Position(), 57);
  m.SetPosition(0);
  TCheckSignature back{};
  EXPECT_FALSE(DiskSignatureISOKForToolAndList(back, tt_wordlist, lt_concordance_list, m, reading));
  m.SetPosition(0);
  EXPECT_TRUE(DiskSignatureISOKForToolAndList(back, tt_kwic, lt_concordance_list, m, reading));
  EXPECT_EQ(back.save_height, 600);
  EXPECT_EQ(m.Position(), 57);
  m.SetPosition(0);
  EXPECT_FALSE(DiskSignatureISOKForToolAndList(back, tt_kwic, lt_word_list, m, reading));
  TBytesStream short_one(std::string(m.Bytes().substr(0, 56)));
  EXPECT_FALSE(DiskSignatureISOKForToolAndList(back, tt_kwic, lt_concordance_list, short_one, reading));
}

TEST(HeaderTest, NameTablesAndDiskFileType) {
  struct Case {
    std::string text;
    Byte len;
    TCorvaneList want;
  } cases[] = {
      {"Word List32", 0, lt_word_list},
      {" Text List32", 0, lt_aligner_plaintext_list},
      {"ly_boll4", 0, ly_boll4},
      {"lt_bol7", 0, lt_bol7},
      {"KeyWords Database (v. 2)32", 0, lt_KW_database_list},
      {"Notes", 0, lt_notes},
      {"word list32", 0, lt_none_in_use},  // case matters
      {"Word List32", 41, lt_none_in_use},  // damaged length byte
      {"Word List32", 255, lt_none_in_use},
  };
  for (const auto& c : cases) {
    TCheckSignature sig{};
    DecodeCheckSignature(reinterpret_cast<const std::uint8_t*>(HeaderBytes(37, c.text, c.len).data()), sig);
    EXPECT_EQ(DiskFileType(sig), c.want) << c.text << " " << int(c.len);
  }
  EXPECT_EQ(ListSignature(lt_notes), u"Notes");
  EXPECT_EQ(ListSignature(lt_concordance_list), u"Concordance");
  EXPECT_EQ(ListSignature(lt_word_list), u"Word List");
  EXPECT_EQ(ListSignature(lt_sorting), u"");
  EXPECT_STREQ(CurrentListNames[lt_bol6], "lt_bol6");
  EXPECT_STREQ(OldListNames[lt_timeline_list], "Ratio Stats List");
}

TEST(RecogniserTest, ThirtyTwoBitFiles) {
  ScratchDir dir;
  const std::string kwic = HeaderBytes(36, "Concordance32") + "content";
  WriteFile(dir.Path("c.cnc"), kwic);
  WriteFile(dir.Path("exact"), kwic.substr(0, 57));
  WriteFile(dir.Path("old35"), HeaderBytes(35, "Word List32") + "x");
  WriteFile(dir.Path("future"), HeaderBytes(99, "Word List32") + "x");

  TCVStored_File_rec rec;
  rec.filename = dir.UPath("c.cnc");
  EXPECT_TRUE(IsACorvane32BitFileForTool(rec, tt_kwic));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_wordlist));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_kwic);
  EXPECT_EQ(rec.ListType, lt_concordance_list);

  rec.filename = dir.UPath("exact");  // 57 bytes: a header with no content
  EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_kwic));
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);
  rec.filename = dir.UPath("missing");
  EXPECT_FALSE(IsACorvane32BitFile(rec));
  EXPECT_FALSE(WasACorvane32BitFile(rec));

  const tool_type saved = current_tool_var;
  current_tool_var = tt_wordlist;  // signature 37
  rec.filename = dir.UPath("old35");
  EXPECT_TRUE(WasACorvane32BitFile(rec));
  EXPECT_EQ(rec.ListType, lt_word_list);
  rec.filename = dir.UPath("c.cnc");  // 36 < 37: an earlier version
  EXPECT_TRUE(WasACorvane32BitFile(rec));
  rec.filename = dir.UPath("future");
  EXPECT_FALSE(WasACorvane32BitFile(rec));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
  current_tool_var = saved;
}

TEST(RecogniserTest, OldGenerationFiles) {
  ScratchDir dir;
  auto old_file = [&](const std::string& name, const std::string& head) {
    std::string b = head;
    b.resize(60, '\0');
    WriteFile(dir.Path(name), b);
    TCVStored_File_rec rec;
    rec.filename = dir.UPath(name);
    const bool ok = IsAnOldCorvaneFile(rec);
    return std::make_pair(ok, rec.ListType);
  };
  EXPECT_EQ(old_file("a", std::string("\x0b") + "Word Lister"), std::make_pair(true, lt_word_list));
  EXPECT_EQ(old_file("b", std::string("\x0b\0", 2) + "Word Lister"), std::make_pair(true, lt_word_list));
  EXPECT_EQ(old_file("c", std::string("\x0c") + "Concordancer"), std::make_pair(true, lt_concordance_list));
  // An empty name would match the empty table entries: never recognised.
  EXPECT_EQ(old_file("d", std::string("\x00", 1)), std::make_pair(false, lt_none_in_use));
  EXPECT_EQ(old_file("e", std::string("\x05\0\0", 3)), std::make_pair(false, lt_none_in_use));
  EXPECT_EQ(old_file("f", std::string("\xff") + "Word Lister"), std::make_pair(false, lt_none_in_use));
  // The name ends at the header's end even without a zero.
  EXPECT_EQ(old_file("g", std::string("\x28") + std::string(59, 'A')), std::make_pair(false, lt_none_in_use));
}

TEST(RecogniserTest, BatchZipsByTheirComment) {
  ScratchDir dir;
  WriteFile(dir.Path("a.cnc"), "x");
  WriteFile(dir.Path("b.cnc"), "y");
  auto zip = [&](const std::string& name, const std::string& comment) {
    Shell("cd " + dir.path() + " && printf '" + comment + "' | zip -q -z " + name + " a.cnc b.cnc");
    TCVStored_File_rec rec;
    rec.filename = dir.UPath(name);
    const bool ok = IsABatchZipFileForListType(rec);
    return std::make_tuple(ok, rec.ListType, rec.Number_within_Zipfile);
  };
  EXPECT_EQ(zip("c.zip", "CVane Batch file .cnc"), std::make_tuple(true, lt_concordance_list, 2));
  EXPECT_EQ(zip("w.zip", "CVane Batch file .xyz"), std::make_tuple(true, lt_none_in_use, 0));
  EXPECT_EQ(zip("p.zip", "CVane Batch file "), std::make_tuple(false, lt_none_in_use, 0));
  EXPECT_EQ(zip("o.zip", "other comment"), std::make_tuple(false, lt_none_in_use, 0));

  // An archive with the comment and no members (end record only, by hand).
  const std::string comment = "CVane Batch file .cnc";
  std::string empty = Unhex("50 4b 05 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
  PutFixed16(empty, static_cast<std::uint16_t>(comment.size()));
  empty += comment;
  WriteFile(dir.Path("empty.zip"), empty);
  EXPECT_EQ(Shell("unzip -z " + dir.Path("empty.zip") + " 2>&1 | tail -1"), comment + "\n");
  TCVStored_File_rec rec;
  rec.filename = dir.UPath("empty.zip");
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  // Not a zip at all: false, nothing escapes.
  WriteFile(dir.Path("junk.zip"), "PK junk");
  rec.filename = dir.UPath("junk.zip");
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  rec.filename = dir.UPath("nothing.zip");
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  EXPECT_EQ(BatchZipComment(lt_concordance_list), u"CVane Batch file .cnc");
}

}  // namespace
}  // namespace cv

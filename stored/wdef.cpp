// The results-file header and the recognisers of the suite's files.
#include "stored/wdef.h"

#include <algorithm>
#include <cstring>

#include "lists/zip_archive.h"
#include "platform/coding.h"
#include "platform/utf.h"

namespace cv {

// Exactly as the suite writes them, oddities included (the leading space of
// 22, "ly_boll4", "lt_bol6").
const std::array<const char*, kCorvaneListCount> CurrentListNames{
    "Word List32",
    "Key Word List32",
    "KeyWords Database32",
    "Detailed Consistency Relations List32",
    "Detailed Consistency List32",
    "Collocate List32",
    "KeyWords as WordList32",
    "KWDBase as WordList32",
    "Associates as WordList32",
    "Clumps as WordList32",
    "Concordance32",  // 10
    "KeyWords Plot32",
    "Concordance Plot32",
    "Concordance Cluster List32",
    "Concordance Pattern List32",
    "Associate List32",
    "Clump List32",
    "Filename List32",
    "Link List32",
    "Statistics List32",
    "Timeline List32",  // 20
    "Aligner List32",
    " Text List32",
    "Wordlist Index List32",
    "KeyWords ClusterList32",
    "",
    "Notes",
    "source text",
    "Mutual Information List32",
    "Viewer List32",
    "CVConcGram List32",  // 30
    "Markup List32",
    "Section List32",
    "CharGram List32",
    "CharGram Pattern List32",
    "lt_boll",
    "lt_boll2",
    "lt_boll3",
    "ly_boll4",
    "lt_boll5",
    "lt_bol6",  // 40
    "lt_bol7",
    "",
};

const std::array<const char*, kCorvaneListCount> OldListNames{
    "Word Lister",
    "Key Word List",
    "KeyWords Database (v. 2)",
    "Simple Consistency List",
    "Detailed Consistency List",
    "Collocate List",
    "KeyWords as WordList",
    "KWDBase as WordList",
    "Associates as WordList",
    "Clumps as WordList",
    "Concordancer",  // 10
    "KeyWords Plot",
    "Concordance Plot",
    "Concordance Cluster List",
    "Concordance Pattern List",
    "Associate List",
    "Clump List",
    "Filename List",
    "Link List",
    "Statistics List",
    "Ratio Stats List",  // 20
    "Aligner List",
    " Text List",
    "Wordlist Index List",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
};

void EncodeCheckSignature(const TCheckSignature& sig, std::uint8_t out[kCheckSignatureSize]) {
  EncodeFixed32(out + 0, static_cast<std::uint32_t>(sig.signature));
  EncodeFixed32(out + 4, static_cast<std::uint32_t>(sig.screen_res));
  EncodeFixed32(out + 8, static_cast<std::uint32_t>(sig.save_height));
  EncodeFixed32(out + 12, static_cast<std::uint32_t>(sig.save_width));
  std::memcpy(out + 16, sig.type_of_data, sizeof sig.type_of_data);
}

void DecodeCheckSignature(const std::uint8_t in[kCheckSignatureSize], TCheckSignature& sig) {
  sig.signature = static_cast<Integer>(DecodeFixed32(in + 0));
  sig.screen_res = static_cast<Integer>(DecodeFixed32(in + 4));
  sig.save_height = static_cast<Integer>(DecodeFixed32(in + 8));
  sig.save_width = static_cast<Integer>(DecodeFixed32(in + 12));
  std::memcpy(sig.type_of_data, in + 16, sizeof sig.type_of_data);
}

bool TypeOfDataText(const TCheckSignature& sig, std::string_view& text) {
  const Byte n = sig.type_of_data[0];
  if (n > kTypeOfDataMax) return false;
  text = std::string_view(reinterpret_cast<const char*>(sig.type_of_data + 1), n);
  return true;
}

void SetTypeOfData(TCheckSignature& sig, std::string_view text) {
  const std::size_t n = std::min(text.size(), kTypeOfDataMax);
  std::memset(sig.type_of_data, 0, sizeof sig.type_of_data);
  sig.type_of_data[0] = static_cast<Byte>(n);
  std::memcpy(sig.type_of_data + 1, text.data(), n);
}

TCorvaneList DiskFileType(const TCheckSignature& sig) {
  std::string_view text;
  if (!TypeOfDataText(sig, text)) return lt_none_in_use;
  for (int i = 0; i <= lt_bol7; ++i)
    if (text == CurrentListNames[static_cast<std::size_t>(i)]) return static_cast<TCorvaneList>(i);
  if (text == kOldKWDatabaseName32) return lt_KW_database_list;
  return lt_none_in_use;
}

string ListSignature(TCorvaneList list) {
  if (!IsValidListType(list)) return string();
  std::string_view name = CurrentListNames[list];
  if (name.size() >= 2 && name.substr(name.size() - 2) == "32") name.remove_suffix(2);
  return Latin1ToUtf16(name);
}

bool DiskSignatureISOKForToolAndList(TCheckSignature& sig, tool_type tool, TCorvaneList list, TStream& stream,
                                     TWriteOrRead mode) {
  if (!IsValidToolType(tool) || !IsValidListType(list)) return false;
  std::uint8_t bytes[kCheckSignatureSize];
  if (mode == reading) {
    if (stream.Read(bytes, kCheckSignatureSize) != static_cast<Int64>(kCheckSignatureSize)) return false;
    DecodeCheckSignature(bytes, sig);
    std::string_view text;
    return sig.signature == CurrentSignature[tool] && TypeOfDataText(sig, text) &&
           text == CurrentListNames[list];
  }
  sig.signature = CurrentSignature[tool];
  SetTypeOfData(sig, CurrentListNames[list]);
  EncodeCheckSignature(sig, bytes);
  return stream.Write(bytes, kCheckSignatureSize) == static_cast<Int64>(kCheckSignatureSize);
}

namespace {

// The first `want` bytes of a file longer than `more_than` bytes; false for
// a missing, shorter or unreadable file.
bool ReadFileStart(const string& file_name, std::size_t more_than, std::uint8_t* out, std::size_t want) {
  if (file_name.empty()) return false;
  try {
    TFileStream f(file_name, fmOpenRead | fmShareDenyNone);
    if (f.Size() <= static_cast<Int64>(more_than)) return false;
    return f.Read(out, static_cast<Int64>(want)) == static_cast<Int64>(want);
  } catch (...) {
    return false;
  }
}

bool ReadHeader(const string& file_name, TCheckSignature& sig) {
  std::uint8_t bytes[kCheckSignatureSize];
  if (!ReadFileStart(file_name, kCheckSignatureSize, bytes, kCheckSignatureSize)) return false;
  DecodeCheckSignature(bytes, sig);
  return true;
}

}  // namespace

bool IsACorvane32BitFileForTool(TCVStored_File_rec& rec, tool_type tool) {
  rec.ListType = lt_none_in_use;
  TCheckSignature sig;
  if (!IsValidToolType(tool) || !ReadHeader(rec.filename, sig) || sig.signature != CurrentSignature[tool])
    return false;
  rec.ListType = DiskFileType(sig);
  return true;
}

bool IsACorvane32BitFile(TCVStored_File_rec& rec) { return IsACorvane32BitFileForTool(rec, current_tool_var); }

tool_type WhichToolsCorvane32BitFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  TCheckSignature sig;
  if (!ReadHeader(rec.filename, sig)) return tt_no_tool_at_all;
  for (int t = 0; t <= tt_shell; ++t) {
    if (CurrentSignature[static_cast<std::size_t>(t)] == sig.signature) {
      rec.ListType = DiskFileType(sig);
      return static_cast<tool_type>(t);
    }
  }
  return tt_no_tool_at_all;
}

bool WasACorvane32BitFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  TCheckSignature sig;
  if (!ReadHeader(rec.filename, sig) || sig.signature < 35 || !IsValidToolType(current_tool_var)) return false;
  const Integer current = CurrentSignature[current_tool_var];
  if (sig.signature > current) return false;
  rec.ListType = DiskFileType(sig);
  return sig.signature < current;
}

bool IsAnOldCorvaneFile(TCVStored_File_rec& rec) {
  rec.ListType = lt_none_in_use;
  constexpr std::size_t kOldHeader = 41;
  std::uint8_t bytes[kOldHeader];
  if (!ReadFileStart(rec.filename, kOldHeader, bytes, kOldHeader)) return false;
  const std::size_t n = bytes[0];
  if (n == 0 || n > kTypeOfDataMax) return false;
  const std::size_t start = bytes[1] == 0 ? 2 : 1;
  std::size_t end = start;
  while (end < kOldHeader && bytes[end] != 0) ++end;
  const std::string_view name(reinterpret_cast<const char*>(bytes + start), std::min(end - start, n));
  if (name.empty()) return false;
  for (int i = 0; i < kCorvaneListCount; ++i) {
    if (name == OldListNames[static_cast<std::size_t>(i)]) {
      rec.ListType = static_cast<TCorvaneList>(i);
      return true;
    }
  }
  return false;
}

bool IsABatchZipFileForListType(TCVStored_File_rec& rec) {
  rec.Number_within_Zipfile = 0;
  rec.ListType = lt_none_in_use;
  try {
    TZipArchiveReader zip(rec.filename);
    const string comment = zip.Comment();
    const std::u16string_view prefix(kBatchZipCommentPrefix);
    const Integer members = zip.MemberCount();
    if (members < 1 || comment.size() <= prefix.size() || std::u16string_view(comment).substr(0, prefix.size()) != prefix)
      return false;
    const std::u16string_view ext = std::u16string_view(comment).substr(prefix.size());
    for (int i = 0; i < kCorvaneListCount; ++i) {
      if (DefaultExtFromListType(static_cast<TCorvaneList>(i)) == ext) {
        rec.ListType = static_cast<TCorvaneList>(i);
        rec.Number_within_Zipfile = members;
        break;
      }
    }
    return true;
  } catch (...) {
    return false;
  }
}

string BatchZipComment(TCorvaneList list) { return kBatchZipCommentPrefix + DefaultExtFromListType(list); }

}  // namespace cv

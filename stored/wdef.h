// The results-file header, the names that identify list types on disk, and
// the routines that recognise the suite's files.
//
// Header layout (57 bytes, little-endian, packed):
//   signature:int32 screen_res:int32 save_height:int32 save_width:int32
//   type_of_data: len:uint8 char{40}      -- an 8-bit short string, len <= 40
// The file's content follows at byte 57.  A length byte above 40 is damage:
// such a header names no list type.
//
// The recognisers never raise: a missing, short, unreadable or damaged file,
// or one that is not a zip archive, gives false (or tt_no_tool_at_all) with
// ListType lt_none_in_use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/my_types_mini.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

constexpr std::size_t kTypeOfDataMax = 40;

#pragma pack(push, 1)
struct TCheckSignature {
  Integer signature;
  Integer screen_res;
  Integer save_height;
  Integer save_width;
  Byte type_of_data[kTypeOfDataMax + 1];  // TCurrent_WT_data_list: length byte, characters
};
#pragma pack(pop)
constexpr std::size_t kCheckSignatureSize = 57;
static_assert(sizeof(TCheckSignature) == kCheckSignatureSize);
static_assert(offsetof(TCheckSignature, signature) == 0);
static_assert(offsetof(TCheckSignature, screen_res) == 4);
static_assert(offsetof(TCheckSignature, save_height) == 8);
static_assert(offsetof(TCheckSignature, save_width) == 12);
static_assert(offsetof(TCheckSignature, type_of_data) == 16);

enum TWriteOrRead : Byte { writing = 0, reading = 1 };

struct TCVStored_File_rec {
  string filename;
  bool OldModified = false;
  Integer Number_within_Zipfile = 0;  // for a batch zip: the number of members
  TCorvaneList ListType = lt_none_in_use;
};

// The current list names by TCorvaneList ordinal (42 has none), and the names
// of the older generation's files.
extern const std::array<const char*, kCorvaneListCount> CurrentListNames;
extern const std::array<const char*, kCorvaneListCount> OldListNames;
// Also read as lt_KW_database_list.
inline constexpr char kOldKWDatabaseName32[] = "KeyWords Database (v. 2)32";
// Comment prefix of batch zip archives (17 characters, ending with a space).
inline constexpr char16_t kBatchZipCommentPrefix[] = u"CVane Batch file ";

void EncodeCheckSignature(const TCheckSignature& sig, std::uint8_t out[kCheckSignatureSize]);
void DecodeCheckSignature(const std::uint8_t in[kCheckSignatureSize], TCheckSignature& sig);
// The type_of_data text; false when its length byte is over 40.
bool TypeOfDataText(const TCheckSignature& sig, std::string_view& text);
// Stores at most 40 characters and zeroes the rest.
void SetTypeOfData(TCheckSignature& sig, std::string_view text);

// The first list type 0..41 whose current name equals type_of_data
// (case-sensitive); the old KeyWords database name gives 2; else 25.
TCorvaneList DiskFileType(const TCheckSignature& sig);
// The current name without a trailing "32".
string ListSignature(TCorvaneList list);

// Reading: reads the 57 header bytes into sig; true when all were there and
// the signature and list name are those of tool and list.  Writing: sets
// signature and type_of_data (the other fields as the caller left them) and
// writes the 57 bytes; true when all were written.  The stream is left just
// after the header.  Stream exceptions propagate.
bool DiskSignatureISOKForToolAndList(TCheckSignature& sig, tool_type tool, TCorvaneList list, TStream& stream,
                                     TWriteOrRead mode);

bool IsACorvane32BitFileForTool(TCVStored_File_rec& rec, tool_type tool);
bool IsACorvane32BitFile(TCVStored_File_rec& rec);
tool_type WhichToolsCorvane32BitFile(TCVStored_File_rec& rec);
bool WasACorvane32BitFile(TCVStored_File_rec& rec);
bool IsAnOldCorvaneFile(TCVStored_File_rec& rec);
bool IsABatchZipFileForListType(TCVStored_File_rec& rec);

// The archive comment that marks a batch zip of one list type.
string BatchZipComment(TCorvaneList list);

}  // namespace cv

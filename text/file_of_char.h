// Appending text to files: UTF-16 with a byte-order mark, or 8-bit text in
// the process's ANSI code page.  File errors raise EOSError (platform/sysutils.h).
#pragma once

#include "platform/types.h"

namespace cv {

class TStringList;

// Appends the UTF-16 units of `text` (little-endian) to the file.  A missing
// file is created, and a new or empty file starts with the mark FF FE.  An
// existing file of odd length is appended to after its last whole unit.
// Nothing happens for an empty file name.
void AddToFileOfChar(const string& file_name, const string& text);

// Appends every line followed by CR LF through AddToFileOfChar.
void UnicodeAppendToTextFile(const string& file_name, const TStringList& lines);

// Appends every line, converted to the process's ANSI code page, followed by
// CR LF to an existing file; a missing file raises.
void AnsiAppendToTextFile(const string& file_name, const TStringList& lines);

}  // namespace cv

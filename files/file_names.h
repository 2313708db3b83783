// Pieces of native file names ('/' is the path delimiter) and the bridge to
// the operating system's byte names.
//
// A path is a UTF-16 `string`; the system sees it as UTF-8.  Names are never
// case-folded: two names that differ only in case are two files.
#pragma once

#include <string>

#include "platform/types.h"

namespace cv {

inline constexpr char16_t PathDelim = u'/';

// The name as the system's byte path, and back.
std::string SysPath(std::u16string_view name);
string FromSysPath(std::string_view path);

// Folder part with its trailing delimiter ("" when there is none).
string ExtractFilePath(std::u16string_view name);
// Folder part without a trailing delimiter (except the root "/").
string ExtractFileDir(std::u16string_view name);
string ExtractFileName(std::u16string_view name);
// From the last '.' of the name part on, dot included; "" when none.
string ExtractFileExt(std::u16string_view name);
// The name with its extension (of the name part only) replaced by ext.
string ChangeFileExt(std::u16string_view name, std::u16string_view ext);
string IncludeTrailingPathDelimiter(std::u16string_view s);
// Removes one trailing delimiter, but keeps the root "/" whole.
string ExcludeTrailingPathDelimiter(std::u16string_view s);

// Upper-cased for comparing names as the shell does (not for storing).
string UpperName(std::u16string_view s);
bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b);
// Whether s begins with prefix, ignoring case.
bool StartsWithIgnoringCase(std::u16string_view s, std::u16string_view prefix);

}  // namespace cv

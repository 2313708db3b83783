// Naming rules for files inside zip archives.
//
// A name such as "c:\a\texts.zip\one.txt" stands for the member "one.txt" of
// the archive "c:\a\texts.zip".  The archive part ends at the first ".zip\"
// (or ".zip/") of the lower-cased name; failing that, at the first
// occurrence of an alternative marker the tools may set.
#pragma once

#include "platform/types.h"

namespace cv {

// An alternative archive marker; empty at start.
extern string global_current_zip_ext_slash;

// The extension's first four characters are ".zip", in any case
// (".zip", ".ZIP", ".zip12").
bool IsAZipFile(std::u16string_view name);
// For an extension of five or more characters, the number after ".zip"
// (the extension from its fifth character on); -1 when the extension is
// shorter or that text is not a number.
Integer ZipFilePlusNumber(std::u16string_view name);
// False when a file of that name exists; otherwise true when the lower-cased
// name contains ".zip\" (or ".zip/"), or contains a non-empty marker.
bool IsWithinAZipFile(std::u16string_view name, std::u16string_view marker);
// The archive part and the member part of the name; both empty when the name
// has no split point.
string ZipFileFullFileName(std::u16string_view name, std::u16string_view marker);
string ZipFileWantedFileNameWithin(std::u16string_view name, std::u16string_view marker);

}  // namespace cv

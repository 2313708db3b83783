// Folders of the settings store on Linux.
#pragma once

#include "platform/types.h"

namespace cv {

// A folder as the folder setters store it: a text longer than three
// characters is made absolute (relative to the working folder), "." and ".."
// steps and doubled delimiters are resolved, and a trailing delimiter is
// removed.  Shorter texts are returned unchanged.
string NormaliseFolder(std::u16string_view folder);

// The user's documents folder: XDG_DOCUMENTS_DIR from the user-dirs file
// ($XDG_CONFIG_HOME/user-dirs.dirs, else ~/.config/user-dirs.dirs), with
// $HOME expanded.  Empty when it is not set or names the home folder itself
// (the XDG convention for "no documents folder").
string DocumentsFolder();
// $HOME, else the password database's home folder; empty when neither.
string HomeFolder();
// $TMPDIR when set and not empty, else "/tmp".
string TempFilesFolder();

// The suite's per-user base folder: documents folder (or, failing that, the
// home folder) + "/cvane" + major version.  Empty only when neither is known.
string CvaneBaseFolder();

// The extension of a file name: from its last "." after the last "/", dot
// included; empty when there is none.  Letter case is kept.
string ExtractFileExt(std::u16string_view name);

}  // namespace cv

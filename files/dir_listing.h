// Reading one folder: its entries with their kinds, in the order the folder
// routines and the walker present them (by upper-cased name, then by the
// name itself, so the order does not depend on the file system).
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace cv {

struct TDirEntry {
  std::string raw;   // the name as the system gives it (bytes)
  string name;       // the same as UTF-16
  string upper;      // for ordering and masks
  bool is_dir = false;      // a real folder (a link to one is not)
  bool is_link = false;
  bool is_regular = false;  // a plain file (not a device, socket, link...)
};

enum class TDirEntryKinds : Byte { kAll, kFoldersOnly };

// The entries of folder other than "." and "..", sorted (with kFoldersOnly
// only its real folders).  False when the folder cannot be opened.  With
// dir_fd, the folder stays open for fstatat on its entries and the caller
// closes *dir_fd.  Calls the yield hook every few hundred entries.
bool ReadDirectory(const string& folder, std::vector<TDirEntry>& out,
                   TDirEntryKinds kinds = TDirEntryKinds::kAll, int* dir_fd = nullptr);

}  // namespace cv

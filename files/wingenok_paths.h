// Paths, folders and drives: portable stored names ($userdir, $user_drive),
// small path manipulations, listing, emptying and pruning of folders, and
// questions about volumes.
//
// Platform model.  Paths are native ('/'); names stored by the Windows tools
// may hold '\', which is turned into '/' where such a stored name is
// expanded.  A path's identity is case-sensitive; masks match names ignoring
// case.  A "drive" is a mounted volume: its root is its mount point (read
// from /proc/self/mountinfo), its free space what an ordinary user may write
// (statvfs f_bavail), and removable and USB volumes are told by /sys/block.
// The base of $userdir and $user_drive for the program is the user's home
// folder and the volume it is on.  Symbolic links to folders are never
// followed by the folder walks, and the routines that delete or prune refuse
// "/" and every mount root.
#pragma once

#include <memory>
#include <vector>

#include "core/basic_types.h"
#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

inline constexpr char16_t user_dir_const[] = u"$userdir";
inline constexpr char16_t user_drive_const[] = u"$user_drive";
inline constexpr char16_t same_file_const[] = u"$SAME_FILE";

// ---------------------------------------------------------------------------
// Volumes

struct TMountInfo {
  string mount_point;  // without a trailing delimiter, except "/"
  string fs_type;
  string source;       // "/dev/sda1", "//server/share", "server:/export"
};

// The real volumes (no proc, sys, cgroup, devpts, tmpfs or similar), in
// mount order; a mount point hidden by a later mount on it is listed once.
std::vector<TMountInfo> MountedVolumes();
// Parses the text of a mountinfo file (exposed for tests); bad lines are
// skipped.
std::vector<TMountInfo> ParseMountInfo(std::string_view text);
// The volume that holds path (the longest mount point above it); its mount
// point is "" when none is known.
TMountInfo VolumeOf(const string& path);
// "/" or a mount point (also of a pseudo file system).
bool IsMountRoot(const string& path);

bool IsRemoteVolume(const TMountInfo& m);
bool IsRemovableVolume(const TMountInfo& m);  // /sys/block/<disk>/removable, or on a USB bus
bool IsUSBVolume(const TMountInfo& m);

// root: a mount point (or any path on the volume).  True when it is a
// mounted volume whose size can be read.
bool ValidDrive(const string& root);
bool ValidDriveW(const string& root);
bool Fixed_Drive(const string& root);  // a local volume that is not removable
Integer NumberOfDrives();
Integer NumberOfNetworkDrives();
// The remote volumes' roots (with a trailing delimiter) joined by commas.
string AllNetworkDrives();
// The root (with a trailing delimiter) of the fixed volume with the most
// space the user may write; the first wins a tie; empty when none.
string DriveWithMostFreeSpace();
// The volume's label, upper-cased, in brackets; "[]" when it has none.
string VolumeID(const string& root);
// A remote volume's source, upper-cased; otherwise VolumeID.
string NetworkVolume(const string& root);

// ---------------------------------------------------------------------------
// Stored-name macros

// The program's base folder (the home folder, with a trailing delimiter)
// and its volume's mount point.
string ProgramBaseFolder();
string ProgramDrive();

string ConvertedFilenameFromUserDirFName(const string& base, const string& fname);
string ConvertedUserFolderInFilename(const string& base, const string& fname, bool to_macro);
string ConvertedAppFolderInFilename(const string& fname, bool to_macro);
string ConvertedFilenameIfUserDrive(const string& fname, bool to_macro);
void CheckUserDirConstFolder(TStringList& list, bool to_macro);

// ---------------------------------------------------------------------------
// Path pieces

string FileFilterWithinFilterText(std::u16string_view s);
Integer PathDelimiterCount(std::u16string_view s);
string NameUpToXPathDelimiters(std::u16string_view s, Integer n);
string FormattedFNAsParameter(const string& s);
// The absolute form of path: relative to the working folder, "." and ".."
// resolved by name (links are not resolved).
string ExpandFileName(const string& path);
string GetLongPathNameW(const string& path);
// s longer than 3 characters: expanded, without a trailing delimiter.
string NormalisedPath(const string& s);
// The same into a fixed buffer of 260 characters and a terminator; false
// (and an empty buffer) when the path does not fit, rather than a cut path.
bool NormalisedPathW(const string& s, maxpathwidechar& out);
string RemoveDotsFromFilename(std::u16string_view s);
string CleanedUpFilename(std::u16string_view s);
string NewSubFolderFrom(const string& fname, const string& base);
bool FolderProposedIsOriginalFolder(const string& a, const string& b);

// ---------------------------------------------------------------------------
// Folders

// folder first, then (all_levels) every subfolder below it, depth first, by
// upper-cased name, each as parent + "/" + name in its stored case.  Hidden
// folders (a leading ".") and links to folders are neither listed nor
// entered.
std::unique_ptr<TStringList> ListOfSubFolders(const string& folder, bool all_levels);
bool FolderIsEmpty(const string& folder);
bool RemovedEmptyFolder(const string& folder);
std::unique_ptr<TStringList> RemoveAllEmptyFolders(const string& folder);
// Full names of the files of folder matching mask (ignoring case), by
// upper-cased name; no folders, hidden or special files.
std::unique_ptr<TStringList> ListOfAllFilesIn(const string& folder, std::u16string_view mask);
std::unique_ptr<TStringList> ListOfAllFilesMatchingExt(const string& fname, std::u16string_view ext,
                                                       bool include_self);
// Deletes (or moves to target) the files of one extension after asking;
// returns how many.  A plain deletion that fails raises EOSError.
Integer DeleteAllFilesOn(const string& folder, std::u16string_view ext, const string& target,
                         bool remove_empty, bool include_subfolders, bool move_instead);
Integer DeleteAllFilesOn(const string& folder, std::u16string_view ext);

}  // namespace cv

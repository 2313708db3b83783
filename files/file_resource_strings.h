// The user-visible texts of the file and folder routines.
#pragma once

namespace cv::files_text {

inline constexpr const char16_t* _CVOverwriteXQ = u"Overwrite %s?";
inline constexpr const char16_t* _CVOverwriteXWithBackupQ = u"Overwrite %s (with backup)?";
inline constexpr const char16_t* _CVConfirmation = u"Confirmation";
inline constexpr const char16_t* _CVDeleteXQ = u"Delete %s?";
inline constexpr const char16_t* _CVOnlyMbSpaceOnDriveDProceed = u"Only %dMb space left on %s -- Proceed?";
inline constexpr const char16_t* _CVFileAlreadyExists = u"File(s) already found there.";
inline constexpr const char16_t* _CVDeleteThe1XFileInY = u"Delete the one %s file in %s?";
inline constexpr const char16_t* _CVDeleteAllXFilesInY = u"Delete all %d %s files in %s?";
inline constexpr const char16_t* _CVSureQ = u"Sure?";
inline constexpr const char16_t* kConfirmCaption = u"Confirm";
inline constexpr const char16_t* kWontDeleteAllFilesOn = u"Won't delete all files on ";
inline constexpr const char16_t* kNoWay = u"No Way!";

// MessageBoxW buttons, icons and answers.
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

}  // namespace cv::files_text

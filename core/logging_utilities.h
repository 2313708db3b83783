// The shared diagnostic log.
//
// Format: UTF-16 little-endian.  The process that creates the file writes the
// byte-order mark FF FE; entries follow with no conversion.  Each entry is the
// running tool's prefix ("(W): ", "(??)" ...) followed by the text, which ends
// in CR LF when a line end was asked for.
//
// Several processes may append to one file at once.  Each entry goes out as
// one write to a descriptor opened with O_APPEND, so entries stay whole and
// never interleave; a new file appears already holding its byte-order mark
// (it is written aside and linked into place), so no entry can precede it.
//
// Nothing is written while `keeping_log` is false or the file name is empty.
// Any failure to open or write turns `keeping_log` off for the rest of the
// process; the log never reports errors.
#pragma once

#include "platform/types.h"

namespace cv {

extern bool keeping_log;

// The log finalises after every unit that called this during its start-up,
// so a unit that logs from its own shutdown calls it first.
void EnsureLogInitialised();

string GetLogFilename();
void SetLogFilename(std::u16string_view name);

// Appends CR LF to text when lineEnd is set, then writes the entry.  Texts
// that arrive while an entry is being written (a nested call) are queued and
// written ahead of the next entry.
void AddToLogFile(std::u16string_view text, bool lineEnd = true);

// Ten asterisks, then "LOG STARTED at " with the date and time.
void StartNewLogSection();

// Deletes an existing log and starts a new section; swallows every error.
void ClearLogFile();

}  // namespace cv

// The running process and the system around it: the executable's path, the
// user, shared objects, errors, clocks and the system colours.
#pragma once

#include "platform/types.h"

namespace cv {

// The running executable's full path (Windows' ParamStr(0)); empty when it
// cannot be read.
string ExecutablePath();

// The login name of the effective user.  Throws EOSError when there is none.
string CurrentUserName();

// Shared objects by name (LoadLibraryW/GetProcAddress/FreeLibrary).  A name
// without '/' is searched the usual way.  Return nil on failure.
void* LoadLibrary(std::u16string_view name);
void* GetProcAddress(void* library, const char* symbol);
bool FreeLibrary(void* library);

// The calling thread's last error (errno) and its text.
int GetLastError();
string SysErrorMessage(int code);

// Milliseconds on a monotonic clock, and a sleep that yields the core.
Int64 MonotonicMilliseconds();
void SleepMilliseconds(int ms);

// The current colour of a system colour index (COLOR_WINDOW = 5 ...): the
// standard desktop defaults, which a program may change.  Unknown indexes
// give black.
TColor GetSysColor(int index);
void SetSysColor(int index, TColor colour);

// Shows a plain message box.  Without a user interface the text goes to the
// standard error stream; a program with one installs its own handler.
// Returns the button pressed (IDOK = 1).
using MessageBoxHandler = int (*)(std::u16string_view text, std::u16string_view caption,
                                  Cardinal flags);
constexpr int IDOK = 1;
constexpr Cardinal MB_OK = 0;
int MessageBoxW(std::u16string_view text, std::u16string_view caption, Cardinal flags);
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace cv

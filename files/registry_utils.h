// The user's name and initials.
#pragma once

#include "platform/types.h"

namespace cv {

// The login name; throws EOSError when it cannot be read.
string Registry_Current_User();
// The first two upper-case letters of the user name, in order (fewer when it
// has fewer).
string Registry_Current_User_Initials();
// The same rule applied to a given name; exposed for tests.
string InitialsOf(std::u16string_view name);

}  // namespace cv

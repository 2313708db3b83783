#include "files/registry_utils.h"

#include "platform/nls.h"
#include "platform/process.h"

namespace cv {

string Registry_Current_User() { return CurrentUserName(); }

string InitialsOf(std::u16string_view name) {
  string r;
  for (char16_t c : name) {
    if (r.size() == 2) break;
    if (UpperCodePoint(c, false) == c && LowerCodePoint(c, false) != c) r += c;
  }
  return r;
}

string Registry_Current_User_Initials() { return InitialsOf(Registry_Current_User()); }

}  // namespace cv

// File-name masks such as "*.txt;*.htm", with the shell's rules
// (PathMatchSpecW):
//   * the comparison ignores case (each UTF-16 unit upper-cased on its own);
//   * `*` matches any run of units, dots included; `?` exactly one unit;
//   * a mask_list may hold several masks separated by ';', each with its leading
//     blanks ignored; the name matches when any mask matches;
//   * the mask_list "*.*" matches every name, with or without a dot; any other
//     mask is literal about its dots ("*." wants a name ending in a dot).
// Matching is iterative with a single back-track point per mask, so its cost
// is at most (name length x mask length), never exponential.
#pragma once

#include <vector>

#include "platform/types.h"

namespace cv {

// Trims s, turns every CR LF into ';' and cuts at each ';'.  An empty piece
// between two semicolons is kept (WhereInAMask skips it); the final piece is
// added only when not empty.  masks is replaced.
void BuildAMask(std::vector<string>& masks, std::u16string_view s);

// False for an empty name; otherwise whether the name matches the mask_list.
bool MatchesMask(std::u16string_view name, std::u16string_view mask_list);

// Index of the first non-empty mask that the name matches, or -1.
Integer WhereInAMask(std::u16string_view name, const std::vector<string>& masks);

}  // namespace cv

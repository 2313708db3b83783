// The primary language of a locale identifier: its low ten bits.  Two LCIDs
// belong to the same language when their primary languages are equal
// (0x0809 British English and 0x0409 U.S. English, for instance).
#pragma once

#include "platform/types.h"

namespace cv {

constexpr Word PrimaryLanguage(LCID lcid) { return static_cast<Word>(lcid & 0x3FF); }
constexpr bool SamePrimaryLanguage(LCID a, LCID b) { return PrimaryLanguage(a) == PrimaryLanguage(b); }

static_assert(PrimaryLanguage(0x0809) == 0x09 && SamePrimaryLanguage(0x0809, 0x0409));
static_assert(!SamePrimaryLanguage(0x0411, 0x0412));

}  // namespace cv

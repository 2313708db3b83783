// Per-style colours of the visual styles (TMS colour styles 0..12).
//
// Pure functions of the style ordinal; any ordinal outside 0..12 gives the
// "other" colour of each role.  Colours are $BBGGRR; clBtnFaceSys is the
// system button-face colour (a negative, system colour value).
#pragma once

#include "platform/types.h"

namespace cv {

constexpr TColor clBtnFaceSys = static_cast<TColor>(0xFF00000F);
constexpr int kTMSStyleCount = 13;

TColor GetABaseTMSBackgroundColour(int style);
TColor GetABaseTMSHighlightedTextColour(int style);
TColor GetABaseTMSHighlightBackgroundColour(int style);
TColor GetABaseTMSButtonColour(int style);

}  // namespace cv

// The punctuation tables that decide where sentences end (UTF-16 units,
// ascending, so they can be searched by bisection).
#pragma once

#include <cstddef>

#include "platform/types.h"

namespace cv {

extern const WideChar basic_sent_terminators[3];    // ! . ?
extern const WideChar other_sent_terminators[63];   // sentence ends of other scripts
extern const WideChar punct_not_ending_sent[276];   // punctuation that never ends a sentence

bool IsBasicOrOtherSentTerminator(WideChar c);
bool IsPunctNotEndingSent(WideChar c);

}  // namespace cv

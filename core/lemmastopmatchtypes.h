// The four kinds of word list the lemmatiser loads, and their descriptions.
#pragma once

#include <array>

#include "platform/types.h"

namespace cv {

enum TLemmaMatchStopOptions : Byte { as_lemma, as_match, as_stop, as_relation };
constexpr int kLemmaMatchStopCount = 4;

// "lemmas file %s" ... with the file name as the only argument.
extern const std::array<string, kLemmaMatchStopCount> LemmaMatchStopFiles;
// "lemmas", "match list", "stop list", "relation list".
extern const std::array<string, kLemmaMatchStopCount> LemmaMatchStopnames_of_processes;

// The description of a list file of the given kind; empty for an unknown kind.
string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view file_name);

}  // namespace cv

// Parses arbitrary UTF-16 text as typed search words: line splitting, flags,
// the parsed record with its case copies, tag wildcards and file-name masks.
// The case copies must all have the length of the unchanged copy.
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/search_parsing.h"
#include "search/wide_masks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > (1 << 12)) return 0;
  const std::uint8_t pick = data[0];
  cv::string text((size - 1) / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));

  cv::TIgnore_tag_type tags{};
  if (pick & 1) {
    tags[0] = u'<';
    tags[6] = u'>';
  }
  cv::string line = text;
  auto pieces = cv::SplitSWList(line, (pick & 2) != 0);
  for (cv::Integer i = 0; pieces && i < pieces->Count(); ++i) {
    cv::string s = pieces->Strings(i);
    cv::TSearch_word_format_rec rec;
    cv::Parsed_SearchWord(tags, s, rec);
    for (const cv::string& c : rec.copies)
      if (c.size() != rec.copies[0].size()) __builtin_trap();
    cv::string back;
    cv::UnParsed_SearchWord(back, rec);
  }
  cv::string f = text;
  (void)cv::FlagsFromSW(f);
  (void)cv::TagWildcardConverted(text);
  // Masks: the text up to the first '|' is the mask, the rest the name.
  const std::size_t bar = text.find(u'|');
  if (bar != cv::string::npos) {
    const cv::string mask = text.substr(0, bar);
    const cv::string name = text.substr(bar + 1);
    (void)cv::MatchesMask(name, mask);
  }
  return 0;
}

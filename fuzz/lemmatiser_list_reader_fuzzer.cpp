// The lemmatiser's list-file reader over arbitrary bytes: every encoding,
// both case modes, commas allowed or not; then the lookups, walks and
// variant joins that read what was stored.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lemmatiser_library/lemma_and_match_lists.h"

namespace {

constexpr std::size_t kMaxInput = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > kMaxInput) return 0;
  const std::uint8_t options = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto cs = (options & 1) ? cv::cs_sensitive : cv::cs_anyhow;
  const cv::LCID lcid = (options & 2) ? 0x041F : 0x0409;  // Turkish casing or English

  cv::TLemmaList lemmas(cs);
  lemmas.fLCID = lcid;
  lemmas.LoadFromBytes(bytes);
  std::u16string joined;
  lemmas.ShowProc = [&](cv::TLemmaEntryRec& t, cv::TCaseSensitivity, cv::Boolean, cv::Boolean, cv::Integer,
                        cv::Integer) {
    cv::TLemmaEntryRec found{};
    lemmas.FoundVariant(t.variantp, found);
    joined = lemmas.LemmaVariantsOf(t.headwordp, u", ");
  };
  lemmas.Traverse();
  for (cv::Integer i = 0; i < lemmas.HeadWordCount() && i < 64; ++i) lemmas.LemmaVariantsOf(lemmas.HeadWordAt(i), u"|");
  lemmas.CopyOfPointer(u"PROBE", true);
  lemmas.CopyOfPointer("PROBE", false);

  cv::TMatchList matches(cs);
  matches.fLCID = lcid;
  matches.allow_strings_with_commas = (options & 4) != 0;
  matches.LoadFromBytes(bytes);
  matches.ShowProc = [&](void* p, cv::TCaseSensitivity, cv::Boolean, cv::Boolean, cv::Integer, cv::Integer) {
    matches.FoundItem(p);
  };
  matches.Traverse();
  matches.BuildPtrArray(nullptr);
  matches.Clear();
  return 0;
}

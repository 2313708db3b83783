// Reads arbitrary bytes as search-word lists: the first byte picks the
// stream form or the text file (UTF-16LE with byte-order mark, or whatever
// the bytes are).  What was read must write back and read again to the same
// typed entries.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/classes.h"
#include "platform/utf.h"
#include "search/search_items.h"

namespace {

void CheckRoundTrip(cv::TSearchWordItems& items) {
  cv::TMemoryStream out;
  if (!items.SaveToStream(out)) return;  // an entry beyond the read limit is refused, not written
  out.SetPosition(0);
  cv::TSearchWordItems again;
  if (!again.ReadFromStream(out)) __builtin_trap();
  // Pieces parsed again may merge with entries already held, never grow.
  if (again.Count() > items.Count()) __builtin_trap();
}

const cv::string& TempFile() {
  static const cv::string f = cv::Utf8ToUtf16("/tmp/cv_fuzz_search_items_" + std::to_string(getpid()) + ".txt");
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > (1 << 14)) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  cv::TSearchWordItems items;
  if (data[0] & 1) {
    cv::TBytesStream in(bytes);
    if (items.ReadFromStream(in)) CheckRoundTrip(items);
  } else {
    {
      cv::TFileStream f(TempFile(), cv::fmCreate);
      f.WriteBuffer(bytes.data(), static_cast<cv::Int64>(bytes.size()));
    }
    try {
      items.LoadFromFile(TempFile(), 1);
    } catch (const cv::EClassesError&) {
      return 0;  // an unreadable text: the text reader's exception
    }
    CheckRoundTrip(items);
  }
  for (cv::Integer i = -1; i <= items.Count(); ++i) {
    cv::TSearch_word_format_rec r;
    items.GetSWR(i, r);
    items.SetHitsFound(i, 3);
  }
  return 0;
}

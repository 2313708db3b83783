// Reads arbitrary bytes as the stream forms of the typed lists; the first
// byte picks the list.  What was read must write back.
#include <cstddef>
#include <cstdint>

#include "lists/typed_lists.h"
#include "lists/typed_lists_records.h"
#include "lists/typed_lists_strings.h"

namespace {

template <class L>
void ReadAndWriteBack(cv::TStream& in) {
  L l;
  if (!l.ReadFromStream(in)) return;
  cv::TMemoryStream out;
  if (!l.SaveToStream(out)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > (1 << 16)) return 0;
  cv::TBytesStream in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    switch (data[0] % 9) {
      case 0: ReadAndWriteBack<cv::T2StringsAnd2IntegersList>(in); break;
      case 1: ReadAndWriteBack<cv::TStringColumnAndColourList>(in); break;
      case 2: ReadAndWriteBack<cv::TWordFreqAndSourceNumList>(in); break;
      case 3: ReadAndWriteBack<cv::T3LongintAndSingleList>(in); break;
      case 4: ReadAndWriteBack<cv::TCVInt64List>(in); break;
      case 5: ReadAndWriteBack<cv::TCardinalAndFreqList>(in); break;
      case 6: ReadAndWriteBack<cv::T5LongintList>(in); break;
      case 7: {
        cv::TSmallintList l;
        if (l.ReadFromStream(static_cast<cv::Integer>(size / 3), in)) {
          cv::TMemoryStream out;
          if (!l.SaveToStream(out)) __builtin_trap();
        }
        break;
      }
      default: {
        cv::TMySaveStringList l((data[0] & 0x10) != 0);
        if (l.LoadFromStream(in)) {
          cv::TMemoryStream out;
          if (!l.SaveToStream(out)) __builtin_trap();
        }
      }
    }
  } catch (const cv::EReadError&) {
    // A bad count or length (EFileReadError) or a short string read.
  }
  return 0;
}

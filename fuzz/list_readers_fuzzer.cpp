// Reads arbitrary bytes as the stream forms of the base lists.  The first
// byte picks the list and, for integer tuples, the tuple size.
#include <cstddef>
#include <cstdint>

#include "lists/useful_classes_base.h"

namespace {

class TStringEntry : public cv::TUsefulBaseListObject {
 public:
  cv::string s;
  bool ReadFromStream(cv::TStream& st) override {
    s = cv::ReadAString(st);
    return true;
  }
  bool SaveToStream(cv::TStream& st) override { return cv::WriteAString(st, s); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > (1 << 16)) return 0;
  const std::uint8_t pick = data[0];
  cv::TBytesStream in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    if (pick & 0x80) {
      cv::TUsefulBaseListSorts l(cv::TUsefulBaseListObjectClass::Of<TStringEntry>());
      if (l.ReadFromStream(in)) {
        cv::TMemoryStream out;  // what was read must write back
        if (!l.SaveToStream(out)) __builtin_trap();
      }
    } else {
      cv::TMultiLongintList l(static_cast<cv::TMultiLongintSize>(pick % 7));
      if (l.ReadFromStream(in)) {
        l.TripleSort(0, 1, 2);
        cv::TMemoryStream out;
        if (!l.SaveToStream(out)) __builtin_trap();
      }
    }
  } catch (const cv::EReadError&) {
    // EFileReadError (bad count or length) or a short read: expected.
  }
  return 0;
}

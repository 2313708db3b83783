// Reads arbitrary bytes with the string readers of streams, in an order the
// input chooses, until the stream ends or a reader refuses.
#include <cstddef>
#include <cstdint>

#include "lists/my_filestream.h"
#include "lists/pointer_utils.h"
#include "lists/useful_classes_base.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > (1 << 16)) return 0;
  const std::uint8_t order = data[0];
  cv::TBytesStream in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    for (int step = 0; step < 64 && in.Remaining() > 0; ++step) {
      switch ((order >> (step % 4 * 2)) & 3 ? (order + step) % 6 : 0) {
        case 0: cv::ReadAString(in); break;
        case 1: cv::DeletePChar(static_cast<char16_t*>(cv::ReadUnknownLengthPointer(in, true))); break;
        case 2: cv::DeletePAnsichar(static_cast<char*>(cv::ReadUnknownLengthPointer(in, false))); break;
        case 3: cv::DeletePChar(cv::StreamReadPchar(in)); break;
        case 4: cv::DeletePAnsichar(cv::StreamReadPAnsichar(in)); break;
        default: cv::ReadShortString(in); break;
      }
    }
  } catch (const cv::EReadError&) {
  }
  return 0;
}

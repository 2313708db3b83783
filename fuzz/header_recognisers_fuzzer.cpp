// Gives arbitrary bytes to every recogniser of the suite's files, as a file
// on disk (the recognisers open files by name), and to the header reader as
// a stream.  None of them may raise.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/utf.h"
#include "stored/wdef.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1 << 16)) return 0;
  static const std::string path = "/tmp/cv_fuzz_header_" + std::to_string(::getpid()) + ".zip";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  cv::TCVStored_File_rec rec;
  rec.filename = cv::Utf8ToUtf16(path);
  cv::IsACorvane32BitFileForTool(rec, cv::tt_kwic);
  cv::IsACorvane32BitFile(rec);
  cv::WhichToolsCorvane32BitFile(rec);
  cv::WasACorvane32BitFile(rec);
  cv::IsAnOldCorvaneFile(rec);
  cv::IsABatchZipFileForListType(rec);
  if (!cv::IsValidListType(rec.ListType)) __builtin_trap();

  cv::TBytesStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  cv::TCheckSignature sig{};
  cv::DiskSignatureISOKForToolAndList(sig, cv::tt_wordlist, cv::lt_word_list, in, cv::reading);
  if (!cv::IsValidListType(cv::DiskFileType(sig))) __builtin_trap();
  return 0;
}

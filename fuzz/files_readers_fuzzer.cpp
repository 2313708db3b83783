// Arbitrary bytes through the readers of the file and folder routines: the
// stored form of folders (one after another until the stream ends or a
// reader refuses), the content-type tests, and the ini-file parser.
#include <cstddef>
#include <cstdint>
#include <string>

#include "files/file_utils.h"
#include "files/ini_file_base.h"
#include "files/peruse_dir.h"
#include "platform/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > (1 << 16)) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  cv::TBytesStream in(bytes);
  try {
    for (int i = 0; i < 16 && in.Remaining() > 0; ++i) {
      cv::TFolderful f(u"/x");
      f.ReadFromStream(in);
      f.fSetSort(cv::sr_sort_by_name);
      if (f.Count() > 0) f.ListOfFiles()->Find(f.fGetASearchRec(f.Count() - 1));
    }
  } catch (const cv::EReadError&) {
  }
  cv::FileBufferType(data, static_cast<cv::Int64>(size), true);
  cv::FileBufferType(data, static_cast<cv::Int64>(size), false);
  cv::StringIsInUnicode(data, static_cast<cv::Int64>(size));

  cv::TStringList lines;
  lines.SetText(cv::Utf8ToUtf16(bytes));
  cv::TMyMemIniFile ini(u"");
  ini.SetStrings(lines);
  cv::TStringList sections, values;
  ini.ReadSections(sections);
  for (cv::Integer i = 0; i < sections.Count(); ++i) {
    ini.ReadMultiString(sections[i], values);
    ini.ReadColor(sections[i], u"c", 0);
    ini.ReadBool(sections[i], u"b", true);
  }
  return 0;
}

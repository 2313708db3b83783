// corvane: the command-line face of the runtime.  For now it shows what the
// foundation provides: the suite's tools, the user's locale and its code
// pages, number formatting, case mapping and the shared log.
#include <cstdio>
#include <string>

#include "core/logging_utilities.h"
#include "core/my_types_mini.h"
#include "files/wingenok.h"
#include "platform/nls.h"
#include "platform/sysutils.h"
#include "platform/utf.h"

namespace {

void Print(const cv::string& s) { std::printf("%s\n", cv::Utf16ToUtf8(s).c_str()); }

}  // namespace

int main(int argc, char** argv) {
  using namespace cv;
  if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::printf("usage: corvane\n  Shows the runtime's tools, locale and formatting.\n");
    return 0;
  }
  try {
    SetCurrentTool();
    Print(CorvaneControllerCaption() + u" (runtime " + CurrentCVMajorVersion100Str() + u")");
    Print(u"");
    Print(u"Tools of the suite:");
    for (int t = 0; t < kToolTypeCount; ++t) {
      const auto tool = static_cast<tool_type>(t);
      if (Tool_Name(tool).empty()) continue;
      Print(Format(u"  %2d  %-24s %-28s %-7s %s",
                   {t, Tool_Name(tool), GetShortToolFilename(tool), DefaultExtFromToolType(tool),
                    ToolLogPrefix(tool)}));
    }
    Print(u"");
    Print(u"Results-file extensions: " + CVFileExtensions());

    const LCID lcid = GetUserDefaultLCID();
    const TFormatSettings& fs = UserDefaultFormatSettings;
    Print(u"");
    Print(Format(u"User locale: %s (LCID $%.4x), ANSI code page %d, OEM code page %d, %s units",
                 {Latin1ToUtf16(LocaleNameFromLCID(lcid)), static_cast<int>(lcid),
                  static_cast<int>(CodePageFromLocale(lcid)), static_cast<int>(OemCodePageOfLCID(lcid)),
                  string(UserDefaultMeasurements(lcid) ? u"metric" : u"U.S.")}));
    Print(u"Today: " + FormatDateTime(fs.ShortDateFormat + u" " + fs.LongTimeFormat, Now(), fs));
    Print(u"A large count: " + IntToDecStr(Int64{1234567890123}, fs) + u"; a share: " +
          RealToDecStr(1234.5678, fs));
    Print(u"Turkish upper case of \"istanbul\": " + Uppercase(0x041F, u"istanbul") +
          u"; English: " + Uppercase(0x0409, u"istanbul"));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvane: %s\n", e.what());
    return 1;
  }
}

// Drives libCairn7 from the command line for the cross-process tests.  Each
// command prints one line:
//   setup                      attach to the region named by CV_SETTINGS_REGION
//   set_autosave N / get_autosave
//   set_tools_open T N / get_tools_open T
//   defaults                   SetAllDefaults
//   dump_locale                lcid, ANSI code page, printer units, margin, name
//   hold                       print "ready" and wait to be killed
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "platform/utf.h"
#include "settings_library/cairn7.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string c = argv[i];
    auto arg = [&]() { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
    if (c == "setup") {
      SetupCairnSharing();
      std::puts("ok");
    } else if (c == "set_autosave") {
      std::printf("%d\n", SetAutoSaveMinutes(arg()) ? 1 : 0);
    } else if (c == "get_autosave") {
      std::printf("%d\n", GetAutoSaveMinutes());
    } else if (c == "set_tools_open") {
      const int t = arg();
      std::printf("%d\n", SetToolsOpen(static_cast<uint8_t>(t), arg()) ? 1 : 0);
    } else if (c == "get_tools_open") {
      std::printf("%d\n", GetToolsOpen(static_cast<uint8_t>(arg())));
    } else if (c == "defaults") {
      SetAllDefaults();
      std::puts("ok");
    } else if (c == "dump_locale") {
      TTextsett_rec32 ts;
      GetTextSettings(&ts);
      TCVPrinter_rec p;
      GetPrinterInfo(&p);
      std::u16string name(ts.language_info.nome);
      std::printf("lcid=%04X acp=%u units=%u margin=%.2f name=%s\n", ts.language_info.lcid,
                  ts.language_info.win_codepage, p.units, p.LeftMargin, cv::Utf16ToUtf8(name).c_str());
    } else if (c == "hold") {
      std::puts("ready");
      std::fflush(stdout);
      for (;;) pause();
    } else {
      std::fprintf(stderr, "unknown command %s\n", c.c_str());
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}

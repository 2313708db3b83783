// corvane: the command-line tool of the runtime.  It uses the runtime the
// way the suite's tools do: it links the runtime packs, loads the settings
// and lemmatiser libraries by name, reads the shared settings, and runs word
// lists, concordances and keywords over text files.
#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "core/my_types_mini.h"
#include "files/my_kpsmall.h"
#include "tools/commands.h"
#include "tools/tool_support.h"

namespace {

constexpr char kHelp[] =
    "usage: corvane [COMMAND [ARGS...]]\n"
    "\n"
    "Commands:\n"
    "  concord WORDS [PATHS...]        key-word-in-context lines of WORDS\n"
    "  wordlist [PATHS...]             word frequencies\n"
    "  keywords STUDY REFERENCE        keywords of one word list against another\n"
    "  settings list|get|set|watch     the shared settings\n"
    "\n"
    "With no command, corvane prints a concordance of \"licen?e\" in the licence\n"
    "texts of /usr/share/common-licenses.  `corvane COMMAND --help` describes\n"
    "each command.\n";

}  // namespace

namespace cv::tool {

int DefaultRun() {
  const char* folder = "/usr/share/common-licenses";
  std::printf("corvane: no command given, so a concordance of the licence texts:\n"
              "  corvane concord \"licen?e\" %s --width 30\n"
              "(corvane --help lists the commands)\n\n",
              folder);
  std::fflush(stdout);
  return ConcordCommand({"licen?e", folder, "--width", "30"});
}

}  // namespace cv::tool

int main(int argc, char** argv) {
  using namespace cv::tool;
  std::vector<std::string> args(argv + 1, argv + argc);
  // The commands read text in blocks of several megabytes, one file after
  // another: keep such blocks on the heap for reuse instead of mapping and
  // faulting in fresh pages for every file.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  try {
    cv::SetCurrentTool();
    if (args.empty()) return DefaultRun();
    const std::string cmd = args[0];
    const TArgList rest(args.begin() + 1, args.end());
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (cmd == "concord") return ConcordCommand(rest);
    if (cmd == "wordlist") return WordlistCommand(rest);
    if (cmd == "keywords") return KeywordsCommand(rest);
    if (cmd == "settings") return SettingsCommand(rest);
    throw UsageError("unknown command " + cmd + " (see corvane --help)");
  } catch (const TToolError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "corvane: %s\n", e.what());
    return e.Status();
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fprintf(stderr, "corvane: out of memory\n");
    return 1;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "corvane: %s\n", e.what());
    return 1;
  }
}

#include "core/logging_utilities.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "core/my_types_mini.h"
#include "platform/sysutils.h"
#include "platform/utf.h"

namespace cv {

bool keeping_log = false;

namespace {

struct LogState {
  string file_name;
  std::vector<string> queue;
  bool busy = false;
  ~LogState();
};

// Set once the unit has finalised; later calls write nothing.
bool g_finalised = false;

LogState& State() {
  static LogState state;
  return state;
}

void AppendUtf16LE(std::string& out, std::u16string_view s) {
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Creates the log holding the byte-order mark and the first entry.  The file
// is written aside and hard-linked into place, so another process can never
// append ahead of the mark.  Returns 1 on success, 0 when the file appeared
// meanwhile (append instead), -1 on failure.
int CreateWithEntry(const std::string& path, const std::string& entry) {
  static std::atomic<unsigned> counter{0};
  const std::string tmp = path + ".new." + std::to_string(getpid()) + "." + std::to_string(counter++);
  const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    // A folder where we may not create side files: create in place.
    const int direct = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
    if (direct < 0) return errno == EEXIST ? 0 : -1;
    const bool ok = WriteAll(direct, "\xFF\xFE" + entry);
    return close(direct) == 0 && ok ? 1 : -1;
  }
  const bool written = WriteAll(fd, "\xFF\xFE" + entry);
  const bool closed = close(fd) == 0;
  if (!written || !closed) {
    unlink(tmp.c_str());
    return -1;
  }
  int result;
  if (link(tmp.c_str(), path.c_str()) == 0) {
    result = 1;
  } else if (errno == EEXIST) {
    result = 0;
  } else {
    // No hard links on this file system: fall back to an exclusive create.
    const int direct = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
    if (direct < 0) {
      result = errno == EEXIST ? 0 : -1;
    } else {
      const bool ok = WriteAll(direct, "\xFF\xFE" + entry);
      result = close(direct) == 0 && ok ? 1 : -1;
    }
  }
  unlink(tmp.c_str());
  return result;
}

bool AppendEntry(const std::string& path, const std::string& entry) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0) {
      const bool ok = WriteAll(fd, entry);
      return close(fd) == 0 && ok;
    }
    if (errno != ENOENT) return false;
    const int created = CreateWithEntry(path, entry);
    if (created != 0) return created == 1;
    // Someone else created it between our two calls: append to theirs.
  }
  return false;
}

void WriteEntry(std::u16string_view text) {
  if (g_finalised) return;
  LogState& st = State();
  if (!keeping_log || st.file_name.empty()) return;
  if (st.busy) {
    st.queue.emplace_back(text);
    return;
  }
  st.busy = true;
  const string prefix = ToolLogPrefix(current_tool_var);
  std::string bytes;
  // Queued texts go out first, each as an entry of its own.
  for (const string& queued : st.queue) {
    AppendUtf16LE(bytes, prefix);
    AppendUtf16LE(bytes, queued);
  }
  st.queue.clear();
  AppendUtf16LE(bytes, prefix);
  AppendUtf16LE(bytes, text);
  if (!AppendEntry(Utf16ToUtf8(st.file_name), bytes)) keeping_log = false;
  st.busy = false;
}

}  // namespace

// At unload, texts still queued go out as one entry; then the file name is
// cleared and nothing more is written.
LogState::~LogState() {
  if (!queue.empty() && !busy) {
    string joined;
    for (const string& s : queue) joined += s + u"\r\n";
    queue.clear();
    WriteEntry(joined + u"\r\n");
  }
  file_name.clear();
  g_finalised = true;
}

void EnsureLogInitialised() { (void)State(); }

string GetLogFilename() { return g_finalised ? string() : State().file_name; }

void SetLogFilename(std::u16string_view name) {
  if (!g_finalised) State().file_name = string(name);
}

void AddToLogFile(std::u16string_view text, bool lineEnd) {
  if (lineEnd) {
    string line(text);
    line += u"\r\n";
    WriteEntry(line);
  } else {
    WriteEntry(text);
  }
}

void StartNewLogSection() {
  AddToLogFile(StringOfChar(u'*', 10));
  string when;
  try {
    const TFormatSettings& fs = DefaultFormatSettings();
    when = FormatDateTime(fs.ShortDateFormat + u" " + fs.LongTimeFormat, Now(), fs);
  } catch (...) {
    when.clear();
  }
  AddToLogFile(u"LOG STARTED at " + when);
}

void ClearLogFile() {
  try {
    const string name = GetLogFilename();
    if (name.empty()) return;
    const std::string path = Utf16ToUtf8(name);
    struct stat sb {};
    if (stat(path.c_str(), &sb) != 0) return;
    unlink(path.c_str());
    StartNewLogSection();
  } catch (...) {
  }
}

}  // namespace cv

#include "platform/process.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/sysutils.h"
#include "platform/utf.h"

namespace cv {

string ExecutablePath() {
  std::vector<char> buf(4096);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buf.size()) return Utf8ToUtf16(std::string_view(buf.data(), n));
    if (buf.size() >= (1u << 20)) return {};
    buf.resize(buf.size() * 2);
  }
}

string CurrentUserName() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd pw{};
  passwd* result = nullptr;
  const int rc = getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result);
  if (rc == 0 && result != nullptr && result->pw_name != nullptr) return Utf8ToUtf16(result->pw_name);
  // No password entry (containers often run as a bare uid): the environment
  // is the next best source.
  if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') return Utf8ToUtf16(user);
  const int code = rc != 0 ? rc : ENOENT;
  throw EOSError(code, "no user name: " + std::string(std::strerror(code)));
}

void* LoadLibrary(std::u16string_view name) {
  if (name.empty()) return nullptr;
  return dlopen(Utf16ToUtf8(name).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(void* library, const char* symbol) {
  if (library == nullptr || symbol == nullptr) return nullptr;
  return dlsym(library, symbol);
}

bool FreeLibrary(void* library) { return library != nullptr && dlclose(library) == 0; }

int GetLastError() { return errno; }

string SysErrorMessage(int code) {
  char buf[256];
  // The GNU strerror_r returns the text, which may not be in buf.
  const char* text = strerror_r(code, buf, sizeof buf);
  return Utf8ToUtf16(text != nullptr ? text : "");
}

Int64 MonotonicMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SleepMilliseconds(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

// The standard desktop colours, $BBGGRR, by system colour index.
std::array<TColor, 31>& SysColors() {
  static std::array<TColor, 31> colours{
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};
  return colours;
}

int DefaultMessageBox(std::u16string_view text, std::u16string_view caption, Cardinal) {
  std::string out;
  if (!caption.empty()) out += Utf16ToUtf8(caption) + ": ";
  out += Utf16ToUtf8(text);
  out += '\n';
  (void)!write(STDERR_FILENO, out.data(), out.size());
  return IDOK;
}

MessageBoxHandler g_message_box = DefaultMessageBox;

}  // namespace

TColor GetSysColor(int index) {
  auto& c = SysColors();
  return index >= 0 && index < static_cast<int>(c.size()) ? c[index] : 0;
}

void SetSysColor(int index, TColor colour) {
  auto& c = SysColors();
  if (index >= 0 && index < static_cast<int>(c.size())) c[index] = colour;
}

int MessageBoxW(std::u16string_view text, std::u16string_view caption, Cardinal flags) {
  return g_message_box(text, caption, flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler old = g_message_box;
  g_message_box = handler != nullptr ? handler : DefaultMessageBox;
  return old;
}

}  // namespace cv

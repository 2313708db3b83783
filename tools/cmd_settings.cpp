// corvane settings: read and change the shared settings.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "settings_library/cairn7.h"
#include "tools/commands.h"
#include "tools/libraries.h"
#include "tools/tool_support.h"

namespace cv::tool {

namespace {

constexpr char kHelp[] =
    "usage: corvane settings list\n"
    "       corvane settings get NAME\n"
    "       corvane settings set NAME VALUE\n"
    "       corvane settings watch NAME [--seconds N]\n"
    "\n"
    "Reads or changes one setting of the shared settings record that every\n"
    "running tool sees.  NAME is the name of the setting's exports without\n"
    "Get/Set (AutoSaveMinutes, ConcSaveRecEntriesWantedPerSW, TempPathFolder\n"
    "...), in any case.  The record lives while some process holds it: keep\n"
    "one `corvane settings watch` running to see changes made from another\n"
    "shell; it prints the value each time it changes.\n";

enum class Kind { u8, i16, i32, u32, text };

struct TSetting {
  const char* name;  // without Get/Set
  const char* getter;
  const char* setter;
  Kind kind;
};

template <class T>
constexpr Kind KindOf();
template <>
constexpr Kind KindOf<uint8_t>() { return Kind::u8; }
template <>
constexpr Kind KindOf<int16_t>() { return Kind::i16; }
template <>
constexpr Kind KindOf<int32_t>() { return Kind::i32; }
template <>
constexpr Kind KindOf<uint32_t>() { return Kind::u32; }

#define CORVANE_SCALAR_ROW(G, S, T, f) {#G + 3, #G, #S, KindOf<T>()},
#define CORVANE_TEXT_ROW(G, S, f) {#G + 3, #G, #S, Kind::text},

const TSetting kSettings[] = {
    CAIRN_SCALARS(CORVANE_SCALAR_ROW) CAIRN_TEXTS(CORVANE_TEXT_ROW) CAIRN_FOLDERS(CORVANE_TEXT_ROW)
    {"ConcSaveRecEntriesWantedPerSW", "GetConcSaveRecEntriesWantedPerSW", "SetConcSaveRecEntriesWantedPerSw",
     Kind::i32},
    {"ConcSaveRecCharactersToSaveOnDisk", "GetConcSaveRecCharactersToSaveOnDisk",
     "SetConcSaveRecCharactersToSaveOnDisk", Kind::u32},
};

bool SameName(const char* a, const std::string& b) {
  if (std::strlen(a) != b.size()) return false;
  for (std::size_t i = 0; i < b.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

const TSetting& Find(const std::string& name) {
  for (const auto& s : kSettings)
    if (SameName(s.name, name)) return s;
  throw UsageError("no setting named " + name + " (see corvane settings list)");
}

std::string Read(const TCairn& c, const TSetting& s) {
  switch (s.kind) {
    case Kind::u8:
      return std::to_string(c.Get<uint8_t (*)()>(s.getter)());
    case Kind::i16:
      return std::to_string(c.Get<int16_t (*)()>(s.getter)());
    case Kind::i32:
      return std::to_string(c.Get<int32_t (*)()>(s.getter)());
    case Kind::u32:
      if (std::strcmp(s.getter, "GetConcSaveRecCharactersToSaveOnDisk") == 0)
        return std::to_string(c.Get<uint16_t (*)()>(s.getter)());
      return std::to_string(c.Get<uint32_t (*)()>(s.getter)());
    case Kind::text: {
      const char16_t* p = c.Get<const char16_t* (*)()>(s.getter)();
      return p ? U8(p) : std::string();
    }
  }
  return std::string();
}

// True when the stored value changed.
bool Write(const TCairn& c, const TSetting& s, const std::string& v) {
  if (s.kind == Kind::text) {
    const string t = U16(v);
    return c.Get<bool (*)(const char16_t*)>(s.setter)(t.c_str());
  }
  char* end = nullptr;
  errno = 0;
  const long long n = std::strtoll(v.c_str(), &end, 10);
  auto bad = [&](const char* range) {
    return UsageError(std::string(s.name) + " takes a whole number " + range + ", not \"" + v + "\"");
  };
  if (v.empty() || *end || errno) throw bad("");
  switch (s.kind) {
    case Kind::u8:
      if (n < 0 || n > 255) throw bad("from 0 to 255");
      return c.Get<bool (*)(uint8_t)>(s.setter)(static_cast<uint8_t>(n));
    case Kind::i16:
      if (n < -32768 || n > 32767) throw bad("from -32768 to 32767");
      return c.Get<bool (*)(int16_t)>(s.setter)(static_cast<int16_t>(n));
    case Kind::i32:
      if (n < INT32_MIN || n > INT32_MAX) throw bad("of 32 bits");
      return c.Get<bool (*)(int32_t)>(s.setter)(static_cast<int32_t>(n));
    case Kind::u32:
      if (std::strcmp(s.setter, "SetConcSaveRecCharactersToSaveOnDisk") == 0) {
        if (n < 0 || n > 65535) throw bad("from 0 to 65535");
        return c.Get<bool (*)(uint16_t)>(s.setter)(static_cast<uint16_t>(n));
      }
      if (n < 0 || n > UINT32_MAX) throw bad("from 0 to 4294967295");
      return c.Get<bool (*)(uint32_t)>(s.setter)(static_cast<uint32_t>(n));
    case Kind::text:
      break;
  }
  return false;
}

volatile std::sig_atomic_t g_interrupted = 0;
void OnSignal(int) { g_interrupted = 1; }

}  // namespace

int SettingsCommand(const TArgList& argv) {
  const TArgs args(argv, {{"--seconds", nullptr, true}, {"--help", "-h", false}});
  const auto& pos = args.Positional();
  if (args.Has("--help") || pos.empty()) {
    std::fputs(kHelp, stdout);
    return pos.empty() && !args.Has("--help") ? 2 : 0;
  }
  const std::string& verb = pos[0];
  if (verb == "list") {
    TCairn c;
    for (const auto& s : kSettings) std::printf("%-40s %s\n", s.name, Read(c, s).c_str());
    return 0;
  }
  if (verb == "get" || verb == "watch") {
    if (pos.size() != 2) throw UsageError("settings " + verb + " needs one NAME");
    const TSetting& s = Find(pos[1]);
    TCairn c;
    std::string last = Read(c, s);
    std::printf("%s\n", last.c_str());
    std::fflush(stdout);
    if (verb == "get") return 0;
    const long long seconds = args.Number("--seconds", 0, 0, 86400 * 365);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!g_interrupted && (seconds == 0 || std::chrono::steady_clock::now() < until)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const std::string now = Read(c, s);
      if (now != last) {
        std::printf("%s\n", now.c_str());
        std::fflush(stdout);
        last = now;
      }
    }
    return 0;
  }
  if (verb == "set") {
    if (pos.size() != 3) throw UsageError("settings set needs NAME and VALUE");
    const TSetting& s = Find(pos[1]);
    TCairn c;
    const bool changed = Write(c, s, pos[2]);
    std::printf("%s = %s%s\n", s.name, Read(c, s).c_str(), changed ? "" : " (unchanged)");
    return 0;
  }
  throw UsageError("settings takes list, get, set or watch, not " + verb);
}

}  // namespace cv::tool

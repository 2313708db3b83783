#include "files/my_kpsmall.h"

#include "core/logging_utilities.h"
#include "platform/process.h"

namespace cv {

TYieldProcessProc AYieldProcessProc;
Tpanic_mode panic_mode = panic_no_panic;
bool Global_ErrorMessageBusy = false;
bool yes_to_all = false;
bool no_to_all = false;

namespace {

constexpr int kWaitRoundMilliseconds = 10;

// The shared loop of the waits; `done` says whether the awaited state holds.
template <typename Done>
bool WaitLoop(Done done, Integer seconds) {
  if (done()) return false;
  const Int64 start = MonotonicMilliseconds();
  for (;;) {
    MyYieldProcess();
    MyYieldProcess();
    MyYieldProcess();
    if (done()) return false;
    const Int64 whole_seconds = (MonotonicMilliseconds() - start) / 1000;
    if (whole_seconds > seconds) return true;
    SleepMilliseconds(kWaitRoundMilliseconds);
  }
}

struct ShutdownNote {
  ShutdownNote() { EnsureLogInitialised(); }
  ~ShutdownNote() {
    AYieldProcessProc = nullptr;
    if (keeping_log) AddToLogFile(u"quit myKpSmall");
  }
} shutdown_note;

}  // namespace

void MyYieldProcess() {
  if (AYieldProcessProc) AYieldProcessProc();
}

bool WaitedFor(const bool& flag, Integer seconds) {
  return WaitLoop([&] { return !flag; }, seconds);
}

bool WaitTillDone(const bool& flag, Integer seconds) {
  return WaitLoop([&] { return flag; }, seconds);
}

bool EspereFuncao(const std::function<bool()>& condition, Integer seconds) {
  if (!condition) return false;
  return WaitLoop([&] { return !condition(); }, seconds);
}

Cardinal CheckExec(Cardinal code, std::u16string_view name_view) {
  if (code >= 32) return code;
  const string name(name_view);
  string text;
  switch (code) {
    case 0:
    case 8:
      text = u"Not enough memory to run " + name;
      break;
    case 2:
    case 3:
    case 5:
      text = u"Can't access " + name;
      break;
    case 16:
      text = name + u" already running";
      break;
    case 26:
      text = u"Sharing problem: " + name;
      break;
    case 27:
    case 31: {
      // The extension is the part from the last '.' of the file name.
      const auto slash = name.rfind(u'/');
      const auto dot = name.rfind(u'.');
      const string ext =
          dot != string::npos && (slash == string::npos || dot > slash) ? name.substr(dot) : string();
      text = u"Can't handle files ending \"" + ext + u"\"";
      break;
    }
    default:
      text = u"Can't communicate with " + name;
      break;
  }
  MessageBoxW(text, u"", MB_OK);
  return code;
}

}  // namespace cv

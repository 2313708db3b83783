// The shared yield hook, the user's stop request, the waits built on the
// hook, and the report of a failed program start.
//
// Nothing in the runtime starts a thread: long loops call MyYieldProcess at
// fixed points so that the tool's message pump (the hook) keeps its windows
// alive, and they test panic_mode between steps.
#pragma once

#include <functional>

#include "platform/types.h"

namespace cv {

using TYieldProcessProc = std::function<void()>;

// The yield hook; unset at start-up and cleared at shutdown.
extern TYieldProcessProc AYieldProcessProc;

enum Tpanic_mode : Byte { panic_no_panic, panic_stop_at_EOF, panic_stop_asap, panic_stop };

extern Tpanic_mode panic_mode;
extern bool Global_ErrorMessageBusy;
extern bool yes_to_all;
extern bool no_to_all;

// Calls the hook when one is set.
void MyYieldProcess();

// The waits run the hook three times a round and sleep about 10 ms between
// rounds, on a monotonic clock.  Each returns false at once when there is
// nothing to wait for, and true exactly when it gave up because more than
// `seconds` whole seconds had passed.
bool WaitedFor(const bool& flag, Integer seconds);      // while flag stays set
bool WaitTillDone(const bool& flag, Integer seconds);   // until flag becomes set
bool EspereFuncao(const std::function<bool()>& condition, Integer seconds);  // while condition()

// Reports a failed program or document start (codes below 32) in a plain
// message box and returns code unchanged.
Cardinal CheckExec(Cardinal code, std::u16string_view name);

}  // namespace cv

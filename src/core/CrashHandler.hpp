#pragma once

#include <ctime>
#include <string>

// Leaves a post-mortem file beside the program when it dies from a fatal signal
// (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT): the signal, the faulting address where
// known and a backtrace. Where the program's folder takes no file (a system-wide install),
// the file goes into the user's logs folder instead. The process then dies as it would
// have without the handler. Installed once, on the main thread, after the log exists.
void installCrashHandler();

// Gives the calling thread an alternate signal stack of its own, so that a stack overflow
// on it still leaves a post-mortem file. Every thread the game starts (the mission script's
// worker, a background save) calls this first thing; the stack goes with the thread.
void installThreadSignalStack();

// The post-mortem file for a program at `programPath` crashing at `utcTime`:
// programPath + "_" + "%Y%m%d_%H%M%S" + ".dmp".
std::string crashDumpPathFor(const std::string& programPath, std::time_t utcTime);

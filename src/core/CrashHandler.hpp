#pragma once

#include <ctime>
#include <string>

// Leaves a post-mortem file beside the program when it dies from a fatal signal
// (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT): the signal, the faulting address where
// known and a backtrace. The process then dies as it would have without the handler.
void installCrashHandler();

// The post-mortem file for a program at `programPath` crashing at `utcTime`:
// programPath + "_" + "%Y%m%d_%H%M%S" + ".dmp".
std::string crashDumpPathFor(const std::string& programPath, std::time_t utcTime);

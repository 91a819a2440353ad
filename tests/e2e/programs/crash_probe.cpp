// Crashes on purpose after installing the crash handler, so the end-to-end test can check
// the post-mortem file it leaves. Modes: "segv" (default), "abort", "thread-overflow" (a
// stack overflow on a thread of its own), "homeless" (its own folder is gone by the time it
// crashes, as when installed where it may not write).
#include "core/CrashHandler.hpp"
#include "core/FileUtils.hpp"

#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

// Exported (not static) so the backtrace can name it.
void deliberateFault(volatile int* target);
int deliberateOverflow(long depth);
volatile std::uintptr_t faultAddress = 0x10;

__attribute__((noinline)) void deliberateFault(volatile int* target)
{
    *target = 42;
}

volatile long overflowDepthLimit = -1; // never reached: the stack runs out first

// Not a tail call: the frame is still needed after the call returns.
__attribute__((noinline)) int deliberateOverflow(long depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth == overflowDepthLimit)
        return frame[0];
    return deliberateOverflow(depth + 1) + frame[1];
}

int main(int argc, char** argv)
{
    installCrashHandler();
    const char* how = argc > 1 ? argv[1] : "segv";
    std::puts("crash_probe: crashing now");
    std::fflush(stdout);
    if (std::strcmp(how, "abort") == 0)
        std::raise(SIGABRT);
    if (std::strcmp(how, "thread-overflow") == 0) {
        std::thread([] {
            installThreadSignalStack();
            deliberateOverflow(0);
        }).join();
    }
    if (std::strcmp(how, "homeless") == 0) {
        const std::string program = programPath();
        unlink(program.c_str());
        rmdir(program.substr(0, program.rfind('/')).c_str());
    }
    deliberateFault(reinterpret_cast<volatile int*>(faultAddress));
    return 0;
}

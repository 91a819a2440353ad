// Crashes on purpose after installing the crash handler, so the end-to-end test can check
// the post-mortem file it leaves beside the program.
#include "core/CrashHandler.hpp"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>

// Exported (not static) so the backtrace can name it.
void deliberateFault(volatile int* target);
volatile std::uintptr_t faultAddress = 0x10;

__attribute__((noinline)) void deliberateFault(volatile int* target)
{
    *target = 42;
}

int main(int argc, char** argv)
{
    installCrashHandler();
    const char* how = argc > 1 ? argv[1] : "segv";
    std::puts("crash_probe: crashing now");
    std::fflush(stdout);
    if (std::strcmp(how, "abort") == 0)
        std::raise(SIGABRT);
    deliberateFault(reinterpret_cast<volatile int*>(faultAddress));
    return 0;
}

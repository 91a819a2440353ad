#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

// Fonts and textures need an OpenGL context, and that needs an X display. Tests (and the
// benchmarks) call ensureDisplay() first: with DISPLAY set it does nothing; otherwise it
// starts a private Xvfb once per process, which the kernel stops when the process ends. It
// never resets (as an X server does when its last client leaves), so a test that opens a
// window just as the previous one closed its last connection is not refused.
//
// The software OpenGL driver is pinned in memory: Mesa unloads it when the last context
// goes, and the driver's own start-up allocations would then show up as leaks under
// LeakSanitizer with no way to tell them from ours.
inline void ensureDisplay()
{
    static const bool ready = [] {
        for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "swrast_dri.so"})
            if (dlopen(driver, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE))
                break;
        const char* current = std::getenv("DISPLAY");
        if (current && *current)
            return true;
        int channel[2];
        if (pipe(channel) != 0)
            throw std::runtime_error("ensureDisplay: no pipe");
        const pid_t parent = getpid();
        const pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(1);
            close(channel[0]);
            int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            const std::string fd = std::to_string(channel[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x720x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(channel[1]);
        std::string number;
        char c = 0;
        while (read(channel[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(channel[0]);
        if (child < 0 || number.empty())
            throw std::runtime_error("ensureDisplay: could not start Xvfb (is the xvfb package installed?)");
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }();
    (void)ready;
}

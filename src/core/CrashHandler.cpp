#include "core/CrashHandler.hpp"

#include "core/FileUtils.hpp"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// Everything the handler needs is prepared at install time: inside a signal handler we may
// only call async-signal-safe functions, so no allocation, no stdio, no locale.
// The dump goes beside the program; where that folder takes no files (installed for the
// whole system, or gone), into the user's logs folder.
char dumpStem[4096] = {};
char fallbackStem[4096] = {};
std::vector<char> alternateStack;
constexpr std::size_t signalStackSize = 64 * 1024;

constexpr std::array<int, 5> fatalSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

void appendText(char* buffer, std::size_t& length, std::size_t capacity, const char* text)
{
    while (*text && length + 1 < capacity)
        buffer[length++] = *text++;
    buffer[length] = '\0';
}

void appendNumber(char* buffer, std::size_t& length, std::size_t capacity, std::uint64_t value, int minDigits, int base = 10)
{
    char digits[32];
    int count = 0;
    do {
        int digit = static_cast<int>(value % static_cast<std::uint64_t>(base));
        digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        value /= static_cast<std::uint64_t>(base);
    } while (value != 0 && count < 32);
    while (count < minDigits && count < 32)
        digits[count++] = '0';
    while (count > 0 && length + 1 < capacity)
        buffer[length++] = digits[--count];
    buffer[length] = '\0';
}

// "_%Y%m%d_%H%M%S.dmp" from seconds since the epoch, without gmtime (not signal-safe).
void appendUtcSuffix(char* buffer, std::size_t& length, std::size_t capacity, std::time_t now)
{
    std::int64_t seconds = static_cast<std::int64_t>(now);
    std::int64_t days = seconds / 86400;
    std::int64_t secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    // Civil date from a day count (proleptic Gregorian calendar).
    days += 719468;
    std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    std::int64_t dayOfEra = days - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    std::int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    std::int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    appendText(buffer, length, capacity, "_");
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(year), 4);
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(month), 2);
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(day), 2);
    appendText(buffer, length, capacity, "_");
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(secondOfDay / 3600), 2);
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(secondOfDay / 60 % 60), 2);
    appendNumber(buffer, length, capacity, static_cast<std::uint64_t>(secondOfDay % 60), 2);
    appendText(buffer, length, capacity, ".dmp");
}

const char* signalName(int signal)
{
    switch (signal) {
    case SIGSEGV: return "SIGSEGV (invalid memory access)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGFPE: return "SIGFPE (arithmetic fault)";
    case SIGABRT: return "SIGABRT (aborted)";
    default: return "unknown signal";
    }
}

void writeAll(int fd, const char* text, std::size_t length)
{
    while (length > 0) {
        ssize_t written = write(fd, text, length);
        if (written <= 0)
            return;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void writeText(int fd, const char* text)
{
    writeAll(fd, text, std::strlen(text));
}

int openDump(const char* stem, std::time_t now)
{
    if (!*stem)
        return -1;
    char path[4200];
    std::size_t length = 0;
    path[0] = '\0';
    appendText(path, length, sizeof(path), stem);
    appendUtcSuffix(path, length, sizeof(path), now);
    return open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
}

void copyStem(char* stem, std::size_t capacity, const std::string& text)
{
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(stem, text.data(), length);
    stem[length] = '\0';
}

// Each thread's own alternate signal stack: a stack overflow on that thread can then still
// be reported. Released (and unhooked) when the thread ends.
struct ThreadSignalStack {
    std::vector<char> memory;
    ~ThreadSignalStack()
    {
        if (memory.empty())
            return;
        stack_t off {};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
    }
};

void onFatalSignal(int signal, siginfo_t* info, void*)
{
    const std::time_t now = std::time(nullptr);
    int fd = openDump(dumpStem, now);
    if (fd < 0)
        fd = openDump(fallbackStem, now);
    if (fd >= 0) {
        char line[256];
        std::size_t used = 0;
        line[0] = '\0';
        appendText(line, used, sizeof(line), "Quorvane post-mortem\nSignal: ");
        appendNumber(line, used, sizeof(line), static_cast<std::uint64_t>(signal), 1);
        appendText(line, used, sizeof(line), " ");
        appendText(line, used, sizeof(line), signalName(signal));
        appendText(line, used, sizeof(line), "\n");
        writeText(fd, line);
        if (info && (signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE)) {
            used = 0;
            appendText(line, used, sizeof(line), "Faulting address: 0x");
            appendNumber(line, used, sizeof(line), reinterpret_cast<std::uintptr_t>(info->si_addr), 1, 16);
            appendText(line, used, sizeof(line), "\n");
            writeText(fd, line);
        }
        writeText(fd, "Backtrace:\n");
        void* frames[64];
        int count = backtrace(frames, 64);
        backtrace_symbols_fd(frames, count, fd);
        close(fd);
    }
    // Die the way we would have: the default action, re-raised.
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    sigaction(signal, &defaults, nullptr);
    raise(signal);
}

} // namespace

std::string crashDumpPathFor(const std::string& programPath, std::time_t utcTime)
{
    char buffer[4200];
    std::size_t length = 0;
    buffer[0] = '\0';
    appendText(buffer, length, sizeof(buffer), programPath.c_str());
    appendUtcSuffix(buffer, length, sizeof(buffer), utcTime);
    return buffer;
}

void installCrashHandler()
{
    const std::string program = programPath();
    copyStem(dumpStem, sizeof(dumpStem), program);
    copyStem(fallbackStem, sizeof(fallbackStem), logsPath() + program.substr(program.rfind('/') + 1));

    // backtrace() loads its unwinder on first use, which may allocate: do that now, not mid-crash.
    void* warmUp[2];
    backtrace(warmUp, 2);

    // Our own stack, so a stack overflow can still be reported.
    alternateStack.resize(signalStackSize);
    stack_t stack {};
    stack.ss_sp = alternateStack.data();
    stack.ss_size = alternateStack.size();
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : fatalSignals)
        sigaction(signal, &action, nullptr);
}

void installThreadSignalStack()
{
    thread_local ThreadSignalStack own;
    if (!own.memory.empty())
        return;
    own.memory.resize(signalStackSize);
    stack_t stack {};
    stack.ss_sp = own.memory.data();
    stack.ss_size = own.memory.size();
    sigaltstack(&stack, nullptr);
}

#pragma once

#include <fstream>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>

// The game's one log file per program start, in the user's logs folder. Everything that
// goes wrong is reported here as a line of free text and the game carries on. Writers
// use the stream a line at a time; lines from several threads are kept whole because
// the file's stream buffer is guarded by a lock (see LockedFileBuf).
class Logger {
public:
    // The instance, created with its log file on the first call.
    static Logger& get();
    // The text stream every part of the game writes its lines to. Each thread gets a stream
    // of its own over the shared, locked file buffer, starting every statement with default
    // formatting and a clear state: a stream object's flags and error state are not safe to
    // share between the main thread, a mission script and a background save.
    static std::ostream& stream();
    static std::string path() { return get().path_; }
    static void flush();
    // Flushes and closes the file and releases the instance. Writes after this are discarded.
    static void close();
    // Closes any log and allows the next get() to start a new file (tests only).
    static void resetForTests();
    // Whether the logger exists (so shutdown code can avoid creating it).
    static bool exists();

    // "starlog-" + local time as "%FT%H.%M.%S" + ".log".
    static std::string fileNameFor(std::time_t localTime);

    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    // The stream buffer of the log file; standard output and error are pointed at it after start-up.
    std::streambuf* buffer();

private:
    struct Discarding {};
    Logger();
    explicit Logger(Discarding);

    std::string path_;
    std::unique_ptr<std::streambuf> buffer_;
    std::ostream stream_;
};

// Shorthand used everywhere: QV_LOG << "text" << std::endl;
#define QV_LOG (Logger::stream())

#pragma once

#include <cstddef>
#include <ctime>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>

// The game's one log file per program start, in the user's logs folder. Everything that
// goes wrong is reported here as a line of free text and the game carries on. Writers
// use the stream a line at a time; lines from several threads are kept whole because
// the file's stream buffer is guarded by a lock. Every start opens a file of its own (a
// counter is added when one of that name exists), only the newest few dozen logs are kept,
// and one start writes at most defaultByteLimit bytes; past that a notice says later lines
// are dropped.
class Logger {
public:
    static constexpr std::size_t defaultByteLimit = 32u * 1024u * 1024u;

    // The instance, created with its log file on the first call.
    static Logger& get();
    // The text stream every part of the game writes its lines to. Each thread gets a stream
    // of its own over the shared, locked file buffer, starting every statement with default
    // formatting and a clear state: a stream object's flags and error state are not safe to
    // share between the main thread, a mission script and a background save.
    static std::ostream& stream();
    static std::string path() { return get().path_; }
    static void flush();
    // Whether the log file could be opened (when not, every write is discarded).
    static bool isOpen();
    // Flushes and closes the file and releases the instance. Writes after this are discarded.
    static void close();
    // As close(), writing `lastLine` last, even past the size limit ("Signing off...").
    static void signOff(const std::string& lastLine);
    // Closes any log and allows the next get() to start a new file with `limit` bytes (tests only).
    static void resetForTests(std::size_t limit = defaultByteLimit);
    // Sends every line to `target` instead of a file, which is never made (the save check
    // prints the loaders' lines with its report). Only before the first line is written.
    static void openOnto(std::streambuf* target);
    // Whether the logger exists (so shutdown code can avoid creating it).
    static bool exists();

    // "starlog-" + local time as "%FT%H.%M.%S" (+ "-" + counter from 2 on) + ".log".
    static std::string fileNameFor(std::time_t localTime, int counter = 1);

    // Points standard output, error and log and SFML's error stream away from the file
    // before it goes.
    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    // The stream buffer of the log file (nullptr when it could not be opened); standard
    // output and error are pointed at it after start-up.
    std::streambuf* buffer();

private:
    struct Discarding {};
    Logger();
    explicit Logger(Discarding);
    explicit Logger(std::streambuf* target);
    void detachStandardStreams();

    std::string path_;
    std::unique_ptr<std::streambuf> buffer_;
    std::ostream stream_;
};

// Shorthand used everywhere: QV_LOG << "text" << std::endl;
#define QV_LOG (Logger::stream())

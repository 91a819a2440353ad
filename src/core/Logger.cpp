#include "core/Logger.hpp"

#include "core/FileUtils.hpp"

#include <SFML/System/Err.hpp>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <new>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

// How many log files the logs folder keeps, the newest; older ones are deleted at start-up.
constexpr std::size_t keptLogs = 30;
// A start that tries more names than this within one second gives up on a log file.
constexpr int namesPerSecond = 100;

const char* const droppedNotice = "The log has reached its size limit; later lines are dropped.\n";

// A stream buffer over the log file that keeps each thread's text to itself until the
// thread ends a line, then writes the whole line under a lock. Lines from the main thread,
// the mission script and a background save may interleave with each other, but never tear.
// Lines go straight to the file (no buffer of its own), so a crash loses none that were
// ended. Past the byte limit one notice is written and later lines are dropped: whatever a
// library prints, the log never fills the disk.
class LockedFileBuf : public std::streambuf {
public:
    LockedFileBuf(int fd, std::size_t limit)
        : fd_(fd)
        , limit_(limit)
    {
    }
    ~LockedFileBuf() override { close(); }

    // Writes `line` even past the limit (the sign-off), then every thread's unfinished line
    // and closes the file.
    void close(const std::string& line = {})
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (fd_ < 0)
            return;
        for (auto& [thread, text] : pending_)
            writeLimited(text.data(), text.size());
        pending_.clear();
        writeOut(line.data(), line.size());
        ::close(fd_);
        fd_ = -1;
    }

protected:
    int sync() override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        auto found = pending_.find(std::this_thread::get_id());
        if (found != pending_.end()) {
            writeLimited(found->second.data(), found->second.size());
            pending_.erase(found);
        }
        return fd_ >= 0 ? 0 : -1;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        std::string& text = pending_[std::this_thread::get_id()];
        text.append(s, static_cast<std::size_t>(n));
        writeCompleteLines(text);
        return n;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        std::lock_guard<std::mutex> guard(mutex_);
        std::string& text = pending_[std::this_thread::get_id()];
        text.push_back(traits_type::to_char_type(c));
        if (c == '\n')
            writeCompleteLines(text);
        return c;
    }

private:
    // The helpers below are called with the lock held.
    void writeCompleteLines(std::string& text)
    {
        auto end = text.rfind('\n');
        if (end == std::string::npos)
            return;
        writeLimited(text.data(), end + 1);
        text.erase(0, end + 1);
    }
    void writeLimited(const char* data, std::size_t size)
    {
        if (dropping_ || size == 0)
            return;
        if (written_ + size > limit_) {
            dropping_ = true;
            writeOut(droppedNotice, std::char_traits<char>::length(droppedNotice));
            return;
        }
        writeOut(data, size);
        written_ += size;
    }
    void writeOut(const char* data, std::size_t size)
    {
        while (size > 0 && fd_ >= 0) {
            ssize_t done = ::write(fd_, data, size);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                return; // a full disk: the line is lost, the game goes on
            data += done;
            size -= static_cast<std::size_t>(done);
        }
    }

    int fd_;
    std::size_t limit_;
    std::size_t written_ = 0;
    bool dropping_ = false;
    std::mutex mutex_;
    // Each thread's unfinished line.
    std::unordered_map<std::thread::id, std::string> pending_;
};

std::unique_ptr<Logger>& instance()
{
    // SFML's error stream is made first, so that at exit it is destroyed after the logger,
    // whose destructor may still have to point it away from the log.
    sf::err();
    static std::unique_ptr<Logger> logger;
    return logger;
}

// Set by close(): after sign-off nothing may reach the file any more, so late writers get
// a stream that discards instead of a fresh log.
bool& closedForGood()
{
    static bool closed = false;
    return closed;
}

std::recursive_mutex& instanceMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

std::size_t& byteLimit()
{
    static std::size_t limit = Logger::defaultByteLimit;
    return limit;
}

// Deletes all but the newest `kept` logs of the folder (by time of last change).
void deleteOldLogs(const std::string& folder, std::size_t kept)
{
    struct Entry {
        std::string path;
        std::time_t changed;
    };
    // Not through the file helpers: they log, and the log is being made.
    std::vector<Entry> logs;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind("starlog-", 0) != 0 || name.size() < 4 || name.compare(name.size() - 4, 4, ".log") != 0)
            continue;
        struct stat status {};
        if (::lstat((folder + name).c_str(), &status) == 0 && S_ISREG(status.st_mode))
            logs.push_back({folder + name, status.st_mtime});
    }
    ::closedir(dir);
    if (logs.size() <= kept)
        return;
    std::sort(logs.begin(), logs.end(), [](const Entry& a, const Entry& b) {
        return a.changed != b.changed ? a.changed > b.changed : a.path > b.path;
    });
    for (std::size_t i = kept; i < logs.size(); ++i)
        ::unlink(logs[i].path.c_str());
}

} // namespace

std::string Logger::fileNameFor(std::time_t localTime, int counter)
{
    char formatted[30] = {};
    std::tm parts{};
    localtime_r(&localTime, &parts);
    std::strftime(formatted, sizeof(formatted), "%FT%H.%M.%S", &parts);
    std::string name = std::string("starlog-") + formatted;
    if (counter > 1)
        name += "-" + std::to_string(counter);
    return name + ".log";
}

Logger::Logger(Discarding)
    : stream_(nullptr)
{
    stream_.setstate(std::ios::badbit);
}

Logger::Logger(std::streambuf* target)
    : stream_(target)
{
}

void Logger::openOnto(std::streambuf* target)
{
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    auto& logger = instance();
    if (!logger)
        logger.reset(new Logger(target));
}

Logger::Logger()
    : stream_(nullptr)
{
    // A new file every start, never one that exists: a quick relaunch after a crash must not
    // wipe the crash's log.
    const std::string folder = logsPath();
    const std::time_t now = std::time(nullptr);
    int fd = -1;
    for (int counter = 1; counter <= namesPerSecond && fd < 0; ++counter) {
        path_ = folder + fileNameFor(now, counter);
        fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    std::cout << "Starting new log at " << path_ << std::endl;
    if (fd < 0) {
        stream_.setstate(std::ios::badbit); // writes are silently discarded
        return;
    }
    buffer_ = std::make_unique<LockedFileBuf>(fd, byteLimit());
    stream_.rdbuf(buffer_.get());
    deleteOldLogs(folder, keptLogs);
}

Logger::~Logger()
{
    stream_.flush();
    detachStandardStreams();
}

void Logger::detachStandardStreams()
{
    // Anyone still pointing at our buffer (standard output after start-up, SFML's error
    // stream) must not write into freed memory: that includes the final flush of std::cout
    // when the process ends through exit(), as Xlib does when the display goes away.
    if (!buffer_)
        return;
    for (std::ostream* stream : {&std::cout, &std::cerr, &std::clog, &sf::err()})
        if (stream->rdbuf() == buffer_.get())
            stream->rdbuf(nullptr);
}

Logger& Logger::get()
{
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    auto& logger = instance();
    if (!logger) {
        if (closedForGood()) {
            static Logger discarding{Discarding{}};
            return discarding;
        }
        logger.reset(new Logger());
    }
    return *logger;
}

std::ostream& Logger::stream()
{
    // Never destroyed: destructors that run after this thread's own objects are gone (static
    // objects at exit(), which Xlib calls when the display goes away) may still log. The
    // stream holds no memory of its own, so nothing is lost by leaving it.
    alignas(std::ostream) thread_local unsigned char storage[sizeof(std::ostream)];
    thread_local std::ostream& local = *new (storage) std::ostream(nullptr);
    Logger& logger = get();
    // A null buffer (closed, or a file that could not be opened) leaves the stream failed, so
    // writes are discarded; setting the buffer clears whatever an earlier line left behind.
    local.rdbuf(logger.stream_.rdbuf());
    local.flags(std::ios_base::dec | std::ios_base::skipws);
    local.precision(6);
    local.width(0);
    local.fill(' ');
    return local;
}

bool Logger::exists()
{
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    return instance() != nullptr;
}

bool Logger::isOpen()
{
    return get().buffer_ != nullptr;
}

void Logger::flush()
{
    if (exists())
        get().stream_.flush();
}

void Logger::close()
{
    signOff({});
}

void Logger::signOff(const std::string& lastLine)
{
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    auto& logger = instance();
    if (!logger)
        return;
    logger->stream_.flush();
    logger->detachStandardStreams();
    if (logger->buffer_)
        static_cast<LockedFileBuf*>(logger->buffer_.get())->close(lastLine.empty() ? lastLine : lastLine + "\n");
    logger.reset();
    closedForGood() = true;
}

void Logger::resetForTests(std::size_t limit)
{
    close();
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    closedForGood() = false;
    byteLimit() = limit;
}

std::streambuf* Logger::buffer()
{
    return buffer_.get();
}

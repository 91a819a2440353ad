#include "core/Logger.hpp"

#include "core/FileUtils.hpp"

#include <cstdio>
#include <ctime>
#include <iostream>
#include <thread>
#include <unordered_map>

namespace {

// A file stream buffer that keeps each thread's text to itself until the thread ends a
// line, then writes the whole line under a lock. Lines from the main thread, the mission
// script and a background save may interleave with each other, but never tear.
class LockedFileBuf : public std::streambuf {
public:
    bool open(const std::string& path)
    {
        file_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
        return file_.is_open();
    }
    void close()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        for (auto& [thread, text] : pending_)
            file_.write(text.data(), static_cast<std::streamsize>(text.size()));
        pending_.clear();
        file_.close();
    }

protected:
    int sync() override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        auto found = pending_.find(std::this_thread::get_id());
        if (found != pending_.end()) {
            file_.write(found->second.data(), static_cast<std::streamsize>(found->second.size()));
            pending_.erase(found);
        }
        file_.flush();
        return file_ ? 0 : -1;
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
    // Called with the lock held.
    void writeCompleteLines(std::string& text)
    {
        auto end = text.rfind('\n');
        if (end == std::string::npos)
            return;
        file_.write(text.data(), static_cast<std::streamsize>(end + 1));
        text.erase(0, end + 1);
    }

    std::ofstream file_;
    std::mutex mutex_;
    // Each thread's unfinished line.
    std::unordered_map<std::thread::id, std::string> pending_;
};

std::unique_ptr<Logger>& instance()
{
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

} // namespace

std::string Logger::fileNameFor(std::time_t localTime)
{
    char formatted[30] = {};
    std::tm parts{};
    localtime_r(&localTime, &parts);
    std::strftime(formatted, sizeof(formatted), "%FT%H.%M.%S", &parts);
    return std::string("starlog-") + formatted + ".log";
}

Logger::Logger(Discarding)
    : stream_(nullptr)
{
    stream_.setstate(std::ios::badbit);
}

Logger::Logger()
    : path_(logsPath() + fileNameFor(std::time(nullptr)))
    , buffer_(std::make_unique<LockedFileBuf>())
    , stream_(nullptr)
{
    std::cout << "Starting new log at " << path_ << std::endl;
    auto* file = static_cast<LockedFileBuf*>(buffer_.get());
    if (file->open(path_))
        stream_.rdbuf(file);
    else
        stream_.setstate(std::ios::badbit); // writes are silently discarded
}

Logger::~Logger()
{
    stream_.flush();
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
    thread_local std::ostream local(nullptr);
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

void Logger::flush()
{
    if (exists())
        get().stream_.flush();
}

void Logger::close()
{
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    auto& logger = instance();
    if (!logger)
        return;
    logger->stream_.flush();
    // Anyone still pointing at our buffer (standard output after start-up) must not write into freed memory.
    if (std::cout.rdbuf() == logger->buffer_.get())
        std::cout.rdbuf(nullptr);
    if (std::cerr.rdbuf() == logger->buffer_.get())
        std::cerr.rdbuf(nullptr);
    if (std::clog.rdbuf() == logger->buffer_.get())
        std::clog.rdbuf(nullptr);
    static_cast<LockedFileBuf*>(logger->buffer_.get())->close();
    logger.reset();
    closedForGood() = true;
}

void Logger::resetForTests()
{
    close();
    std::lock_guard<std::recursive_mutex> guard(instanceMutex());
    closedForGood() = false;
}

std::streambuf* Logger::buffer()
{
    return buffer_.get();
}

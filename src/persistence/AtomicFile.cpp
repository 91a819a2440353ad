#include "persistence/AtomicFile.hpp"

#include "core/Logger.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool fail(const std::string& path, const char* what, const std::string& temporary)
{
    int error = errno;
    QV_LOG << "Error: writeFileAtomically, " << what << " for " << path << ": " << std::strerror(error) << std::endl;
    if (!temporary.empty())
        ::unlink(temporary.c_str());
    return false;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents)
{
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return fail(path, "could not create a temporary file", "");
    std::string temporary(name.data());
    ::fchmod(fd, 0644);

    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            ::close(fd);
            return fail(path, "could not write", temporary);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail(path, "could not flush", temporary);
    }
    if (::close(fd) != 0)
        return fail(path, "could not close", temporary);
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        return fail(path, "could not replace the file", temporary);

    // Make the rename itself durable.
    auto slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

#include "persistence/AtomicFile.hpp"

#include "core/Logger.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

// Links followed at most, as the system itself does before it reports a loop.
constexpr int maxLinks = 40;

bool fail(const std::string& path, const char* what, const std::string& temporary, int error = errno)
{
    QV_LOG << "Error: writeFileAtomically, " << what << " for " << path << ": " << std::strerror(error) << std::endl;
    if (!temporary.empty())
        ::unlink(temporary.c_str());
    return false;
}

// The file a path names once its links are followed (the path itself when it is no link;
// a dangling link names the file it would point to). False for a loop of links.
bool followLinks(const std::string& path, std::string& target)
{
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int hops = 0; hops < maxLinks; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error))) {
            target = current.string();
            return true;
        }
        fs::path next = fs::read_symlink(current, error);
        if (error)
            return false;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    errno = ELOOP;
    return false;
}

// A temporary file beside `target`, created with the usual permissions (0666 less the
// umask, as any new file of the player's), never one that exists.
int createTemporary(const std::string& target, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Temporary files that a save killed halfway left beside `target` ("<name>.tmp-<pid>-<n>"):
// removed once the process that made them is gone, so they do not pile up in the saved
// folder. A live process's file (another game writing at this moment) is left alone.
void removeStaleTemporaries(const std::string& target)
{
    namespace fs = std::filesystem;
    const fs::path path(target);
    const std::string prefix = path.filename().string() + ".tmp-";
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(path.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string pid = name.substr(prefix.size(), name.find('-', prefix.size()) - prefix.size());
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9)
            continue;
        if (::kill(static_cast<pid_t>(std::stol(pid)), 0) == 0 || errno != ESRCH)
            continue;
        fs::remove(entry.path(), error);
    }
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents)
{
    std::string target;
    if (!followLinks(path, target))
        return fail(path, "could not follow its links", "");
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::string temporary;
    int fd = createTemporary(target, temporary);
    if (fd < 0)
        return fail(path, "could not create a temporary file", "");
    // The new file keeps the old one's permissions: a save the player made private stays so.
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) {
        ::close(fd);
        return fail(path, "could not keep the file's permissions", temporary);
    }

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
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(path, "could not replace the file", temporary);

    // Make the rename itself durable.
    auto slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeStaleTemporaries(target);
    return true;
}

#include "persistence/SaveBackups.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "persistence/AtomicFile.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string SaveBackups::backupPath(const std::string& path, int number)
{
    return path + ".backup-" + std::to_string(number);
}

std::string SaveBackups::holdPrevious(const std::string& path)
{
    const std::string held = path + ".previous";
    // Left by a save that was stopped halfway: it is no more than an older copy.
    ::unlink(held.c_str());
    if (::link(path.c_str(), held.c_str()) == 0)
        return held;
    if (errno == ENOENT)
        return {};
    const int linkError = errno;
    // A file system without hard links: a copy does as well.
    std::string text;
    std::string error;
    if (readWholeFile(path, text, error) == FileRead::Read && writeFileAtomically(held, text))
        return held;
    QV_LOG << "Warning: SaveBackups, could not keep " << path << " as a backup: " << std::strerror(linkError)
           << std::endl;
    return {};
}

void SaveBackups::rotate(const std::string& path, const std::string& held)
{
    if (held.empty())
        return;
    for (int number = kept; number > 1; --number) {
        const std::string older = backupPath(path, number - 1);
        if (std::rename(older.c_str(), backupPath(path, number).c_str()) != 0 && errno != ENOENT)
            QV_LOG << "Warning: SaveBackups, could not move " << older << ": " << std::strerror(errno) << std::endl;
    }
    if (std::rename(held.c_str(), backupPath(path, 1).c_str()) != 0) {
        QV_LOG << "Warning: SaveBackups, could not keep " << held << " as a backup: " << std::strerror(errno) << std::endl;
        ::unlink(held.c_str());
    }
}

void SaveBackups::release(const std::string& held)
{
    if (!held.empty())
        ::unlink(held.c_str());
}

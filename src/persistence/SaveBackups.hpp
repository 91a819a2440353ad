#pragma once

#include <string>

// The last few versions of a save kept beside it as "<name>.backup-1" (the newest) to
// "<name>.backup-<kept>". A save that is replaced first keeps the old file under a
// temporary name (a hard link, so nothing is copied), and only once the new file is safely
// in place does that old file join the backups; a save that fails leaves the backups as they
// were. At every moment the save itself and each backup are whole files.
class SaveBackups {
public:
    static constexpr int kept = 3;

    static std::string backupPath(const std::string& path, int number);

    // Before `path` is replaced: keeps the current file under a temporary name and returns
    // that name ("" when there is no current file, or it could not be kept; logged).
    static std::string holdPrevious(const std::string& path);
    // After `path` was replaced: the held file becomes backup 1, the others move down one
    // and the oldest goes.
    static void rotate(const std::string& path, const std::string& held);
    // After a failed replacement: the held name is removed (the file itself is still `path`).
    static void release(const std::string& held);
};

#include "core/FileUtils.hpp"

#include "core/Logger.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

extern char** environ;

namespace {

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ensureFolder(const std::string& folder)
{
    std::error_code ignored; // failures surface later, in whatever tries to use the folder
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::string userSubfolder(const char* name)
{
    return ensureFolder(userPath() + name + "/");
}

std::string envOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return (value && *value) ? std::string(value) : fallback;
}

enum class ListingError { Console, Log };

// Names of the regular files in `folder` (a link counts as what it points to), sorted.
// False when the folder cannot be opened.
bool regularFiles(const std::string& folder, std::vector<std::string>& names)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    while (dirent* entry = readdir(dir)) {
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status {};
            regular = stat((withSlash(folder) + entry->d_name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            names.push_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

// The files whose names end in `suffix`. Hidden files (an editor's swap files) are left out,
// and so are the leftovers of editors and tools: "a.json~", "a.json.bak", "notes.jsonl".
std::vector<std::string> listMatching(const std::string& folder, const std::string& suffix, ListingError report)
{
    std::vector<std::string> names;
    if (!regularFiles(folder, names)) {
        if (report == ListingError::Console)
            std::cout << "Couldn't open the directory." << std::endl;
        else
            QV_LOG << "Couldn't open directory " << folder << std::endl;
        return names;
    }
    auto unwanted = [&suffix](const std::string& name) {
        return name.front() == '.' || name.size() <= suffix.size()
            || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0;
    };
    names.erase(std::remove_if(names.begin(), names.end(), unwanted), names.end());
    return names;
}

} // namespace

std::string programPath()
{
    std::array<char, 4096> buffer{};
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string assetsPath()
{
    std::string program = programPath();
    auto slash = program.rfind('/');
    std::string folder = slash == std::string::npos ? std::string("./") : program.substr(0, slash + 1);
    return folder + "assets/";
}

std::string homeFolder()
{
    std::string home = envOr("HOME", "");
    if (!home.empty() && home.front() == '/')
        return home;
    // No usable HOME (a service, a stripped environment): the password database knows.
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir
        && found->pw_dir[0] == '/')
        return found->pw_dir;
    return "/";
}

std::string userFolderLocation()
{
    // A relative XDG_DATA_HOME is to be ignored, not taken relative to wherever the game
    // was started from.
    std::string base = envOr("XDG_DATA_HOME", "");
    if (base.empty() || base.front() != '/')
        base = homeFolder() + "/.local/share";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/Quorvane/";
}

std::string userPath()
{
    return ensureFolder(userFolderLocation());
}

std::string modsPath() { return userSubfolder("mods"); }
std::string logsPath() { return userSubfolder("logs"); }
std::string screenshotsPath() { return userSubfolder("screenshots"); }
std::string savedPath() { return userSubfolder("saved"); }
std::string charImagesPath() { return userSubfolder("charImages"); }

std::string tempPath()
{
    return ensureFolder(withSlash(envOr("TMPDIR", "/tmp")) + "/Quorvane/");
}

std::vector<std::string> listJsonFiles(const std::string& folder)
{
    return listMatching(folder, ".json", ListingError::Console);
}

std::vector<std::string> listWavFiles(const std::string& folder)
{
    return listMatching(folder, ".wav", ListingError::Console);
}

std::vector<std::string> listOggFiles(const std::string& folder)
{
    return listMatching(folder, ".ogg", ListingError::Console);
}

std::vector<std::string> listPngFiles(const std::string& folder)
{
    return listMatching(folder, ".png", ListingError::Log);
}

std::vector<std::string> listRegularFiles(const std::string& folder)
{
    std::vector<std::string> names;
    if (!regularFiles(folder, names))
        QV_LOG << "Couldn't open directory " << folder << std::endl;
    return names;
}

FileRead readWholeFile(const std::string& path, std::string& contents, std::string& error)
{
    contents.clear();
    error.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int reason = errno;
        error = std::strerror(reason);
        return reason == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return FileRead::Unreadable;
    }
    std::array<char, 65536> chunk{};
    for (;;) {
        ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            ::close(fd);
            contents.clear();
            return FileRead::Unreadable;
        }
        if (got == 0)
            break;
        contents.append(chunk.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    return FileRead::Read;
}

void openInShell(const std::string& target)
{
    // Double fork: the grandchild runs xdg-open and is adopted by init, so the game neither
    // waits for the desktop nor leaves a zombie behind. No shell ever sees the target.
    pid_t child = fork();
    if (child < 0) {
        QV_LOG << "Warning: openInShell, could not start xdg-open for " << target << std::endl;
        return;
    }
    if (child == 0) {
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int devNull = open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                dup2(devNull, STDIN_FILENO);
                dup2(devNull, STDOUT_FILENO);
                dup2(devNull, STDERR_FILENO);
            }
            const char* opener = std::getenv("QV_OPENER"); // tests substitute a recorder
            const char* program = (opener && *opener) ? opener : "xdg-open";
            execlp(program, program, target.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

std::string chooseFile()
{
    if (std::system("command -v zenity >/dev/null 2>&1") != 0) {
        QV_LOG << "Warning: chooseFile, zenity is not installed, so no file can be chosen" << std::endl;
        return {};
    }
    std::string cwd = std::filesystem::current_path().string();
    FILE* pipe = popen("zenity --file-selection --title='Open file'"
                       " --file-filter='All Files | *'"
                       " --file-filter='Json Files (*.json) | *.json' 2>/dev/null",
                       "r");
    std::string chosen;
    if (pipe) {
        std::array<char, 512> chunk{};
        while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), pipe))
            chosen += chunk.data();
        pclose(pipe);
    }
    std::error_code ignored;
    std::filesystem::current_path(cwd, ignored);
    while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r'))
        chosen.pop_back();
    if (!chosen.empty() && !std::filesystem::is_regular_file(chosen))
        return {};
    return chosen;
}

bool readWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream all;
    all << in.rdbuf();
    bytes = all.str();
    return true;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    std::size_t position = 0;
    while ((position = text.find(from, position)) != std::string::npos) {
        text.replace(position, from.size(), to);
        position += to.size();
    }
    return text;
}

std::vector<std::string> split(const std::string& text, char delimiter)
{
    std::vector<std::string> pieces;
    std::istringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, delimiter))
        pieces.push_back(piece);
    return pieces;
}

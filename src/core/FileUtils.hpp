#pragma once

#include <string>
#include <vector>

// Where the game's folders are and the few file and desktop helpers every part uses.
// Paths use forward slashes and folder paths end in "/". Nothing is cached: each call
// recomputes its path and re-creates the folder if the player deleted it meanwhile.

// The assets folder beside the running program.
std::string assetsPath();
// The per-user folder ($XDG_DATA_HOME when it is an absolute path, else ~/.local/share, +
// "/Quorvane/") and its subfolders. The home folder is $HOME when absolute, else the one the
// password database gives the user.
std::string userPath();
// Where userPath() is, without creating it (the usage text).
std::string userFolderLocation();
std::string modsPath();
std::string logsPath();
std::string screenshotsPath();
std::string savedPath();
std::string charImagesPath();
// The system temporary folder ($TMPDIR, else /tmp) + "/Quorvane/".
std::string tempPath();
// The running program's own file path.
std::string programPath();

// Names (not paths) of a folder's regular files, sorted; an unopenable folder gives an empty
// list. The typed listings take the names ending in their suffix ("x.json", not "x.json~",
// "x.json.bak" or "x.jsonl"), case-sensitively, and leave hidden files out.
std::vector<std::string> listJsonFiles(const std::string& folder);
std::vector<std::string> listWavFiles(const std::string& folder);
std::vector<std::string> listOggFiles(const std::string& folder);
std::vector<std::string> listPngFiles(const std::string& folder);
std::vector<std::string> listRegularFiles(const std::string& folder);

// Reads a whole file. Only Missing means that there is no such file (a first start);
// any other failure (no permission, a folder or socket in its place, a loop of links, a
// read error) is Unreadable, with the system's reason in `error`: such a file is the
// player's and must not be replaced by defaults.
enum class FileRead { Read, Missing, Unreadable };
FileRead readWholeFile(const std::string& path, std::string& contents, std::string& error);

// Hands a file, folder or web address to the desktop's default handler and returns at once.
// The target is passed as one argument, never through a shell.
void openInShell(const std::string& target);
// Asks the player for a file (all files, or JSON files); empty text when cancelled or unavailable.
std::string chooseFile();

// The whole file as bytes; false when it cannot be opened.
bool readWholeFile(const std::string& path, std::string& bytes);

// Replaces every occurrence of `from`, continuing after each inserted `to`.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);
// Splits at `delimiter` like a line reader: no empty last piece for a trailing delimiter.
std::vector<std::string> split(const std::string& text, char delimiter);

#pragma once

#include <string>
#include <vector>

// Where the game's folders are and the few file and desktop helpers every part uses.
// Paths use forward slashes and folder paths end in "/". Nothing is cached: each call
// recomputes its path and re-creates the folder if the player deleted it meanwhile.

// The assets folder beside the running program.
std::string assetsPath();
// The per-user folder ($XDG_DATA_HOME, else ~/.local/share, + "/Quorvane/") and its subfolders.
std::string userPath();
std::string modsPath();
std::string logsPath();
std::string screenshotsPath();
std::string savedPath();
std::string charImagesPath();
// The system temporary folder ($TMPDIR, else /tmp) + "/Quorvane/".
std::string tempPath();
// The running program's own file path.
std::string programPath();

// Names (not paths) of a folder's entries, unsorted; an unopenable folder gives an empty list.
std::vector<std::string> listJsonFiles(const std::string& folder);
std::vector<std::string> listWavFiles(const std::string& folder);
std::vector<std::string> listOggFiles(const std::string& folder);
std::vector<std::string> listPngFiles(const std::string& folder);
std::vector<std::string> listRegularFiles(const std::string& folder);

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

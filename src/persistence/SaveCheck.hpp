#pragma once

#include <ostream>
#include <string>

// What `quorvane --check-save [folder]` does: loads the player's files from a user folder
// (options.json, saved/playerSave.json and the session in saved/) the way the game does,
// without a window and without writing anything, and prints one line per file saying whether
// it loaded and, when not, why. The loaders' own log lines go to the same output, so the
// report a player attaches to a bug report holds the reasons in full.
class SaveCheck {
public:
    // Where the characters and the mission catalogue a session names are read from.
    struct Sources {
        std::string crewAssets;
        std::string missionsRoot;
        static Sources ofGame();
    };

    SaveCheck(std::string userFolder, Sources sources);

    // True when every file that exists loaded (a missing file is reported, not a failure).
    bool run(std::ostream& out);

private:
    bool checkOptions(std::ostream& out);
    bool checkPlayer(std::ostream& out);
    bool checkSession(std::ostream& out);

    std::string folder_;
    Sources sources_;
};

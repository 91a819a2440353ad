// Saves written over and over, for the kill test (bench/save_kill_test.sh): each kind of file
// the game keeps, written by the game's own save code. Each save is numbered, and the number
// is in the file twice where the file allows (the ship's food and fuel), so a file read back
// whole and loaded by the game's loader names the save it came from.
//
//   save_writer save <kind>    saves until killed, printing each number once its save is done
//   save_writer check <kind>   loads the file: prints "ok <number>" and exits 0, or exits 1
//
// Kinds: session (the session save), player (the player save), options (options.json), fog
// (the fog file) and character (a crew creator character).

#include "creator/CharacterDraft.hpp"
#include "crew/Character.hpp"
#include "crew/CharacterManager.hpp"
#include "core/FileUtils.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/DisplayModes.hpp"
#include "persistence/Options.hpp"
#include "persistence/PlayerStats.hpp"
#include "persistence/SessionStore.hpp"
#include "support/FakeShipContext.hpp"
#include "world/FogOfWar.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

void done(int number)
{
    std::printf("%d\n", number);
    std::fflush(stdout);
}

int session(bool save)
{
    const std::string fixtures = std::string(QV_SOURCE_DIR) + "/tests/fixtures/";
    CharacterManager crew({fixtures + "crew/assets/", fixtures + "crew/mods/", "/nonexistent/"});
    MissionManager missions(nullptr, fixtures + "map-run/");
    missions.resetRunLists(MissionManager::medium);
    FakeShipContext context;
    Ship ship(context);
    Sector sector(missions, ship, 3, 3, FogOfWar::Mode::Shaded);
    SessionStore store(crew, missions, sector, ship);
    if (!save) {
        if (!store.load() || ship.getFood() != ship.getFuel())
            return 1;
        std::printf("ok %d\n", ship.getFood());
        return 0;
    }
    crew.resetCrew();
    sector.generateSector(5, false);
    for (int number = 1;; ++number) {
        ship.adjustFood(number - ship.getFood());
        ship.adjustFuel(number - ship.getFuel());
        ship.travelTo(100.f + static_cast<float>(number % 400), 200.f);
        sector.update(50000);
        if (!store.save())
            return 1;
        done(number);
    }
}

// The player save counts its jumps: save n has made n.
int player(bool save)
{
    const std::string path = savedPath() + "playerSave.json";
    PlayerStats stats;
    if (!save) {
        std::string text;
        if (!readWholeFile(path, text))
            return 1;
        stats.loadFile(path, PlayerStats::AchievementSwitch::None);
        // A file the loader could not parse is moved aside: then nothing is left at the path.
        if (!readWholeFile(path, text) || stats.getTotalJumpsMade() <= 0)
            return 1;
        std::printf("ok %d\n", stats.getTotalJumpsMade());
        return 0;
    }
    for (int number = 1;; ++number) {
        stats.addJump();
        if (!stats.saveFile(path))
            return 1;
        done(number);
    }
}

// The options keep one tracked character, (n, n).
int options(bool save)
{
    DisplayModes display;
    display.desktop = sf::VideoMode(1920, 1080, 32);
    display.fullscreenModes = {display.desktop, sf::VideoMode(1280, 720, 32)};
    if (!save) {
        Options loaded(display);
        const auto& tracked = loaded.trackedSubbedCharacters;
        if (tracked.size() != 1 || tracked[0].first != tracked[0].second)
            return 1;
        std::printf("ok %u\n", tracked[0].first);
        return 0;
    }
    Options options(display);
    for (int number = 1;; ++number) {
        options.trackedSubbedCharacters = {{static_cast<unsigned>(number), static_cast<unsigned>(number)}};
        options.saveOptions();
        done(number);
    }
}

// The fog cleared around one point, its x the save's number (counted round at fogRound).
constexpr int fogRound = 600;

void revealAt(FogOfWar& fog, int number)
{
    fog.reset();
    fog.reveal(sf::Vector2f(20.f + static_cast<float>(number), 200.f), 2.f);
}

int fog(bool save)
{
    const std::string path = savedPath() + "fow.save";
    FogOfWar fog(FogOfWar::Mode::Plain);
    if (!save) {
        if (!fog.loadFog(path))
            return 1;
        // The number whose fog this is: a torn file matches none.
        FogOfWar candidate(FogOfWar::Mode::Plain);
        for (int number = 0; number < fogRound; ++number) {
            revealAt(candidate, number);
            bool same = true;
            for (std::size_t cell = 0; cell < FogOfWar::cellCount && same; ++cell)
                same = candidate.isCellRevealed(cell) == fog.isCellRevealed(cell);
            if (same) {
                std::printf("ok %d\n", number);
                return 0;
            }
        }
        return 1;
    }
    for (int number = 1;; ++number) {
        revealAt(fog, number % fogRound);
        if (!fog.saveFog(path))
            return 1;
        done(number % fogRound);
    }
}

// A character whose history is its number.
int character(bool save)
{
    const std::string file = modsPath() + "characters/Kill_Test/Kill_Test.json";
    if (!save) {
        Character loaded(std::string(QV_SOURCE_DIR) + "/tests/fixtures/crew/assets/");
        if (!loaded.loadFromFile(true, file, "Kill_Test") || loaded.name() != "Kill Test")
            return 1;
        std::printf("ok %s\n", loaded.history.c_str());
        return 0;
    }
    CharacterDraft draft;
    draft.name = "Kill Test";
    draft.pronouns = "they/them";
    draft.traits = {"Human", "", "", "", ""};
    for (int number = 1;; ++number) {
        draft.history = std::to_string(number);
        if (!draft.save(modsPath(), file).saved)
            return 1;
        done(number);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool save = argc == 3 && std::strcmp(argv[1], "save") == 0;
    if (argc != 3 || (!save && std::strcmp(argv[1], "check") != 0)) {
        std::cerr << "usage: save_writer save|check session|player|options|fog|character" << std::endl;
        return 2;
    }
    const std::string kind = argv[2];
    if (kind == "session")
        return session(save);
    if (kind == "player")
        return player(save);
    if (kind == "options")
        return options(save);
    if (kind == "fog")
        return fog(save);
    if (kind == "character")
        return character(save);
    std::cerr << "save_writer: no kind " << kind << std::endl;
    return 2;
}

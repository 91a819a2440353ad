// A run saved over and over, for the kill test (bench/session_kill_test.sh): the same
// session save the game writes, from a roster over the crew fixtures, the fixture missions
// and a generated sector. Each save is numbered: the ship's food and fuel both hold the
// number, so a save read back whole has them equal.
//
//   session_saver save     saves until killed, printing each number once its save is done
//   session_saver check    loads the save: prints "ok <number>" and exits 0, or exits 1

#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/SessionStore.hpp"
#include "support/FakeShipContext.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2 || (std::strcmp(argv[1], "save") != 0 && std::strcmp(argv[1], "check") != 0)) {
        std::cerr << "usage: session_saver save|check" << std::endl;
        return 2;
    }
    const std::string fixtures = std::string(QV_SOURCE_DIR) + "/tests/fixtures/";
    CharacterManager crew({fixtures + "crew/assets/", fixtures + "crew/mods/", "/nonexistent/"});
    MissionManager missions(nullptr, fixtures + "map-run/");
    missions.resetRunLists(MissionManager::medium);
    FakeShipContext context;
    Ship ship(context);
    Sector sector(missions, ship, 3, 3, FogOfWar::Mode::Shaded);
    SessionStore store(crew, missions, sector, ship);

    if (std::strcmp(argv[1], "check") == 0) {
        if (!store.load())
            return 1;
        if (ship.getFood() != ship.getFuel())
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
        std::printf("%d\n", number);
        std::fflush(stdout);
    }
}

#pragma once

#include "crew/Character.hpp"
#include "crew/CharacterInfoPanel.hpp"
#include "crew/CrewCards.hpp"

#include <json/value.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

class PlayerStats;
class TextureManager;

namespace sf {
class RenderTarget;
}

// The owner of every crew member: all characters that can be played (shipped ones from the
// assets' "char/", mod ones from the user's "mods/characters/<folder>/"), the crew aboard,
// the crew picked for a run and the dead, and the deploy team of the current mission with
// its leader, medic and engineer. It answers the crew queries the mission scripts call,
// kills crew members, credits experience, and reads and writes the crew of the session
// save. It also lays out and draws the crew cards and the details of one member.
//
// Threads: the mission script calls the queries, giveMemento, newCrew and killCrew on its
// worker thread while the main thread lays out and draws cards. Everything here is guarded
// by one lock, taken by every public operation; screens that walk the lists themselves hold
// lock() meanwhile. Textures, labels and sounds stay on the main thread: cards make theirs
// when laid out or drawn, and the death sound a script asks for waits in a queue that the
// main thread empties (takeQueuedSounds). So do the statistics a death or a memento adds to:
// the player statistics report to the achievement manager, which is main-thread only, so they
// are handed over in flushStatistics. The deploy team holds positions in crewOnShip,
// which only the main thread reorders (moveDeadCrew, resetCrew, fromJson).
class CharacterManager {
public:
    struct Folders {
        std::string assets;     // holds "char/", "mementos/" and "general/character_related/"
        std::string mods;       // the user's mods folder, holds "characters/"
        std::string charImages; // the user's portraits folder
        static Folders ofGame();
    };
    static const char* const coloursFile;

    // The process-wide roster, made over the game's folders on first use.
    static CharacterManager& get();
    static bool exists();
    static void destroy();
    static void install(std::unique_ptr<CharacterManager> roster);

    // Seeds its random source, lists the sprite folders, reads the colours file (once per
    // process) and loads every character.
    explicit CharacterManager(Folders folders);
    ~CharacterManager();
    CharacterManager(const CharacterManager&) = delete;
    CharacterManager& operator=(const CharacterManager&) = delete;

    // What the game wires in: the statistics deaths and mementos are counted in, and the
    // ship's jump count, the day mementos are dated with (0 until a ship exists). The jump
    // count is asked for outside the roster's lock, so the source may take the ship's lock.
    void setPlayerStats(PlayerStats* stats);
    void setJumpCountSource(std::function<std::int32_t()> source);
    // The mission being played, written on the mementos given during it.
    void setCurrentMissionName(const std::string& name);
    std::string getCurrentMissionName() const;
    void seedRandom(std::uint32_t seed);

    // Crew queries of the mission scripts. `i` is a position in the deploy team; a bad
    // position is logged and gives the neutral result.
    std::string getCharDetail(std::int32_t i, const std::string& key); // throws std::out_of_range for a missing key
    std::int32_t getCharAttr(std::int32_t i, const std::string& attr);
    std::string getCharName(std::int32_t i);
    std::string getCharColoredName(std::int32_t i);
    std::string getNominativePronoun(std::int32_t i);
    std::string getObliquePronoun(std::int32_t i);
    std::string getPossesivePronoun(std::int32_t i);
    std::string getGender(std::int32_t i);
    std::int32_t getRandomCrewByPronoun(const std::string& pronoun);
    std::int32_t getCrewByName(const std::string& name);
    std::int32_t getCrewTraits(const std::string& trait);
    bool getCharTrait(std::int32_t i, const std::string& trait);
    void giveMemento(std::int32_t i, const std::string& mementoName);
    bool hasMemento(std::int32_t i, const std::string& mementoName);
    std::int32_t randomCrew();
    std::int32_t randomCrewIgnoringCrew(std::int32_t i);
    std::int32_t mostAttr(const std::string& attr);
    std::int32_t leastAttr(const std::string& attr); // throws std::out_of_range for an empty team
    std::int32_t totalAttr(const std::string& attr);
    std::int32_t crewWithMost(const std::string& attr);
    std::int32_t crewWithLeast(const std::string& attr);
    std::int32_t depCrewLeft();
    std::int32_t depCrewTotal();
    bool crewOnShipLeft();
    // How many aboard are alive (the mouths the ship feeds).
    std::int32_t livingCrewCount();
    bool crewIsAlive(std::int32_t i);
    std::int32_t getLead();
    std::int32_t getMed();
    std::int32_t getEng();
    void newCrew(const std::string& name);
    // The memento a character brings along when a script adds it with newCrew ("" for none).
    static std::string mementoOnJoining(const std::string& name);

    // Marks team member `i` dead, gives it the "death" memento (once) with `deathText` as
    // its description, counts it in the statistics and, with `playSound`, queues the death
    // sound for the main thread.
    void killCrew(std::int32_t i, bool playSound, const std::string& deathText);
    // The whole crew aboard at once, without sound (a run lost).
    void killAllCrew(const std::string& deathText);
    // The roster's per-step work: the dead of crewOnShip move to the end of deadCrew.
    void moveDeadCrew();
    // A new game: no chosen crew, no dead, every character that is not secret aboard.
    void resetCrew();
    // The run begins: the chosen crew boards, each member with its badges.
    void boardChosenCrew();
    void loadAllCharacters();
    // Deletes the file of a mod character, and its folder when that is left empty, and
    // reloads. Only a file in a folder directly inside the user's "mods/characters/" is ever
    // removed; anything else is logged and refused (false).
    bool deleteModCharacter(const Character& character);
    // The credit for a finished mission: every team member (dead too) gains a deployment;
    // with `creditRoles` the leader, medic and engineer (getLead, getMed, getEng) gain
    // their role.
    void awardExperience(const std::string& missionName, bool creditRoles);
    // The same with the deployment credit chosen too (event missions give none).
    void awardExperience(const std::string& missionName, bool creditDeployments, bool creditRoles);

    // The "Characters" member of the session save.
    Json::Value toJson();
    // Replaces the crew aboard and the dead. False when any member could not be read whole
    // (the reading stops there; a member without a readable name is left out), so the
    // caller can keep the save file aside instead of overwriting it with a shorter crew.
    bool fromJson(const Json::Value& object);

    // Main thread: the death sounds asked for since the last call, oldest first.
    std::vector<std::string> takeQueuedSounds();
    // Main thread: hands the mementos collected and the crew killed since the last call to the
    // player statistics, oldest first.
    void flushStatistics();
    // The game loop's blink step: the counter wraps to 0 when it exceeds 5 x blinkLength.
    void advanceBlink();
    bool blinkLit() const;

    // The deploy team as positions in crewOnShip; roles are team positions, -1 for none.
    void setDeployTeam(std::vector<std::size_t> crewPositions);
    std::vector<std::size_t> getDeployTeam() const;
    void setRoles(std::int32_t leader, std::int32_t medic, std::int32_t engineer);
    std::int32_t getLeaderIndex() const;
    std::int32_t getMedicIndex() const;
    std::int32_t getEngineerIndex() const;

    // Hold while using the lists below, whenever a mission script may be running.
    std::unique_lock<std::recursive_mutex> lock() const { return std::unique_lock(mutex_); }
    std::vector<Character>& getAllCharacters() { return allCharacters; }
    std::deque<Character>& getCrewOnShip() { return crewOnShip; }
    std::vector<Character>& getChosenCrew() { return chosenCrew; }
    std::deque<Character>& getDeadCrew() { return deadCrew; }
    std::int32_t getSecretCount() const;
    bool getNewMementosFlag() const;

    // Main thread: the sprite folders' pictures, under their file names, in the texture
    // registry (before any card looks them up; the card operations below do it themselves).
    void registerSpriteTextures();
    void layoutGrid(float x0, float y0, int perRow, int start, bool clearSlots);
    void layoutCrewView(int start);
    void rebuildRows();
    // The crew position of the card at the point, or -1.
    int cardAt(float x, float y);
    // Shows `character` (a member of one of the lists) in the info panel and selects it.
    void showCharacterInfo(float x, float y, Character& character, bool withExperience);
    void clearCharacterInfo();
    void drawCards(sf::RenderTarget& target, int start);
    void drawCrewView(sf::RenderTarget& target, int start);
    void drawCharacterInfo(sf::RenderTarget& target);
    // The selected member's mementos of `mementoPage`, first cell at `origin`.
    void drawMementoGrid(sf::RenderTarget& target, sf::Vector2f origin, int hoveredMemento);
    Character* getSelectedCharacter() { return selectedCharacter; }
    void clearSelection();
    void setDraggedIndex(int crewPosition);
    const CrewCards& cards() const { return cards_; }
    const CharacterInfoPanel& infoPanel() const { return infoPanel_; }

    int mementoPage = 0;
    static constexpr std::int32_t blinkLength = 5;

private:
    enum class Warning { A, B };
    // The team member at `i`, or nullptr after logging the warning of `query`.
    Character* member(std::int32_t i, const char* query, Warning warning);
    bool validPosition(std::int32_t i) const;
    std::int32_t randomPick(const std::vector<std::int32_t>& positions);
    std::int32_t firstAlive();
    std::int32_t crewWithBest(const std::string& attr, bool most);
    std::string pronoun(std::int32_t i, std::size_t word, const char* query);
    std::int32_t jumpCount() const;
    std::int32_t roleHolder(std::int32_t index, const char* fallbackAttr);
    void loadSpriteFolders(const std::string& root, const std::string& pictureFolder);
    bool readMembers(const Json::Value& list, std::deque<Character>& into, bool dead);
    void forgetPositions();
    void die(Character& dying, const std::string& deathText, std::int32_t day);
    // The real path of a character's folder when it may be deleted, else empty.
    std::filesystem::path removableModFolder(const std::filesystem::path& folder) const;

    mutable std::recursive_mutex mutex_;
    Folders folders_;
    PlayerStats* stats_ = nullptr;
    std::function<std::int32_t()> jumpCountSource_;

    std::unordered_map<std::string, std::vector<std::string>> spriteFolders;
    std::vector<std::string> spriteFolderNames;
    // Texture name -> picture path in the assets, registered on the main thread.
    std::vector<std::pair<std::string, std::string>> spriteTextures_;
    bool spriteTexturesRegistered_ = false;
    std::mt19937 crewRandom;
    std::vector<Character> allCharacters;
    std::deque<Character> crewOnShip;
    std::vector<Character> chosenCrew;
    std::deque<Character> deadCrew;
    std::vector<std::size_t> deployTeam;
    std::int32_t leaderIndex = -1;
    std::int32_t medicIndex = -1;
    std::int32_t engineerIndex = -1;
    std::string currentMissionName;
    bool newMementosFlag = false;
    std::int32_t secretCount = 0;
    std::int32_t blinkCounter = 0;
    std::vector<std::string> queuedSounds_;
    // Statistics waiting for flushStatistics: a memento collected or a crew member killed.
    struct StatisticsEntry {
        bool killed;
        std::string name;
    };
    std::vector<StatisticsEntry> queuedStatistics_;

    Character* selectedCharacter = nullptr;
    CrewCards cards_;
    CharacterInfoPanel infoPanel_;
};

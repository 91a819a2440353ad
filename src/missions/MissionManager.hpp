#pragma once

#include "missions/BaseMissionManager.hpp"
#include "missions/Mission.hpp"
#include "missions/MissionBudget.hpp"
#include "missions/MissionChoiceSet.hpp"
#include "missions/MissionMessage.hpp"
#include "missions/PendingDeath.hpp"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

class AchievementManager;
class CharacterManager;
class PlayerStats;
class Ship;

// Every mission of the game, read once at start-up and sorted into story, side, event and
// random missions plus the named events ("starvation.json", "outofgas.json"). Each kind
// has a pristine catalogue and the list the current run plays, changes, saves and
// restores. Also the run's difficulty, the mission random generator and the quest items.
//
// It is also the mission runtime shared by the script and the mission screen. The script
// (on its worker thread) queues messages and choice sets, waits for picks, kills crew and
// ends the mission; the main thread takes what was queued once a frame (takeQueued), reveals
// messages, shows choice sets and hands the player's picks back. Neither side waits for the
// other:
// - messages and choice sets travel through two queues, each taken by try-lock on both
//   sides; what the script cannot hand over at once waits in its own deferred list and goes
//   out, in order, with its next call (also while it polls for a pick, and when it ends);
// - a pick travels back through the set's atomic `response`;
// - pending deaths, the quest items and the end-screen name sit behind small locks held only
//   to copy or append;
// - the phase and the end anchor are atomic.
// Threads of each member are noted below; "script" members are touched by the main thread
// only in resetForMission, which runs while no script does.
class MissionManager : public BaseMissionManager {
public:
    static constexpr std::int32_t easy = 8;
    static constexpr std::int32_t medium = 6;
    static constexpr std::int32_t hard = 4;

    // The phases of one mission. getDeployStatus() is true while Live or Closing.
    enum class Phase {
        Idle,    // no mission, or it has been left
        Live,    // the script is telling its story
        Closing, // the script ended the mission; the closing lines are still being shown
        Closed,  // the end has been shown: LEAVE is open, the script's calls are ignored
    };

    // A message handed to the main thread, and whether the screen has revealed it.
    struct DisplayedMessage {
        std::shared_ptr<const MissionMessage> message;
        bool revealed = false;
    };
    // A choice set handed to the main thread. Sets are numbered from 0 in the order they
    // arrive, which is the order the script posted them.
    struct OfferedChoiceSet {
        std::shared_ptr<MissionChoiceSet> set;
        bool shown = false;
        bool answered = false;
    };

    // Reads the mission folders under `assetsRoot` (a folder path ending in "/").
    explicit MissionManager(AchievementManager* achievements, const std::string& assetsRoot);
    explicit MissionManager(AchievementManager* achievements);

    // A new run: whole copies of the catalogues, no quest items, the chosen difficulty.
    void resetRunLists(std::int32_t newDifficulty);
    // The named event under its file name, or nullptr (also when its file could not be read).
    Mission* namedEvent(const std::string& fileName);

    std::string getDifficulty() override;
    std::int32_t getDiffScale(std::int32_t easyValue, std::int32_t mediumValue, std::int32_t hardValue) override;
    // One past the highest story position completed in this run; 1 when none is.
    std::int32_t nextStoryOrder() override;
    // The index in randomMissions of an uncompleted random mission, or -1 when none is left.
    std::int32_t pickRandomMission() override;
    // Seeds from the monotonic clock (every script start does), or with the fixed seed when
    // one is set (replays, the mission runner).
    void reseedRandom() override;
    void seedRandom(std::uint32_t seed) { missionRandom.seed(seed); }
    void fixRandomSeed(std::optional<std::uint32_t> seed) { fixedSeed_ = seed; }
    std::int32_t random() override;
    // random() gives these numbers in turn (over again from the first) instead of the
    // generator's; empty gives the generator back. Set before the script starts (the mission
    // explorer steers a script's chance branches with it).
    void scriptRandomNumbers(std::vector<std::uint32_t> numbers) { scriptedRandom_ = std::move(numbers); }

    // ---- Called by the script (its worker thread) ----

    // Queues a line of text (skipped unless Live). A single space right after another is
    // dropped, except right after a choice set, where it becomes a header. A malformed
    // colour throws before anything is queued.
    void queueMessage(const std::string& text, bool isHeader) override;
    void addMessage(const std::string& text) override { queueMessage(text, false); }
    void addHeader(const std::string& text) override { queueMessage(text, true); }
    // Adds "n. text" to the set being built (numbered from 1 in each set).
    void buildChoice(const std::string& text) override;
    // The same, shown but not pickable.
    void buildLockedChoice(const std::string& text) override;
    // Offers the set being built and starts a new one.
    void finalizeChoice() override;
    void postChoiceSet(std::vector<MissionChoice> choices) override;
    // The index picked in set `set`, or -1: not picked yet, no such set, or the mission is
    // no longer Live. A -1 costs the caller a couple of milliseconds of sleep (no lock held),
    // so a script polling for a pick does not spin a core.
    std::int32_t getChoiceResponse(std::int32_t set) override;
    // Offers set `set` again with the picked choice locked; a set that was never posted
    // throws std::out_of_range("invalid vector<T> subscript").
    void rechoice(std::int32_t set) override;
    bool getDeployStatus() override;
    // Held for the whole run; adding one already held is logged and ignored.
    void addQuestItem(const std::string& item) override;
    void removeQuestItem(const std::string& item) override;
    bool hasQuestItem(const std::string& item) override;
    // A loaded run starts from none; the saved ones are added back by its "Missions" member.
    void clearQuestItems();
    // Closes the mission text with the LEAVE line, carries out pending deaths at once and
    // records the outcome on the current mission (skipped unless Live).
    void endMission(bool success) override;
    void setEndScreen(const std::string& name) override;
    // Ends the run, then the mission. Won: every crew member aboard who is not a dead member
    // of the team (secret characters too) is recorded as alive at an ending. Lost: the whole
    // team dies with the death sound, and gameOver is set.
    void endGame(bool won) override;
    // Whether the current mission sends a team (all three answer the same).
    bool hasLead();
    bool hasMed() { return hasLead(); }
    bool hasEng() { return hasLead(); }
    // The chunk has returned: delivers what is still deferred, trying for a short while while
    // the main thread holds a lock; gives up early once `stop` is set.
    void scriptFinished(const std::atomic<bool>& stop);
    // Kills deploy-team member `crewNumber`: dead at once for every crew query, told (memento,
    // epitaph, sound) once the newest message so far has been shown. A member that does not
    // exist is logged by the roster.
    void killCrew(std::int32_t crewNumber, const std::string& epitaph);
    // Registers a death to be carried out in step with the text (the second half of killCrew).
    void queueDeath(std::int32_t crewNumber, const std::string& epitaph);
    // Unlocks "everyone_lives" when the crew a run starts with on this difficulty still lives
    // (secret characters and the two who join later do not count).
    void checkEveryoneLives();
    // How many times the script has called checkEveryoneLives (the mission explorer's check
    // of a victory path).
    std::int32_t everyoneLivesChecks() const { return everyoneLivesChecks_.load(); }

    // ---- Called by the main thread ----

    // The mission the screen opens, before its script starts: clears the ending flags, and a
    // crew fed again leaves the cryo sleep of starvation ("starvation_cryo_active").
    void setCurrentMission(Mission* mission);
    // The ship of the run (its food decides the cryo rule above).
    void setShip(Ship* ship) { ship_ = ship; }
    // The crew roster deaths are carried out on.
    void setCrew(CharacterManager* crew) { crew_ = crew; }
    // The statistics the endings and research items are counted in (main thread: what the
    // script reports waits in a list that takeQueued hands over).
    void setPlayerStats(PlayerStats* stats) { stats_ = stats; }
    // A mission started from the developer loader gives the team no credit. Set before the
    // script starts.
    void setSkipCrewCredit(bool skip) { skipCrewCredit_ = skip; }
    bool skipCrewCredit() const { return skipCrewCredit_; }

    // The "Missions" member of the session save: the four run lists, the quest items and the
    // difficulty. An empty list is left out.
    Json::Value saveMissions() override;
    // Restores the run lists from the catalogues (missions whose files are gone are dropped
    // without a word), the quest items (those of the run before are forgotten first) and the
    // difficulty.
    void loadMissions(const Json::Value& object) override;
    // A clean slate for the next script (no script may be running): Live, no messages, no
    // choice sets, no pending deaths, a fresh budget.
    void resetForMission() override;
    // The per-frame hand-over: takes the queued messages and choice sets (each queue only if
    // its lock is free at once), carries out deaths that are due at once and unlocks the
    // achievements the script earned.
    void takeQueued();
    // The screen has typed out message `index`: deaths tied to it are carried out, and the
    // closing line ends the mission (Closed; a save is requested unless the run ended).
    void revealMessage(std::size_t index);
    // The screen shows set `set` (its buttons become pickable).
    bool showChoiceSet(std::size_t set);
    // The player picked choice `index` of a shown, unanswered set. False (nothing changes)
    // for anything else: a locked choice, a wrong index, an answered or hidden set.
    bool answerChoice(std::size_t set, std::int32_t index);
    // The mission is left (LEAVE, the title menu, shutdown): Idle. The script, if it still
    // runs, sees getDeployStatus() false and every queueing call does nothing.
    void leaveMission();

    const std::vector<DisplayedMessage>& displayedMessages() const { return displayed_; }
    const std::vector<OfferedChoiceSet>& offeredChoiceSets() const { return offered_; }
    Phase phase() const { return phase_.load(); }
    // The id of the closing line while Closing, else -1.
    std::int32_t endAnchor() const { return endAnchor_.load(); }
    bool saveRequested() const { return saveRequested_; }
    bool gameEnded() const { return gameEnded_.load(); }
    std::vector<std::string> questItemList() const;
    std::string endScreenName() const;
    bool endScreenRequested() const;
    Mission* currentMission() const { return currentMission_; }

    // Told of every death carried out (on the main thread, after the roster): the mission
    // runner's transcript.
    std::function<void(const PendingDeath&)> onDeath;

    // The two hand-over locks, for tests that hold them to see the deferred path.
    std::unique_lock<std::mutex> holdMessageLock() { return std::unique_lock<std::mutex>(messageLock_); }
    std::unique_lock<std::mutex> holdChoiceLock() { return std::unique_lock<std::mutex>(choiceLock_); }
    MissionBudget& budget() { return budget_; }

    const std::vector<Mission>& getStoryCatalogue() const { return storyCatalogue; }
    const std::vector<Mission>& getSideCatalogue() const { return sideCatalogue; }
    const std::vector<Mission>& getEventCatalogue() const { return eventCatalogue; }
    const std::vector<Mission>& getRandomCatalogue() const { return randomCatalogue; }

    // The current run's lists (main thread; a script reaches them only through the current
    // mission's completion, written before the phase changes).
    std::vector<Mission> storyMissions;
    std::vector<Mission> sideMissions;
    std::vector<Mission> eventMissions;
    std::vector<Mission> randomMissions;
    std::unordered_map<std::string, Mission> namedEvents;

    std::int32_t difficulty = medium;
    std::atomic<bool> gameOver { false };

private:
    void buildCatalogue(const std::string& assetsRoot);
    bool live() const { return phase_.load() == Phase::Live; }
    void queueLine(const std::string& text, bool isHeader, bool charged);
    void deliverMessage(std::shared_ptr<MissionMessage> message);
    void deliverChoiceSet(std::shared_ptr<MissionChoiceSet> set);
    bool flushDeferred();
    void addChoice(const std::string& text, bool locked);
    void carryOutDueDeaths(std::int32_t shownId);
    void closeIfShown();
    // The ending's crew credit and the statistics it reports (main thread, at the first
    // hand-over after the ending; the mission closes only after it).
    void creditTeam();
    bool wholeTeamDead();
    // Hands what the script reported for the statistics to them (main thread).
    void applyStatReports();

    std::vector<Mission> storyCatalogue;
    std::vector<Mission> sideCatalogue;
    std::vector<Mission> eventCatalogue;
    std::vector<Mission> randomCatalogue;
    // Left at its default seed, so the event order is the same in every launch.
    std::mt19937_64 shuffleEngine;
    std::mt19937 missionRandom;
    std::optional<std::uint32_t> fixedSeed_;
    // Script thread once the script runs.
    std::vector<std::uint32_t> scriptedRandom_;
    std::size_t nextScriptedRandom_ = 0;
    std::atomic<std::int32_t> everyoneLivesChecks_ { 0 };
    AchievementManager* achievements;
    Ship* ship_ = nullptr;
    CharacterManager* crew_ = nullptr;
    PlayerStats* stats_ = nullptr;
    // Main thread, before the script starts.
    bool skipCrewCredit_ = false;

    // Both threads.
    std::atomic<Phase> phase_ { Phase::Idle };
    std::atomic<std::int32_t> endAnchor_ { -1 };
    std::atomic<bool> gameEnded_ { false };
    std::atomic<bool> missionPrint_ { true };
    // The script has ended the mission; the team's credit waits for the main thread.
    std::atomic<bool> creditPending_ { false };
    // Set by the main thread before the script starts, read by the script.
    Mission* currentMission_ = nullptr;

    // messageLock_ guards messageQueue_; choiceLock_ guards choiceSetQueue_.
    std::mutex messageLock_;
    std::vector<std::shared_ptr<MissionMessage>> messageQueue_;
    std::mutex choiceLock_;
    std::vector<std::shared_ptr<MissionChoiceSet>> choiceSetQueue_;
    // deathLock_ guards pendingDeaths_.
    std::mutex deathLock_;
    std::vector<PendingDeath> pendingDeaths_;
    // runLock_ guards the quest items, the end-screen request and the achievements waiting for
    // the main thread.
    mutable std::mutex runLock_;
    std::vector<std::string> questItems_;
    std::vector<std::string> pendingUnlocks_;
    // Statistics reports waiting for the main thread: places, survivors, research.
    std::vector<std::string> pendingPlanets_;
    std::vector<std::string> pendingSurvivors_;
    std::vector<std::string> pendingResearch_;
    std::string endScreenName_;
    bool endScreenRequested_ = false;

    // Script thread.
    std::vector<std::shared_ptr<MissionMessage>> deferredMessages_;
    std::vector<std::shared_ptr<MissionChoiceSet>> deferredChoiceSets_;
    std::vector<MissionChoice> pendingChoices_;
    std::vector<std::shared_ptr<MissionChoiceSet>> postedSets_;
    std::string lastMessageText_ = "first";
    bool choiceJustFinalized_ = false;
    std::int32_t messageCount_ = 0;
    std::int64_t nextSequence_ = 0;
    MissionBudget budget_;

    // Main thread.
    std::vector<DisplayedMessage> displayed_;
    std::vector<OfferedChoiceSet> offered_;
    bool saveRequested_ = false;
    std::int32_t highestShownId_ = 0;
};

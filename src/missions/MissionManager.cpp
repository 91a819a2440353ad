#include "missions/MissionManager.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/TimeSource.hpp"
#include "crew/CharacterManager.hpp"
#include "persistence/PlayerStats.hpp"
#include "persistence/Options.hpp"
#include "world/Ship.hpp"

#include <algorithm>
#include <chrono>
#include <limits>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

namespace {

// j uniform in 0..i from whole 64-bit draws: values from the incomplete top range are
// drawn again, so no index is favoured. Fixed here so the order never depends on the
// standard library's distribution.
std::size_t drawIndex(std::mt19937_64& engine, std::size_t i)
{
    const std::uint64_t range = static_cast<std::uint64_t>(i) + 1;
    const std::uint64_t leftover = (std::numeric_limits<std::uint64_t>::max() % range + 1) % range;
    const std::uint64_t limit = std::uint64_t(0) - leftover; // 2^64 - leftover
    std::uint64_t value = engine();
    while (leftover != 0 && value >= limit)
        value = engine();
    return static_cast<std::size_t>(value % range);
}

// A file that holds no mission (unreadable, unparsable) is logged and left out.
std::optional<Mission> loadMission(const std::string& assetsRoot, const std::string& folder,
                                   const std::string& fileName)
{
    Mission mission;
    if (!mission.loadMissionFile(assetsRoot + folder + fileName, folder + fileName))
        return std::nullopt;
    return mission;
}

} // namespace

MissionManager::MissionManager(AchievementManager* achievements, const std::string& assetsRoot)
    : achievements(achievements)
{
    buildCatalogue(assetsRoot);
    std::uint32_t seed = clockSeed();
    missionRandom.seed(seed);
    QV_LOG << "Scanning spatial regions [" << seed << "]" << std::endl;
}

MissionManager::MissionManager(AchievementManager* achievements)
    : MissionManager(achievements, assetsPath())
{
}

void MissionManager::buildCatalogue(const std::string& assetsRoot)
{
    const std::string missionFolder = "missions/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + missionFolder)) {
        std::optional<Mission> loaded = loadMission(assetsRoot, missionFolder, fileName);
        if (!loaded)
            continue;
        Mission& mission = *loaded;
        std::string type = mission.getItem("Mission Type");
        if (mission.storyOrder != 0) {
            storyMissions.push_back(mission);
            storyCatalogue.push_back(std::move(mission));
        } else if (type == "food" || type == "fuel") {
            eventCatalogue.push_back(mission);
            eventMissions.push_back(std::move(mission));
        } else {
            sideMissions.push_back(mission);
            sideCatalogue.push_back(std::move(mission));
        }
    }

    for (std::size_t i = 1; i < eventMissions.size(); ++i) {
        std::size_t j = drawIndex(shuffleEngine, i);
        if (j != i)
            std::swap(eventMissions[i], eventMissions[j]);
    }

    const std::string randomFolder = "missions/random/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + randomFolder)) {
        std::optional<Mission> mission = loadMission(assetsRoot, randomFolder, fileName);
        if (!mission)
            continue;
        randomMissions.push_back(*mission);
        randomCatalogue.push_back(std::move(*mission));
    }

    const std::string eventFolder = "missions/events/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + eventFolder)) {
        if (std::optional<Mission> mission = loadMission(assetsRoot, eventFolder, fileName))
            namedEvents[fileName] = std::move(*mission);
    }
}

void MissionManager::resetRunLists(std::int32_t newDifficulty)
{
    eventMissions = eventCatalogue;
    storyMissions = storyCatalogue;
    sideMissions = sideCatalogue;
    randomMissions = randomCatalogue;
    {
        std::lock_guard<std::mutex> guard(runLock_);
        questItems_.clear();
    }
    gameOver = false;
    difficulty = newDifficulty;
}

Mission* MissionManager::namedEvent(const std::string& fileName)
{
    auto found = namedEvents.find(fileName);
    return found == namedEvents.end() ? nullptr : &found->second;
}

std::string MissionManager::getDifficulty()
{
    switch (difficulty) {
    case hard:
        return "Hard";
    case medium:
        return "Medium";
    case easy:
        return "Easy";
    default:
        QV_LOG << "Warning: Current difficulty not found. Returning Easy." << std::endl;
        return "Easy";
    }
}

std::int32_t MissionManager::getDiffScale(std::int32_t easyValue, std::int32_t mediumValue, std::int32_t hardValue)
{
    switch (difficulty) {
    case hard:
        return hardValue;
    case medium:
        return mediumValue;
    case easy:
        return easyValue;
    default:
        QV_LOG << "Warning: Current difficulty not found. Returning Easy (" << easyValue << ")." << std::endl;
        return easyValue;
    }
}

std::int32_t MissionManager::nextStoryOrder()
{
    std::int32_t highest = 0;
    bool anyCompleted = false;
    for (const Mission& mission : storyMissions) {
        if (!mission.isCompleted)
            continue;
        highest = anyCompleted ? std::max(highest, mission.storyOrder) : mission.storyOrder;
        anyCompleted = true;
    }
    return anyCompleted ? highest + 1 : 1;
}

std::int32_t MissionManager::pickRandomMission()
{
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < randomMissions.size(); ++i) {
        if (!randomMissions[i].isCompleted)
            open.push_back(static_cast<std::int32_t>(i));
    }
    if (open.empty())
        return -1;
    std::uint32_t value = missionRandom();
    return open[value % open.size()];
}

void MissionManager::reseedRandom()
{
    missionRandom.seed(fixedSeed_ ? *fixedSeed_ : clockSeed());
}

std::int32_t MissionManager::random()
{
    if (!scriptedRandom_.empty())
        return static_cast<std::int32_t>(scriptedRandom_[nextScriptedRandom_++ % scriptedRandom_.size()]);
    return static_cast<std::int32_t>(missionRandom());
}

// ---- The mission runtime: script side ----

namespace {

// How long a script's poll for a pick sleeps when there is none yet.
constexpr auto choicePollRest = std::chrono::milliseconds(2);

std::string plainTextOf(const std::vector<MarkupPart>& parts)
{
    std::string plain;
    for (const MarkupPart& part : parts)
        plain += part.text;
    return plain;
}

} // namespace

bool MissionManager::getDeployStatus()
{
    const Phase now = phase_.load();
    return now == Phase::Live || now == Phase::Closing;
}

void MissionManager::queueMessage(const std::string& text, bool isHeader)
{
    queueLine(text, isHeader, true);
}

void MissionManager::queueLine(const std::string& text, bool isHeader, bool charged)
{
    if (!live())
        return;
    if (text == " " && lastMessageText_ == " ") {
        if (!choiceJustFinalized_)
            return;
        isHeader = true;
    }
    if (charged)
        budget_.chargeMessage(text.size());
    auto message = std::make_shared<MissionMessage>();
    message->parts = parseColorMarkup(text);
    message->plainText = plainTextOf(message->parts);
    message->text = text;
    message->isHeader = isHeader;
    choiceJustFinalized_ = false;
    lastMessageText_ = text;
    message->id = ++messageCount_;
    message->sequence = nextSequence_++;
    if (isHeader && missionPrint_.load())
        QV_LOG << message->plainText << std::endl;
    deliverMessage(std::move(message));
}

namespace {

// Moves what waits in `deferred`, then `item` (when given), to the end of `queue` if `lock`
// is free at once; otherwise `item` waits in `deferred` too. True when nothing is left waiting.
template <class Item>
bool handOver(std::mutex& lock, std::vector<Item>& deferred, std::vector<Item>& queue, Item item)
{
    std::unique_lock<std::mutex> held(lock, std::try_to_lock);
    if (!held.owns_lock()) {
        if (item)
            deferred.push_back(std::move(item));
        return deferred.empty();
    }
    for (Item& waiting : deferred)
        queue.push_back(std::move(waiting));
    deferred.clear();
    if (item)
        queue.push_back(std::move(item));
    return true;
}

} // namespace

void MissionManager::deliverMessage(std::shared_ptr<MissionMessage> message)
{
    handOver(messageLock_, deferredMessages_, messageQueue_, std::move(message));
}

void MissionManager::deliverChoiceSet(std::shared_ptr<MissionChoiceSet> set)
{
    handOver(choiceLock_, deferredChoiceSets_, choiceSetQueue_, std::move(set));
}

bool MissionManager::flushDeferred()
{
    const bool messages = deferredMessages_.empty()
        || handOver(messageLock_, deferredMessages_, messageQueue_, std::shared_ptr<MissionMessage>());
    const bool sets = deferredChoiceSets_.empty()
        || handOver(choiceLock_, deferredChoiceSets_, choiceSetQueue_, std::shared_ptr<MissionChoiceSet>());
    return messages && sets;
}

void MissionManager::scriptFinished(const std::atomic<bool>& stop)
{
    // The main thread holds a lock for a moment once a frame; a few tries always get through
    // unless the game has stopped taking (then the text no longer matters).
    for (int attempt = 0; attempt < 500 && !stop.load(); ++attempt) {
        if (flushDeferred())
            return;
        std::this_thread::sleep_for(choicePollRest);
    }
    if (!deferredMessages_.empty() || !deferredChoiceSets_.empty())
        QV_LOG << "Warning: MissionManager::scriptFinished, text still waiting when the script ended" << std::endl;
}

void MissionManager::addChoice(const std::string& text, bool locked)
{
    std::string label = std::to_string(pendingChoices_.size() + 1) + ". " + text;
    budget_.chargeChoice(pendingChoices_.size(), label.size());
    pendingChoices_.push_back(MissionChoice{std::move(label), locked});
}

void MissionManager::buildChoice(const std::string& text)
{
    addChoice(text, false);
}

void MissionManager::buildLockedChoice(const std::string& text)
{
    addChoice(text, true);
}

void MissionManager::finalizeChoice()
{
    if (!live())
        return;
    choiceJustFinalized_ = true;
    std::vector<MissionChoice> choices;
    choices.swap(pendingChoices_);
    postChoiceSet(std::move(choices));
}

void MissionManager::postChoiceSet(std::vector<MissionChoice> choices)
{
    if (!live())
        return;
    budget_.chargeChoiceSet();
    auto set = std::make_shared<MissionChoiceSet>();
    set->choices = std::move(choices);
    set->sequence = nextSequence_++;
    set->anchor = messageCount_ - 1;
    postedSets_.push_back(set);
    deliverChoiceSet(std::move(set));
}

std::int32_t MissionManager::getChoiceResponse(std::int32_t set)
{
    std::int32_t response = -1;
    if (live() && set >= 0 && static_cast<std::size_t>(set) < postedSets_.size())
        response = postedSets_[static_cast<std::size_t>(set)]->response.load();
    // A script waiting for a pick keeps its deferred text moving.
    flushDeferred();
    if (response == -1)
        std::this_thread::sleep_for(choicePollRest);
    return response;
}

void MissionManager::rechoice(std::int32_t set)
{
    if (!live())
        return;
    if (set < 0 || static_cast<std::size_t>(set) >= postedSets_.size())
        throw std::out_of_range("invalid vector<T> subscript");
    const MissionChoiceSet& old = *postedSets_[static_cast<std::size_t>(set)];
    std::vector<MissionChoice> choices = old.choices;
    // An unanswered set is offered again as it was.
    const std::int32_t picked = old.response.load();
    if (picked >= 0 && static_cast<std::size_t>(picked) < choices.size()) {
        const std::string pickedLabel = choices[static_cast<std::size_t>(picked)].label;
        for (MissionChoice& choice : choices)
            if (choice.label == pickedLabel)
                choice.locked = true;
    }
    postChoiceSet(std::move(choices));
}

void MissionManager::addQuestItem(const std::string& item)
{
    std::lock_guard<std::mutex> guard(runLock_);
    if (std::find(questItems_.begin(), questItems_.end(), item) != questItems_.end()) {
        QV_LOG << "We already had the quest item: " << item << std::endl;
        return;
    }
    budget_.chargeQuestItem(questItems_.size(), item.size());
    questItems_.push_back(item);
    if (item.find("_research") != std::string::npos)
        pendingResearch_.push_back(item);
}

void MissionManager::removeQuestItem(const std::string& item)
{
    std::lock_guard<std::mutex> guard(runLock_);
    questItems_.erase(std::remove(questItems_.begin(), questItems_.end(), item), questItems_.end());
}

void MissionManager::clearQuestItems()
{
    std::lock_guard<std::mutex> guard(runLock_);
    questItems_.clear();
}

bool MissionManager::hasQuestItem(const std::string& item)
{
    std::lock_guard<std::mutex> guard(runLock_);
    return std::find(questItems_.begin(), questItems_.end(), item) != questItems_.end();
}

std::vector<std::string> MissionManager::questItemList() const
{
    std::lock_guard<std::mutex> guard(runLock_);
    return questItems_;
}

void MissionManager::setEndScreen(const std::string& name)
{
    std::lock_guard<std::mutex> guard(runLock_);
    endScreenName_ = name;
    endScreenRequested_ = true;
}

std::string MissionManager::endScreenName() const
{
    std::lock_guard<std::mutex> guard(runLock_);
    return endScreenName_;
}

bool MissionManager::endScreenRequested() const
{
    std::lock_guard<std::mutex> guard(runLock_);
    return endScreenRequested_;
}

bool MissionManager::hasLead()
{
    return currentMission_ != nullptr && currentMission_->isDeployMission();
}

void MissionManager::killCrew(std::int32_t crewNumber, const std::string& epitaph)
{
    if (!live())
        return;
    if (crew_) {
        auto guard = crew_->lock();
        const std::vector<std::size_t> team = crew_->getDeployTeam();
        if (crewNumber < 0 || static_cast<std::size_t>(crewNumber) >= team.size()) {
            crew_->killCrew(crewNumber, false, epitaph); // logs the missing member, changes nothing
            return;
        }
        crew_->getCrewOnShip()[team[static_cast<std::size_t>(crewNumber)]].isDead = true;
    }
    queueDeath(crewNumber, epitaph);
}

void MissionManager::checkEveryoneLives()
{
    ++everyoneLivesChecks_;
    if (!crew_)
        return;
    std::int32_t living = 0;
    {
        auto guard = crew_->lock();
        const std::vector<std::size_t> team = crew_->getDeployTeam();
        const std::deque<Character>& aboard = crew_->getCrewOnShip();
        for (std::size_t position = 0; position < aboard.size(); ++position) {
            const Character& member = aboard[position];
            const std::string name = member.name();
            const bool deadInTeam = member.isDead && std::find(team.begin(), team.end(), position) != team.end();
            if (!member.isSecret && name != "Vodov Daveze" && name != "Dorov Zivuv" && !deadInTeam)
                ++living;
        }
    }
    if (living == getDiffScale(easy, medium, hard)) {
        std::lock_guard<std::mutex> guard(runLock_);
        pendingUnlocks_.push_back("everyone_lives");
    }
}

void MissionManager::queueDeath(std::int32_t crewNumber, const std::string& epitaph)
{
    if (!live())
        return;
    PendingDeath death;
    // The newest message at this moment: the death is told once the player has read it.
    death.messageId = messageCount_;
    death.crewNumber = crewNumber;
    death.epitaph = epitaph;
    std::lock_guard<std::mutex> guard(deathLock_);
    pendingDeaths_.push_back(std::move(death));
}

namespace {

bool givesDeployCredit(const Mission& mission)
{
    const std::string type = mission.getItem("Mission Type");
    return type != "food" && type != "fuel" && type != "random";
}

} // namespace

bool MissionManager::wholeTeamDead()
{
    if (!crew_)
        return false;
    auto guard = crew_->lock();
    const std::vector<std::size_t> team = crew_->getDeployTeam();
    // Without a team nobody was lost: events that send nobody never count as a wipe.
    if (team.empty())
        return false;
    for (std::size_t position : team)
        if (!crew_->getCrewOnShip()[position].isDead)
            return false;
    return true;
}

void MissionManager::creditTeam()
{
    if (!currentMission_)
        return;
    const Mission& mission = *currentMission_;
    const bool deployCredit = givesDeployCredit(mission);
    if (deployCredit) {
        std::lock_guard<std::mutex> guard(runLock_);
        pendingPlanets_.push_back(mission.getItem("Name"));
    }
    if (skipCrewCredit_ || !crew_)
        return;
    crew_->awardExperience(mission.getItem("Name"), deployCredit, mission.isDeployMission());
    auto guard = crew_->lock();
    const std::vector<std::size_t> team = crew_->getDeployTeam();
    QV_LOG << "Crew credited for " << mission.getItem("Name") << ": " << team.size() << " deployed" << std::endl;
    for (std::size_t position : team) {
        const Character& member = crew_->getCrewOnShip()[position];
        QV_LOG << "Credit: " << member.name() << " deployed " << member.timesDeployed << ", leader "
               << member.timesLeader << ", medic " << member.timesMedic << ", engineer " << member.timesEngineer
               << std::endl;
    }
}

void MissionManager::endMission(bool success)
{
    if (!live())
        return;
    if (wholeTeamDead()) {
        std::lock_guard<std::mutex> guard(runLock_);
        pendingUnlocks_.push_back("party_wipe");
    }
    queueLine("", false, false);
    queueLine(gameEnded_.load() ? "Press LEAVE to exit the terminal."
                                : "Press LEAVE to exit the terminal - Your game has been saved.",
              false, false);
    {
        // Deaths still waiting for their text happen now, quietly (those of a lost run keep
        // their sound). They are carried out at the main thread's next hand-over.
        std::lock_guard<std::mutex> guard(deathLock_);
        for (PendingDeath& death : pendingDeaths_) {
            if (!death.immediate)
                death.withSound = false;
            death.immediate = true;
        }
    }
    if (currentMission_)
        currentMission_->isCompleted = success;
    // The credit changes the badges' pictures, which only the main thread may touch: it is
    // given at the next hand-over, and the mission cannot close before it is done.
    creditPending_ = true;
    // The anchor is set once, with everything the ending changes decided, and only then does
    // the phase tell the screen to watch for it.
    endAnchor_ = messageCount_;
    phase_ = Phase::Closing;
    flushDeferred();
}

void MissionManager::endGame(bool won)
{
    if (!live())
        return;
    if (crew_) {
        auto guard = crew_->lock();
        const std::vector<std::size_t> team = crew_->getDeployTeam();
        std::deque<Character>& aboard = crew_->getCrewOnShip();
        if (won) {
            std::vector<std::string> survivors;
            for (std::size_t position = 0; position < aboard.size(); ++position) {
                const bool inTeam = std::find(team.begin(), team.end(), position) != team.end();
                if (!(inTeam && aboard[position].isDead))
                    survivors.push_back(aboard[position].name());
            }
            std::lock_guard<std::mutex> runGuard(runLock_);
            pendingSurvivors_.insert(pendingSurvivors_.end(), survivors.begin(), survivors.end());
        } else {
            std::lock_guard<std::mutex> deathGuard(deathLock_);
            for (std::size_t i = 0; i < team.size(); ++i) {
                aboard[team[i]].isDead = true;
                PendingDeath death;
                death.crewNumber = static_cast<std::int32_t>(i);
                death.epitaph = "Their remains may be found in the future, but your memory of <charName> ends "
                                "along with the mission.";
                death.immediate = true;
                pendingDeaths_.push_back(std::move(death));
            }
        }
    }
    if (!won)
        gameOver = true;
    gameEnded_ = true;
    endMission(true);
}

Json::Value MissionManager::saveMissions()
{
    Json::Value object(Json::objectValue);
    const std::pair<const char*, const std::vector<Mission>*> lists[] = {
        { "StoryMissions", &storyMissions },
        { "SideMissions", &sideMissions },
        { "EventMissions", &eventMissions },
        { "RandomMissions", &randomMissions },
    };
    for (const auto& [key, list] : lists)
        for (const Mission& mission : *list)
            object[key].append(mission.toJson());
    for (const std::string& item : questItemList())
        object["QuestItems"].append(item);
    object["Difficulty"] = difficulty;
    return object;
}

void MissionManager::loadMissions(const Json::Value& object)
{
    if (!object.isObject()) {
        QV_LOG << "Warning: MissionManager::loadMissions, \"Missions\" is not an object" << std::endl;
        return;
    }
    struct ListSource {
        const char* key;
        std::vector<Mission>* list;
        const std::vector<Mission>* catalogue;
    };
    const ListSource sources[] = {
        { "StoryMissions", &storyMissions, &storyCatalogue },
        { "SideMissions", &sideMissions, &sideCatalogue },
        { "EventMissions", &eventMissions, &eventCatalogue },
        { "RandomMissions", &randomMissions, &randomCatalogue },
    };
    for (const ListSource& source : sources) {
        source.list->clear();
        const Json::Value& saved = object[source.key];
        if (!saved.isArray())
            continue;
        for (const Json::Value& element : saved) {
            if (!element.isObject() || !element["LoadedFilename"].isString())
                continue;
            const std::string fileName = element["LoadedFilename"].asString();
            auto found = std::find_if(source.catalogue->begin(), source.catalogue->end(),
                                      [&](const Mission& mission) { return mission.loadedFilename == fileName; });
            if (found == source.catalogue->end())
                continue;
            Mission copy = *found;
            if (element["IsCompleted"].isBool())
                copy.isCompleted = element["IsCompleted"].asBool();
            source.list->push_back(std::move(copy));
        }
    }
    // A continued run holds exactly the items it saved, never those of the run played before.
    {
        std::lock_guard<std::mutex> guard(runLock_);
        questItems_.clear();
    }
    const Json::Value& items = object["QuestItems"];
    if (items.isArray())
        for (const Json::Value& item : items)
            if (item.isString())
                addQuestItem(item.asString());
    if (object["Difficulty"].isInt())
        difficulty = object["Difficulty"].asInt();
    else
        QV_LOG << "Warning: MissionManager::loadMissions, no readable \"Difficulty\"" << std::endl;
    applyStatReports();
}

// ---- The mission runtime: main thread ----

void MissionManager::setCurrentMission(Mission* mission)
{
    currentMission_ = mission;
    {
        std::lock_guard<std::mutex> guard(runLock_);
        endScreenName_.clear();
        endScreenRequested_ = false;
    }
    gameOver = false;
    if (ship_ && ship_->getFood() > 0)
        removeQuestItem("starvation_cryo_active");
}

void MissionManager::resetForMission()
{
    missionPrint_ = Options::exists() ? Options::get().missionPrint : true;
    {
        std::lock_guard<std::mutex> guard(messageLock_);
        messageQueue_.clear();
    }
    {
        std::lock_guard<std::mutex> guard(choiceLock_);
        choiceSetQueue_.clear();
    }
    {
        std::lock_guard<std::mutex> guard(deathLock_);
        pendingDeaths_.clear();
    }
    deferredMessages_.clear();
    deferredChoiceSets_.clear();
    pendingChoices_.clear();
    postedSets_.clear();
    lastMessageText_ = "first";
    choiceJustFinalized_ = false;
    messageCount_ = 0;
    nextSequence_ = 0;
    budget_.reset();
    displayed_.clear();
    offered_.clear();
    saveRequested_ = false;
    gameEnded_ = false;
    creditPending_ = false;
    highestShownId_ = 0;
    endAnchor_ = -1;
    phase_ = Phase::Live;
}

void MissionManager::takeQueued()
{
    if (creditPending_.load()) {
        creditTeam();
        creditPending_ = false;
        closeIfShown();
    }
    {
        std::unique_lock<std::mutex> lock(messageLock_, std::try_to_lock);
        if (lock.owns_lock()) {
            for (auto& message : messageQueue_)
                displayed_.push_back(DisplayedMessage{std::move(message), false});
            messageQueue_.clear();
        }
    }
    {
        std::unique_lock<std::mutex> lock(choiceLock_, std::try_to_lock);
        if (lock.owns_lock()) {
            for (auto& set : choiceSetQueue_)
                offered_.push_back(OfferedChoiceSet{std::move(set), false, false});
            choiceSetQueue_.clear();
        }
    }
    carryOutDueDeaths(0);
    std::vector<std::string> unlocks;
    {
        std::lock_guard<std::mutex> guard(runLock_);
        unlocks.swap(pendingUnlocks_);
    }
    for (const std::string& id : unlocks)
        if (achievements)
            achievements->unlockAchievement(id);
    applyStatReports();
}

void MissionManager::applyStatReports()
{
    std::vector<std::string> planets, survivors, research;
    {
        std::lock_guard<std::mutex> guard(runLock_);
        planets.swap(pendingPlanets_);
        survivors.swap(pendingSurvivors_);
        research.swap(pendingResearch_);
    }
    if (!stats_)
        return;
    for (const std::string& name : planets)
        stats_->addPlanet(name);
    for (const std::string& name : survivors)
        stats_->addAliveEndingMember(name);
    for (const std::string& name : research)
        stats_->addResearch(name);
}

void MissionManager::carryOutDueDeaths(std::int32_t shownId)
{
    std::vector<PendingDeath> due;
    {
        std::lock_guard<std::mutex> guard(deathLock_);
        auto firstDue = std::stable_partition(pendingDeaths_.begin(), pendingDeaths_.end(), [&](const PendingDeath& death) {
            return !(death.immediate || (shownId > 0 && death.messageId <= shownId));
        });
        due.assign(std::make_move_iterator(firstDue), std::make_move_iterator(pendingDeaths_.end()));
        pendingDeaths_.erase(firstDue, pendingDeaths_.end());
    }
    for (const PendingDeath& death : due) {
        if (crew_) {
            QV_LOG << "Team member " << death.crewNumber << " (" << crew_->getCharName(death.crewNumber)
                   << ") dies" << std::endl;
            crew_->killCrew(death.crewNumber, death.withSound, death.epitaph);
        }
        if (onDeath)
            onDeath(death);
    }
}

void MissionManager::revealMessage(std::size_t index)
{
    if (index >= displayed_.size() || displayed_[index].revealed)
        return;
    displayed_[index].revealed = true;
    const std::int32_t id = displayed_[index].message->id;
    highestShownId_ = std::max(highestShownId_, id);
    carryOutDueDeaths(id);
    closeIfShown();
}

// The closing line has been shown and the credit given: LEAVE may open.
void MissionManager::closeIfShown()
{
    if (phase_.load() != Phase::Closing || creditPending_.load() || highestShownId_ < endAnchor_.load())
        return;
    if (!gameEnded_.load())
        saveRequested_ = true;
    endAnchor_ = -1;
    phase_ = Phase::Closed;
}

bool MissionManager::showChoiceSet(std::size_t set)
{
    if (set >= offered_.size() || offered_[set].shown)
        return false;
    offered_[set].shown = true;
    return true;
}

bool MissionManager::answerChoice(std::size_t set, std::int32_t index)
{
    if (set >= offered_.size())
        return false;
    OfferedChoiceSet& offered = offered_[set];
    if (!offered.shown || offered.answered || index < 0
        || static_cast<std::size_t>(index) >= offered.set->choices.size()
        || offered.set->choices[static_cast<std::size_t>(index)].locked)
        return false;
    offered.answered = true;
    offered.set->response = index;
    return true;
}

void MissionManager::leaveMission()
{
    phase_ = Phase::Idle;
    endAnchor_ = -1;
    gameEnded_ = false;
}

#include "achievements/AchievementManager.hpp"

#include "core/Logger.hpp"

#include <algorithm>

namespace {

struct CatalogueRow {
    const char* id;
    const char* description;
    const char* flavour;
    const char* statName;
    std::int32_t threshold;
};

// In the order the achievements screen lists them.
const CatalogueRow catalogueRows[] = {
    { "add_alien", "Add an \"alien\" to your crew", "They said the crate was empty. The crate disagreed...", "", 0 },
    { "eat_crew", "Cannibalize a crew member", "Nobody asks what is in the stew anymore...", "", 0 },
    { "crew_starves", "Have your last crew member starve", "The last ration went to the plants. The plants are doing well...", "", 0 },
    { "out_of_gas", "Run out of fuel for the engines", "Drifting is just flying with more patience...", "", 0 },
    { "victory_drake1", "Beat the game on Drake 77 (1 of 2)", "The soil is red, but it takes a seed...", "", 0 },
    { "victory_drake2", "Beat the game on Drake 77 (2 of 2)", "Red dawn, red dusk, and a home in between...", "", 0 },
    { "victory_ellison1", "Beat the game on Ellison 2e (1 of 2)", "Two suns, and neither of them ours yet...", "", 0 },
    { "victory_ellison2", "Beat the game on Ellison 2e (2 of 2)", "We stopped counting the days. We started counting harvests...", "", 0 },
    { "party_wipe", "Lose every member of a single deploy team", "The shuttle came back on autopilot...", "", 0 },
    { "everyone_lives", "Beat the game without losing any crew", "Every pod opened. Every name answered...", "", 0 },
    { "space_jumper", "Make 50 light jumps", "Fold, arrive, fold again...", "jump_count", 50 },
    { "space_traveller", "Travel 500 parsecs (not including light jumps)", "The long way round is still a way...", "distance_travelled", 500 },
    { "space_explorer", "Visit all planets and stations", "No airlock left unknocked...", "planet_count", 13 },
    { "food_glutton", "Consume 600 food", "Sleepers dream of bread, and wake hungry...", "food_count", 600 },
    { "memento_collector1", "Collect 5 mementos", "Small things weigh the most out here...", "memento_count", 5 },
    { "memento_collector2", "Collect all mementos", "A museum of a people, in a single locker...", "memento_count", AchievementManager::mementoTotal },
    { "researcher1", "Benefit from researching stellar phenomena", "The instruments hummed a new note...", "", 0 },
    { "researcher2", "Benefit from researching all stellar phenomena", "Every light in the sky has told us its secret...", "research_count", 11 },
    { "crew_saviour", "Get all characters any endings alive (including hidden characters)", "Everyone made it somewhere, someday...", "crew_saved", 12 },
    { "crew_killer", "Have all characters die (including hidden characters)", "The memorial wall has no room left...", "crew_killed", 12 },
    { "add_dorov", "Add a lost soul to your crew", "He still keeps the photograph in his breast pocket...", "", 0 },
};

int countKnown(const std::vector<std::string>& known, const std::vector<std::string>& list)
{
    int count = 0;
    for (const std::string& item : known)
        count += static_cast<int>(std::count(list.begin(), list.end(), item));
    return count;
}

} // namespace

const std::vector<std::string>& AchievementManager::researchIds()
{
    static const std::vector<std::string> ids = {
        "argon_blackhole_research_0", "argon_blackhole_research_1",
        "argon_neutronstar_research_0", "argon_neutronstar_research_1",
        "argon_coronalmassejection_research_0", "argon_coronalmassejection_research_1",
        "argon_transsolarobject_research_0", "argon_transsolarobject_research_1",
        "argon_transsolarobject_research_2", "argon_transsolarobject_research_3",
        "argon_transsolarobject_research_4",
    };
    return ids;
}

const std::vector<std::string>& AchievementManager::characterNames()
{
    static const std::vector<std::string> names = {
        "Rodir Verid", "Virazez Duvu", "Vuvivi Didaro", "Vadovo Dirodev", "Zuveda Dared", "Dezeviv Vidad",
        "Dizid Zurozu", "Vorerod Vare", "Razazu Zovidiz", "Rivir Rezuri", "Vodov Daveze", "Dorov Zivuv",
    };
    return names;
}

AchievementManager::AchievementManager()
    : unlocked_(std::make_shared<std::vector<std::string>>())
{
}

void AchievementManager::buildCatalogue()
{
    catalogue_.clear();
    for (const CatalogueRow& row : catalogueRows)
        catalogue_.emplace_back(row.id, row.description, row.flavour, row.statName, row.threshold);
}

void AchievementManager::useUnlockedList(std::shared_ptr<std::vector<std::string>> list)
{
    if (list)
        unlocked_ = std::move(list);
}

Achievement* AchievementManager::find(const std::string& id)
{
    for (Achievement& entry : catalogue_) {
        if (entry.getId() == id)
            return &entry;
    }
    return nullptr;
}

void AchievementManager::reportCounter(const std::string& statName, float value, std::initializer_list<const char*> ids)
{
    setStat(statName, value);
    for (const char* id : ids) {
        if (Achievement* entry = find(id))
            entry->setProgress(value);
    }
}

void AchievementManager::setJumpCount(int count)
{
    reportCounter("jump_count", static_cast<float>(count), { "space_jumper" });
}

void AchievementManager::setDistanceTravelled(float distance)
{
    reportCounter("distance_travelled", distance, { "space_traveller" });
}

void AchievementManager::setPlanetCount(int count)
{
    reportCounter("planet_count", static_cast<float>(count), { "space_explorer" });
}

void AchievementManager::setFoodCount(int count)
{
    reportCounter("food_count", static_cast<float>(count), { "food_glutton" });
}

void AchievementManager::setMementoCount(int count)
{
    reportCounter("memento_count", static_cast<float>(count), { "memento_collector1", "memento_collector2" });
}

void AchievementManager::setResearched(const std::vector<std::string>& research)
{
    int count = countKnown(researchIds(), research);
    reportCounter("research_count", static_cast<float>(count), { "researcher1", "researcher2" });
    if (count > 0)
        unlockAchievement("researcher1");
}

void AchievementManager::setCrewSaved(const std::vector<std::string>& names)
{
    reportCounter("crew_saved", static_cast<float>(countKnown(characterNames(), names)), { "crew_saviour" });
}

void AchievementManager::setCrewKilled(const std::vector<std::string>& names)
{
    reportCounter("crew_killed", static_cast<float>(countKnown(characterNames(), names)), { "crew_killer" });
}

bool AchievementManager::unlockAchievement(const std::string& id)
{
    auto& ids = *unlocked_;
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
        ids.push_back(id);
        QV_LOG << "Unlocked Achievement: " << id << std::endl;
    }
    if (Achievement* entry = find(id))
        entry->showUnlocked();
    return true;
}

bool AchievementManager::clearAchievement(const std::string& id)
{
    auto& ids = *unlocked_;
    auto found = std::find(ids.begin(), ids.end(), id);
    if (found != ids.end())
        ids.erase(found);
    if (Achievement* entry = find(id))
        entry->showLocked();
    QV_LOG << "Cleared Achievement: " << id << std::endl;
    return true;
}

std::int32_t AchievementManager::getThreshold(const std::string& id) const
{
    for (const Achievement& entry : catalogue_) {
        if (entry.getId() == id)
            return entry.getThreshold();
    }
    return -1;
}

bool AchievementManager::unlockAll()
{
    auto& ids = *unlocked_;
    for (Achievement& entry : catalogue_) {
        if (std::find(ids.begin(), ids.end(), entry.getId()) == ids.end())
            ids.push_back(entry.getId());
        entry.showUnlocked();
    }
    QV_LOG << "All Achievements Unlocked" << std::endl;
    return true;
}

bool AchievementManager::clearAll()
{
    unlocked_->clear();
    for (Achievement& entry : catalogue_)
        entry.showLocked();
    QV_LOG << "Achievements Cleared" << std::endl;
    return true;
}

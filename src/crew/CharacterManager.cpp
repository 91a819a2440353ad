#include "crew/CharacterManager.hpp"

#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "crew/CrewColours.hpp"
#include "missions/Memento.hpp"
#include "persistence/PlayerStats.hpp"
#include "ui/TextureManager.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <stdexcept>

namespace fs = std::filesystem;

const char* const CharacterManager::coloursFile = "general/character_related/character_colors.json";

namespace {

const char* const spriteFoldersRoot = "general/character_related/";

// Names in a folder, sorted so every start lists them alike; a missing folder gives none.
std::vector<std::string> folderEntries(const std::string& folder, bool directories)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code kindError;
        bool wanted = directories ? entry->is_directory(kindError) : entry->is_regular_file(kindError);
        if (wanted && !kindError)
            names.push_back(entry->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string colourMarkup(const sf::Color& colour, const std::string& text)
{
    return "<c=" + std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b) + ">"
        + text + "</c>";
}

std::string pronounWord(const Character& character, std::size_t word)
{
    auto found = character.properties.find("pronouns");
    if (found == character.properties.end())
        return {};
    std::vector<std::string> words = split(found->second, '/');
    return word < words.size() ? words[word] : std::string();
}

bool pointsInto(const Character* character, const std::vector<Character>& list)
{
    std::less<const Character*> before;
    return character && !list.empty() && !before(character, list.data()) && before(character, list.data() + list.size());
}

std::uint32_t timesCounter(const Json::Value& element, const char* key)
{
    const Json::Value& value = element.isObject() ? element[key] : Json::Value::nullSingleton();
    return value.isUInt() ? value.asUInt() : 0;
}

} // namespace

CharacterManager::Folders CharacterManager::Folders::ofGame()
{
    return { assetsPath(), modsPath(), charImagesPath() };
}

CharacterManager& CharacterManager::get()
{
    return ProcessWide<CharacterManager>::get(
        [] { return std::make_unique<CharacterManager>(Folders::ofGame()); });
}

bool CharacterManager::exists()
{
    return ProcessWide<CharacterManager>::exists();
}

void CharacterManager::destroy()
{
    ProcessWide<CharacterManager>::destroy();
}

void CharacterManager::install(std::unique_ptr<CharacterManager> roster)
{
    ProcessWide<CharacterManager>::install(std::move(roster));
}

CharacterManager::CharacterManager(Folders folders)
    : folders_(std::move(folders))
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    auto seed = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    crewRandom.seed(seed);
    QV_LOG << "Generated Characters [" << seed << "]" << std::endl;
    loadSpriteFolders(folders_.assets + spriteFoldersRoot, spriteFoldersRoot);
    // Pictures in the user's folders of the same names are looked up in the assets, as the
    // shipped ones are: only the folder names matter here.
    loadSpriteFolders(folders_.charImages, spriteFoldersRoot);
    CrewColours::get().load(folders_.assets + coloursFile);
    loadAllCharacters();
}

CharacterManager::~CharacterManager()
{
    QV_LOG << "Would have deleted character manager here" << std::endl;
}

void CharacterManager::setPlayerStats(PlayerStats* stats)
{
    std::lock_guard guard(mutex_);
    stats_ = stats;
}

void CharacterManager::setJumpCountSource(std::function<std::int32_t()> source)
{
    std::lock_guard guard(mutex_);
    jumpCountSource_ = std::move(source);
}

void CharacterManager::setCurrentMissionName(const std::string& name)
{
    std::lock_guard guard(mutex_);
    currentMissionName = name;
}

std::string CharacterManager::getCurrentMissionName() const
{
    std::lock_guard guard(mutex_);
    return currentMissionName;
}

void CharacterManager::seedRandom(std::uint32_t seed)
{
    std::lock_guard guard(mutex_);
    crewRandom.seed(seed);
}

std::int32_t CharacterManager::jumpCount() const
{
    // Asked before the roster's lock is taken: the ship asks the roster about its crew while
    // holding its own lock, so the roster must never wait for the ship while holding this one.
    std::function<std::int32_t()> source;
    {
        std::lock_guard guard(mutex_);
        source = jumpCountSource_;
    }
    return source ? source() : 0;
}

// --- Loading ---

void CharacterManager::loadSpriteFolders(const std::string& root, const std::string& pictureFolder)
{
    for (const std::string& folder : folderEntries(root, true)) {
        if (folder.find('.') != std::string::npos)
            continue;
        std::vector<std::string> pictures = listPngFiles(root + folder + "/");
        std::sort(pictures.begin(), pictures.end());
        spriteFolders[folder] = pictures;
        spriteFolderNames.push_back(folder);
        for (const std::string& picture : pictures)
            spriteTextures_.emplace_back(picture, pictureFolder + folder + "/" + picture);
    }
}

void CharacterManager::registerSpriteTextures()
{
    std::lock_guard guard(mutex_);
    if (spriteTexturesRegistered_)
        return;
    spriteTexturesRegistered_ = true;
    TextureManager& textures = TextureManager::get();
    for (const auto& [name, file] : spriteTextures_)
        textures.registerTexture(name, file);
}

void CharacterManager::loadAllCharacters()
{
    std::lock_guard guard(mutex_);
    if (pointsInto(selectedCharacter, allCharacters))
        selectedCharacter = nullptr;
    allCharacters.clear();
    secretCount = 0;
    auto load = [&](bool fromMod, const std::string& path, const std::string& shortName) {
        Character character(folders_.assets);
        if (character.loadFromFile(fromMod, path, shortName))
            allCharacters.push_back(std::move(character));
    };
    const std::string shipped = folders_.assets + "char/";
    for (const std::string& file : folderEntries(shipped, false))
        load(false, shipped + file, "char/" + file);
    const std::string mods = folders_.mods + "characters/";
    for (const std::string& folder : folderEntries(mods, true)) {
        if (folder.find('.') != std::string::npos)
            continue;
        for (const std::string& file : folderEntries(mods + folder + "/", false))
            load(true, mods + folder + "/" + file, folder + "/" + file);
    }
    for (const Character& character : allCharacters)
        if (character.isSecret)
            ++secretCount;
}

std::int32_t CharacterManager::getSecretCount() const
{
    std::lock_guard guard(mutex_);
    return secretCount;
}

bool CharacterManager::getNewMementosFlag() const
{
    std::lock_guard guard(mutex_);
    return newMementosFlag;
}

// --- Positions and warnings ---

bool CharacterManager::validPosition(std::int32_t i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < deployTeam.size() && deployTeam[i] < crewOnShip.size();
}

Character* CharacterManager::member(std::int32_t i, const char* query, Warning warning)
{
    if (validPosition(i))
        return &crewOnShip[deployTeam[i]];
    if (warning == Warning::A)
        QV_LOG << "Warning: CharacterManager::" << query << ", couldn't find the charNumber!"
               << " We had deployCharSizeOf:" << deployTeam.size()
               << " Requested char Number: " << static_cast<std::uint32_t>(i) << std::endl;
    else
        QV_LOG << "Warning: CharacterManager::" << query << ", Couldn't find character with id of: " << i
               << std::endl;
    return nullptr;
}

std::int32_t CharacterManager::randomPick(const std::vector<std::int32_t>& positions)
{
    if (positions.empty())
        return -1;
    return positions[crewRandom() % positions.size()];
}

std::int32_t CharacterManager::firstAlive()
{
    for (std::size_t k = 0; k < deployTeam.size(); ++k)
        if (!crewOnShip[deployTeam[k]].isDead)
            return static_cast<std::int32_t>(k);
    return -1;
}

// --- Script queries ---

std::string CharacterManager::getCharDetail(std::int32_t i, const std::string& key)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getCharDetail", Warning::A);
    return found ? found->getProperty(key) : std::string();
}

std::int32_t CharacterManager::getCharAttr(std::int32_t i, const std::string& attr)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getCharAttr", Warning::A);
    return found ? found->getAttr(attr) : -1;
}

std::string CharacterManager::getCharName(std::int32_t i)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getCharName", Warning::A);
    return found ? found->name() : std::string();
}

std::string CharacterManager::getCharColoredName(std::int32_t i)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getCharColoredName", Warning::A);
    return found ? colourMarkup(found->color, found->name()) : std::string();
}

std::string CharacterManager::pronoun(std::int32_t i, std::size_t word, const char* query)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, query, Warning::A);
    if (!found)
        return {};
    std::string text = pronounWord(*found, word);
    return text.empty() ? text : colourMarkup(found->color, text);
}

std::string CharacterManager::getNominativePronoun(std::int32_t i)
{
    return pronoun(i, 0, "getNominativePronoun");
}

std::string CharacterManager::getObliquePronoun(std::int32_t i)
{
    return pronoun(i, 1, "getObliquePronoun");
}

std::string CharacterManager::getPossesivePronoun(std::int32_t i)
{
    return pronoun(i, 2, "getPossesivePronoun");
}

std::string CharacterManager::getGender(std::int32_t i)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getGender", Warning::B);
    if (!found || found->isDead)
        return {};
    // Case matters: the crew creator writes pronouns in lower case.
    std::string first = pronounWord(*found, 0);
    if (first == "he")
        return "male";
    if (first == "she")
        return "female";
    return "nonbinary";
}

std::int32_t CharacterManager::getRandomCrewByPronoun(const std::string& pronoun)
{
    std::lock_guard guard(mutex_);
    std::vector<std::int32_t> matching;
    for (std::size_t k = 0; k < deployTeam.size(); ++k) {
        const Character& candidate = crewOnShip[deployTeam[k]];
        if (!candidate.isDead && pronounWord(candidate, 0) == pronoun)
            matching.push_back(static_cast<std::int32_t>(k));
    }
    return randomPick(matching);
}

std::int32_t CharacterManager::getCrewByName(const std::string& name)
{
    std::lock_guard guard(mutex_);
    std::string wanted = name;
    std::replace(wanted.begin(), wanted.end(), '\n', ' ');
    for (std::size_t k = 0; k < deployTeam.size(); ++k) {
        const Character& candidate = crewOnShip[deployTeam[k]];
        if (!candidate.isDead && candidate.name() == wanted)
            return static_cast<std::int32_t>(k);
    }
    return -1;
}

std::int32_t CharacterManager::getCrewTraits(const std::string& trait)
{
    std::lock_guard guard(mutex_);
    std::vector<std::int32_t> matching;
    for (std::size_t k = 0; k < deployTeam.size(); ++k) {
        const Character& candidate = crewOnShip[deployTeam[k]];
        if (!candidate.isDead && candidate.hasTrait(trait))
            matching.push_back(static_cast<std::int32_t>(k));
    }
    return randomPick(matching);
}

bool CharacterManager::getCharTrait(std::int32_t i, const std::string& trait)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "getCharTrait", Warning::B);
    return found && !found->isDead && found->hasTrait(trait);
}

void CharacterManager::giveMemento(std::int32_t i, const std::string& mementoName)
{
    const std::int32_t day = jumpCount();
    std::lock_guard guard(mutex_);
    if (Character* found = member(i, "giveMemento", Warning::B))
        if (found->giveMemento(day, mementoName, currentMissionName, nullptr) && mementoName != "death")
            queuedStatistics_.push_back({ false, mementoName });
}

bool CharacterManager::hasMemento(std::int32_t i, const std::string& mementoName)
{
    std::lock_guard guard(mutex_);
    Character* found = member(i, "hasMemento", Warning::B);
    return found && found->hasMemento(mementoName);
}

std::int32_t CharacterManager::randomCrew()
{
    return randomCrewIgnoringCrew(-1);
}

std::int32_t CharacterManager::randomCrewIgnoringCrew(std::int32_t i)
{
    std::lock_guard guard(mutex_);
    std::vector<std::int32_t> candidates;
    for (std::size_t k = 0; k < deployTeam.size(); ++k)
        if (static_cast<std::int32_t>(k) != i && !crewOnShip[deployTeam[k]].isDead)
            candidates.push_back(static_cast<std::int32_t>(k));
    if (candidates.empty()) {
        QV_LOG << "Warning: CharacterManager::randomCrewIgnoringCrew, Had no crew to randomly return!" << std::endl;
        return -1;
    }
    return randomPick(candidates);
}

std::int32_t CharacterManager::mostAttr(const std::string& attr)
{
    std::lock_guard guard(mutex_);
    std::int32_t best = 0;
    for (std::size_t position : deployTeam)
        best = std::max(best, crewOnShip[position].getAttr(attr));
    return best;
}

std::int32_t CharacterManager::leastAttr(const std::string& attr)
{
    std::lock_guard guard(mutex_);
    if (deployTeam.empty())
        throw std::out_of_range("CharacterManager::leastAttr, the deploy team is empty");
    std::int32_t least = std::numeric_limits<std::int32_t>::max();
    for (std::size_t position : deployTeam)
        least = std::min(least, crewOnShip[position].getAttr(attr));
    return least;
}

std::int32_t CharacterManager::totalAttr(const std::string& attr)
{
    std::lock_guard guard(mutex_);
    std::int64_t total = 0;
    for (std::size_t position : deployTeam)
        total += crewOnShip[position].getAttr(attr);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(total, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

std::int32_t CharacterManager::crewWithBest(const std::string& attr, bool most)
{
    // Only the living count, and the first of them is the answer until someone beats it.
    std::int32_t best = firstAlive();
    if (best < 0)
        return -1;
    std::int32_t bestValue = most ? 0 : 9999;
    for (std::size_t k = static_cast<std::size_t>(best); k < deployTeam.size(); ++k) {
        Character& candidate = crewOnShip[deployTeam[k]];
        if (candidate.isDead)
            continue;
        std::int32_t value = candidate.getAttr(attr);
        if (most ? value > bestValue : value < bestValue) {
            bestValue = value;
            best = static_cast<std::int32_t>(k);
        }
    }
    return best;
}

std::int32_t CharacterManager::crewWithMost(const std::string& attr)
{
    std::lock_guard guard(mutex_);
    return crewWithBest(attr, true);
}

std::int32_t CharacterManager::crewWithLeast(const std::string& attr)
{
    std::lock_guard guard(mutex_);
    return crewWithBest(attr, false);
}

std::int32_t CharacterManager::depCrewLeft()
{
    std::lock_guard guard(mutex_);
    return static_cast<std::int32_t>(std::count_if(deployTeam.begin(), deployTeam.end(), [&](std::size_t position) {
        return !crewOnShip[position].isDead;
    }));
}

std::int32_t CharacterManager::depCrewTotal()
{
    std::lock_guard guard(mutex_);
    return static_cast<std::int32_t>(deployTeam.size());
}

bool CharacterManager::crewOnShipLeft()
{
    std::lock_guard guard(mutex_);
    return std::any_of(crewOnShip.begin(), crewOnShip.end(), [](const Character& c) { return !c.isDead; });
}

std::int32_t CharacterManager::livingCrewCount()
{
    std::lock_guard guard(mutex_);
    return static_cast<std::int32_t>(
        std::count_if(crewOnShip.begin(), crewOnShip.end(), [](const Character& c) { return !c.isDead; }));
}

bool CharacterManager::crewIsAlive(std::int32_t i)
{
    std::lock_guard guard(mutex_);
    return validPosition(i) && !crewOnShip[deployTeam[i]].isDead;
}

std::int32_t CharacterManager::roleHolder(std::int32_t index, const char* fallbackAttr)
{
    if (validPosition(index) && !crewOnShip[deployTeam[index]].isDead)
        return index;
    return crewWithBest(fallbackAttr, true);
}

std::int32_t CharacterManager::getLead()
{
    std::lock_guard guard(mutex_);
    return roleHolder(leaderIndex, "social");
}

std::int32_t CharacterManager::getMed()
{
    std::lock_guard guard(mutex_);
    return roleHolder(medicIndex, "mental");
}

std::int32_t CharacterManager::getEng()
{
    std::lock_guard guard(mutex_);
    return roleHolder(engineerIndex, "physical");
}

void CharacterManager::newCrew(const std::string& name)
{
    std::lock_guard guard(mutex_);
    for (const Character& character : allCharacters) {
        if (character.name() != name)
            continue;
        crewOnShip.push_back(character);
        Character& joined = crewOnShip.back();
        joined.addBadges();
        const std::string memento = mementoOnJoining(name);
        if (!memento.empty() && joined.giveMemento(-1, memento, "", nullptr))
            queuedStatistics_.push_back({ false, memento });
    }
}

std::string CharacterManager::mementoOnJoining(const std::string& name)
{
    return name == "Dorov Zivuv" ? "dorov_family_photo" : "";
}

// --- Deaths, crew changes and credit ---

void CharacterManager::killCrew(std::int32_t i, bool playSound, const std::string& deathText)
{
    const std::int32_t day = jumpCount();
    std::lock_guard guard(mutex_);
    if (!validPosition(i)) {
        QV_LOG << "Warning: CharacterManager::killCrew, couldn't find character with id of: " << i << std::endl;
        return;
    }
    die(crewOnShip[deployTeam[i]], deathText, day);
    if (playSound)
        queuedSounds_.push_back("death.wav");
}

void CharacterManager::die(Character& dying, const std::string& deathText, std::int32_t day)
{
    dying.isDead = true;
    if (!dying.hasMemento("death")) {
        // The epitaph goes only on a "death" memento that was really given: written blindly,
        // it would replace the description of whatever memento came last.
        bool given = dying.giveMemento(day, "death", currentMissionName, nullptr);
        if (given && !deathText.empty())
            dying.mementos.back()->setDescription(replaceAll(deathText, "<charName>", dying.name()));
    }
    queuedStatistics_.push_back({ true, dying.name() });
}

void CharacterManager::killAllCrew(const std::string& deathText)
{
    const std::int32_t day = jumpCount();
    std::lock_guard guard(mutex_);
    for (Character& dying : crewOnShip)
        if (!dying.isDead)
            die(dying, deathText, day);
}

void CharacterManager::moveDeadCrew()
{
    std::lock_guard guard(mutex_);
    if (std::none_of(crewOnShip.begin(), crewOnShip.end(), [](const Character& c) { return c.isDead; }))
        return;
    // Where each member of crewOnShip ends up: its new position, or none when it moved.
    constexpr std::size_t moved = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> newPosition(crewOnShip.size(), moved);
    std::deque<Character> living;
    const Character* selected = selectedCharacter;
    std::size_t selectedPosition = moved;
    bool selectedMoved = false;
    for (std::size_t k = 0; k < crewOnShip.size(); ++k) {
        const bool isSelected = selected == &crewOnShip[k];
        if (crewOnShip[k].isDead) {
            deadCrew.push_back(std::move(crewOnShip[k]));
            if (isSelected) {
                selectedPosition = deadCrew.size() - 1;
                selectedMoved = true;
            }
        } else {
            newPosition[k] = living.size();
            if (isSelected)
                selectedPosition = living.size();
            living.push_back(std::move(crewOnShip[k]));
        }
    }
    crewOnShip = std::move(living);
    if (selectedPosition != moved)
        selectedCharacter = selectedMoved ? &deadCrew[selectedPosition] : &crewOnShip[selectedPosition];

    // The team keeps its living members, in order; a role on a member that left is open.
    std::vector<std::size_t> team;
    std::vector<std::int32_t> newTeamPosition(deployTeam.size(), -1);
    for (std::size_t k = 0; k < deployTeam.size(); ++k) {
        if (deployTeam[k] < newPosition.size() && newPosition[deployTeam[k]] != moved) {
            newTeamPosition[k] = static_cast<std::int32_t>(team.size());
            team.push_back(newPosition[deployTeam[k]]);
        }
    }
    auto remapRole = [&](std::int32_t& role) {
        role = (role >= 0 && static_cast<std::size_t>(role) < newTeamPosition.size()) ? newTeamPosition[role] : -1;
    };
    deployTeam = std::move(team);
    remapRole(leaderIndex);
    remapRole(medicIndex);
    remapRole(engineerIndex);
    if (cards_.draggedIndex >= 0) {
        auto dragged = static_cast<std::size_t>(cards_.draggedIndex);
        cards_.draggedIndex = dragged < newPosition.size() && newPosition[dragged] != moved
            ? static_cast<int>(newPosition[dragged])
            : -1;
    }
    cards_.rebuildRows(crewOnShip);
}

void CharacterManager::forgetPositions()
{
    deployTeam.clear();
    leaderIndex = medicIndex = engineerIndex = -1;
    selectedCharacter = nullptr;
    cards_.draggedIndex = -1;
    cards_.rows.clear();
}

void CharacterManager::resetCrew()
{
    std::lock_guard guard(mutex_);
    forgetPositions();
    chosenCrew.clear();
    crewOnShip.clear();
    deadCrew.clear();
    for (const Character& character : allCharacters)
        if (!character.isSecret)
            crewOnShip.push_back(character);
}

void CharacterManager::boardChosenCrew()
{
    std::lock_guard guard(mutex_);
    forgetPositions();
    crewOnShip.assign(chosenCrew.begin(), chosenCrew.end());
    for (Character& member : crewOnShip)
        member.addBadges();
}

fs::path CharacterManager::removableModFolder(const fs::path& folder) const
{
    // Only a real folder directly inside mods/characters/ may go, with everything in it:
    // never that folder itself, a link, or anything reached through "..".
    std::error_code error;
    const fs::path modCharacters = fs::weakly_canonical(fs::path(folders_.mods + "characters"), error);
    if (error || folder.empty())
        return {};
    const fs::path real = fs::weakly_canonical(folder, error);
    if (error || real.parent_path() != modCharacters || real.filename().empty())
        return {};
    if (fs::is_symlink(folder, error) || error || !fs::is_directory(real, error) || error)
        return {};
    return real;
}

bool CharacterManager::deleteModCharacter(const Character& character)
{
    std::lock_guard guard(mutex_);
    const std::string path = character.filePath;
    const fs::path folder = removableModFolder(fs::path(path).parent_path());
    if (folder.empty()) {
        QV_LOG << "Tried to delete character without the mod folder in it. Path: " << path
               << "Mod folder path: " << folders_.mods << std::endl;
        return false;
    }
    QV_LOG << "Removing character from " << path << std::endl;
    // Only this character's file: a mod may keep several characters in one folder. The
    // folder goes too once nothing is left in it.
    std::error_code error;
    fs::remove(folder / fs::path(path).filename(), error);
    if (error) {
        QV_LOG << "Error: CharacterManager::deleteModCharacter, could not remove " << path << ": " << error.message()
               << std::endl;
    } else {
        std::error_code ignored;
        if (fs::is_empty(folder, ignored) && !ignored)
            fs::remove(folder, ignored);
    }
    loadAllCharacters();
    return !error;
}

void CharacterManager::awardExperience(const std::string& missionName, bool creditRoles)
{
    awardExperience(missionName, true, creditRoles);
}

void CharacterManager::awardExperience(const std::string& missionName, bool creditDeployments, bool creditRoles)
{
    std::lock_guard guard(mutex_);
    if (creditDeployments)
        for (std::size_t position : deployTeam)
            crewOnShip[position].creditDeployment(missionName);
    if (!creditRoles)
        return;
    const std::pair<Character::Role, std::int32_t> holders[] = {
        { Character::Role::Leader, roleHolder(leaderIndex, "social") },
        { Character::Role::Medic, roleHolder(medicIndex, "mental") },
        { Character::Role::Engineer, roleHolder(engineerIndex, "physical") },
    };
    for (const auto& [role, holder] : holders)
        if (holder >= 0)
            crewOnShip[deployTeam[holder]].creditRole(role, missionName);
}

// --- Session save ---

Json::Value CharacterManager::toJson()
{
    std::lock_guard guard(mutex_);
    Json::Value alive(Json::arrayValue);
    Json::Value dead(Json::arrayValue);
    for (const Character& member : crewOnShip)
        (member.isDead ? dead : alive).append(member.toJson());
    for (const Character& member : deadCrew)
        dead.append(member.toJson());
    Json::Value object(Json::objectValue);
    object["Alive"] = alive;
    object["Dead"] = dead;
    return object;
}

bool CharacterManager::fromJson(const Json::Value& object)
{
    std::lock_guard guard(mutex_);
    forgetPositions();
    crewOnShip.clear();
    deadCrew.clear();
    if (!object.isObject()) {
        QV_LOG << "Failed to load character file: Characters at: generation" << std::endl;
        return false;
    }
    return readMembers(object["Alive"], crewOnShip, false) && readMembers(object["Dead"], deadCrew, true);
}

bool CharacterManager::readMembers(const Json::Value& list, std::deque<Character>& into, bool dead)
{
    if (list.isNull())
        return true;
    if (!list.isArray()) {
        QV_LOG << "Failed to load character file: Characters at: " << (dead ? "Dead" : "Alive") << std::endl;
        return false;
    }
    for (const Json::Value& element : list) {
        std::string name;
        if (element.isObject())
            name = jsonText(element["name"]).value_or("");
        const std::uint32_t deployed = timesCounter(element, "TimesDeployed");
        const std::uint32_t leader = timesCounter(element, "TimesLeader");
        const std::uint32_t medic = timesCounter(element, "TimesMedic");
        const std::uint32_t engineer = timesCounter(element, "TimesEngineer");

        Character member(folders_.assets);
        member.isDead = dead;
        bool whole = true;
        try {
            member.fromJson(element);
        } catch (const Character::ReadError& error) {
            QV_LOG << "Failed to load character file: " << name << " at: " << error.what() << std::endl;
            whole = false;
        }
        if (!member.hasProperty("name")) {
            // Every later lookup of this member by name would fail: it does not join the crew.
            QV_LOG << "Warning: CharacterManager::fromJson, a saved crew member without a name is left out"
                   << std::endl;
            return false;
        }
        member.timesDeployed = deployed;
        member.timesLeader = leader;
        member.timesMedic = medic;
        member.timesEngineer = engineer;
        const Json::Value& saved = element["mementos"];
        if (whole && !saved.isNull()) {
            member.mementos.clear();
            if (!saved.isArray())
                whole = false;
            for (Json::ArrayIndex k = 0; whole && k < saved.size(); ++k) {
                auto memento = std::make_shared<Memento>(folders_.assets);
                try {
                    memento->fromJson(saved[k]);
                    member.mementos.push_back(memento);
                } catch (const std::exception&) {
                    whole = false;
                }
            }
            if (!whole)
                QV_LOG << "Failed to load character file: " << name << " at: " << "mementos" << std::endl;
        }
        if (member.unseenMementos)
            newMementosFlag = true;
        into.push_back(std::move(member));
        if (!whole)
            return false;
    }
    return true;
}

// --- Deploy team and main-thread extras ---

std::vector<std::string> CharacterManager::takeQueuedSounds()
{
    std::lock_guard guard(mutex_);
    return std::exchange(queuedSounds_, {});
}

void CharacterManager::flushStatistics()
{
    std::vector<StatisticsEntry> entries;
    PlayerStats* stats = nullptr;
    {
        std::lock_guard guard(mutex_);
        entries = std::exchange(queuedStatistics_, {});
        stats = stats_;
    }
    if (!stats)
        return;
    for (const StatisticsEntry& entry : entries) {
        if (entry.killed)
            stats->addKilledCrew(entry.name);
        else
            stats->addMemento(entry.name);
    }
}

void CharacterManager::advanceBlink()
{
    std::lock_guard guard(mutex_);
    if (++blinkCounter > 5 * blinkLength)
        blinkCounter = 0;
}

bool CharacterManager::blinkLit() const
{
    std::lock_guard guard(mutex_);
    return blinkCounter < blinkLength;
}

void CharacterManager::setDeployTeam(std::vector<std::size_t> crewPositions)
{
    std::lock_guard guard(mutex_);
    crewPositions.erase(std::remove_if(crewPositions.begin(), crewPositions.end(),
                                       [&](std::size_t position) { return position >= crewOnShip.size(); }),
                        crewPositions.end());
    deployTeam = std::move(crewPositions);
}

std::vector<std::size_t> CharacterManager::getDeployTeam() const
{
    std::lock_guard guard(mutex_);
    return deployTeam;
}

void CharacterManager::setRoles(std::int32_t leader, std::int32_t medic, std::int32_t engineer)
{
    std::lock_guard guard(mutex_);
    leaderIndex = leader;
    medicIndex = medic;
    engineerIndex = engineer;
}

std::int32_t CharacterManager::getLeaderIndex() const
{
    std::lock_guard guard(mutex_);
    return leaderIndex;
}

std::int32_t CharacterManager::getMedicIndex() const
{
    std::lock_guard guard(mutex_);
    return medicIndex;
}

std::int32_t CharacterManager::getEngineerIndex() const
{
    std::lock_guard guard(mutex_);
    return engineerIndex;
}

// --- Cards ---

void CharacterManager::layoutGrid(float x0, float y0, int perRow, int start, bool clearSlots)
{
    std::lock_guard guard(mutex_);
    registerSpriteTextures();
    cards_.layoutGrid(TextureManager::get(), crewOnShip, x0, y0, perRow, start, clearSlots);
}

void CharacterManager::layoutCrewView(int start)
{
    std::lock_guard guard(mutex_);
    registerSpriteTextures();
    cards_.layoutCrewView(TextureManager::get(), crewOnShip, deadCrew, start);
}

void CharacterManager::rebuildRows()
{
    std::lock_guard guard(mutex_);
    cards_.rebuildRows(crewOnShip);
}

int CharacterManager::cardAt(float x, float y)
{
    std::lock_guard guard(mutex_);
    return cards_.cardAt(crewOnShip, x, y);
}

void CharacterManager::showCharacterInfo(float x, float y, Character& character, bool withExperience)
{
    std::lock_guard guard(mutex_);
    registerSpriteTextures();
    infoPanel_.show(TextureManager::get(), x, y, character, withExperience);
    selectedCharacter = &character;
}

void CharacterManager::clearCharacterInfo()
{
    std::lock_guard guard(mutex_);
    infoPanel_.clear();
}

void CharacterManager::clearSelection()
{
    std::lock_guard guard(mutex_);
    selectedCharacter = nullptr;
    mementoPage = 0;
}

void CharacterManager::setDraggedIndex(int crewPosition)
{
    std::lock_guard guard(mutex_);
    cards_.draggedIndex = crewPosition;
}

void CharacterManager::drawCards(sf::RenderTarget& target, int start)
{
    std::lock_guard guard(mutex_);
    registerSpriteTextures();
    cards_.draw(target, TextureManager::get(), crewOnShip, start, newMementosFlag && blinkLit());
}

void CharacterManager::drawCrewView(sf::RenderTarget& target, int start)
{
    std::lock_guard guard(mutex_);
    registerSpriteTextures();
    cards_.drawCrewView(target, TextureManager::get(), crewOnShip, deadCrew, start, newMementosFlag && blinkLit());
}

void CharacterManager::drawCharacterInfo(sf::RenderTarget& target)
{
    std::lock_guard guard(mutex_);
    infoPanel_.draw(target);
}

void CharacterManager::drawMementoGrid(sf::RenderTarget& target, sf::Vector2f origin, int hoveredMemento)
{
    std::lock_guard guard(mutex_);
    if (selectedCharacter)
        CharacterInfoPanel::drawMementoGrid(target, *selectedCharacter, mementoPage, origin, hoveredMemento);
}

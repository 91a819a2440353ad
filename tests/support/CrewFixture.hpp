#pragma once

#include "achievements/VoidAchievementManager.hpp"
#include "core/Base64.hpp"
#include "crew/CharacterManager.hpp"
#include "crew/CrewColours.hpp"
#include "persistence/PlayerStats.hpp"
#include "support/TextFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <filesystem>
#include <memory>
#include <string>

// A private copy of tests/fixtures/crew (assets with "char/", "mementos/" and the colours
// file; a mods folder with two mod characters) for one test, with helpers to add pictures
// and to build a roster over it. The colours list is process-wide, so it is reset too.
class CrewFolders {
public:
    explicit CrewFolders(const std::string& root)
        : root_(root)
    {
        std::filesystem::copy(std::string(QV_FIXTURES_DIR) + "/crew", root_,
                              std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(assets() + "general/character_related/characters");
        std::filesystem::create_directories(assets() + "mementos/images");
        std::filesystem::create_directories(charImages());
        CrewColours::destroy();
        achievements.buildCatalogue();
        stats.setAchievementManager(&achievements);
    }
    ~CrewFolders() { CrewColours::destroy(); }
    CrewFolders(const CrewFolders&) = delete;
    CrewFolders& operator=(const CrewFolders&) = delete;

    std::string assets() const { return root_ + "/assets/"; }
    std::string mods() const { return root_ + "/mods/"; }
    std::string charImages() const { return root_ + "/charImages/"; }
    CharacterManager::Folders folders() const { return { assets(), mods(), charImages() }; }

    std::unique_ptr<CharacterManager> roster()
    {
        auto made = std::make_unique<CharacterManager>(folders());
        made->setPlayerStats(&stats);
        made->seedRandom(7);
        return made;
    }

    // A one-colour PNG under the assets; returns its bytes.
    std::string writePicture(const std::string& relativePath, unsigned width, unsigned height, sf::Color colour)
    {
        const std::string path = assets() + relativePath;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        sf::Image image;
        image.create(width, height, colour);
        image.saveToFile(path);
        return readAll(path);
    }
    // Base64 of a one-colour PNG (made beside the assets and removed again).
    std::string pictureBase64(unsigned width, unsigned height, sf::Color colour)
    {
        std::string bytes = writePicture("scratch.png", width, height, colour);
        std::filesystem::remove(assets() + "scratch.png");
        return Base64::encode(bytes);
    }
    void writeCharacter(const std::string& relativePath, const std::string& json)
    {
        const std::string path = root_ + "/" + relativePath;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeText(path, json);
    }

private:
    std::string root_;

public:
    VoidAchievementManager achievements;
    PlayerStats stats;
};

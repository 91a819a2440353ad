// The keepsakes the missions hand out, held against the story bible (docs/STORY.md, the memento
// table): the collectors' achievement counts exactly that list, so a memento a mission names but
// nobody wrote, a file nobody can earn, a title that drifted from the bible, a picture shared by
// two keepsakes or a description that cannot name its holder would all go unnoticed in play.
#include "achievements/AchievementManager.hpp"
#include "support/ShippedAssets.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct BibleMemento {
    int number = 0;
    std::string name;
    std::string title;
};

std::string trimmed(const std::string& text)
{
    auto first = text.find_first_not_of(" \t");
    auto last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The rows "| n | name | title | description | given by |" of the bible's memento section.
std::vector<BibleMemento> bibleMementos()
{
    std::istringstream bible(readAll(std::string(QV_SOURCE_DIR) + "/docs/STORY.md"));
    std::vector<BibleMemento> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(bible, line)) {
        if (line.rfind("## ", 0) == 0)
            inSection = line.find("Mementos") != std::string::npos;
        if (!inSection || line.empty() || line[0] != '|')
            continue;
        std::vector<std::string> cells;
        std::istringstream fields(line.substr(1));
        std::string cell;
        while (std::getline(fields, cell, '|'))
            cells.push_back(trimmed(cell));
        if (cells.size() < 3 || cells[0].empty() || !std::isdigit(static_cast<unsigned char>(cells[0][0])))
            continue;
        rows.push_back({std::stoi(cells[0]), cells[1], cells[2]});
    }
    return rows;
}

} // namespace

TEST(ShippedMementos, AreExactlyTheBiblesListPlusDeath)
{
    auto bible = bibleMementos();
    ASSERT_EQ(bible.size(), static_cast<std::size_t>(AchievementManager::mementoTotal))
        << "the bible's memento table must list as many keepsakes as the collectors count";
    std::set<std::string> expected = {"death.json"};
    for (std::size_t k = 0; k < bible.size(); ++k) {
        EXPECT_EQ(bible[k].number, static_cast<int>(k) + 1) << bible[k].name;
        EXPECT_TRUE(expected.insert(bible[k].name + ".json").second) << bible[k].name << " is listed twice";
    }
    std::set<std::string> shipped;
    for (const auto& entry : std::filesystem::directory_iterator(sourceAssets() / "static" / "mementos"))
        shipped.insert(entry.path().filename().string());
    for (const std::string& file : expected)
        EXPECT_EQ(shipped.count(file), 1u) << file << " is in the bible but not shipped";
    for (const std::string& file : shipped)
        EXPECT_EQ(expected.count(file), 1u) << file << " is shipped but not in the bible";
}

TEST(ShippedMementos, CarryTheBiblesTitleTheirOwnPictureAndTheirHolder)
{
    auto sizes = manifestSizes();
    std::map<std::string, Json::Value> shipped;
    for (ShippedFile& m : readJsonFolder(sourceAssets() / "static" / "mementos"))
        shipped[m.file] = std::move(m.json);
    for (const BibleMemento& entry : bibleMementos()) {
        std::string file = entry.name + ".json";
        auto found = shipped.find(file);
        if (found == shipped.end())
            continue; // reported by the list test
        const Json::Value& json = found->second;
        for (const char* key : {"Name", "Description", "Origin", "InsetSprite", "MementoSprite"})
            ASSERT_TRUE(json[key].isString()) << file << ": \"" << key << "\" must be a text";
        EXPECT_EQ(json["Name"].asString(), entry.title) << file;
        EXPECT_NE(json["Description"].asString().find("<charName>"), std::string::npos)
            << file << ": the description must name its holder through <charName>";
        // One picture per keepsake, named after it, drawn at the memento size.
        EXPECT_EQ(json["MementoSprite"].asString(), entry.name + ".png") << file;
        auto picture = sizes.find("mementos/images/" + entry.name + ".png");
        ASSERT_NE(picture, sizes.end()) << file << ": its picture is not drawn";
        EXPECT_EQ(picture->second, std::make_pair(32u, 32u)) << file;
        EXPECT_EQ(json["InsetSprite"].asString(), "keepsake_inset.png") << file;
    }
}

#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"
#include "world/ShipSystemsFile.hpp"

#include <gtest/gtest.h>

TEST(ShipSystemsFile, BrokenFilesAreLoggedAndGiveOnlyWholeEntries)
{
    struct Case {
        const char* name;
        const char* text; // nullptr: no file
        std::vector<std::string> sprites;
        const char* logged;
    };
    const std::vector<Case> cases = {
        {"missing", nullptr, {}, "it will not be loaded!"},
        {"not json", "{\"Systems\": [", {}, "it will not be loaded!"},
        {"an array", "[{\"Sprite\": \"a\", \"Details\": \"A\"}]", {}, "it will not be loaded!"},
        {"a text", "\"Systems\"", {}, "it will not be loaded!"},
        {"no list", "{}", {}, "at: \"Systems\" is not a list"},
        {"a number", "{\"Systems\": 5}", {}, "at: \"Systems\" is not a list"},
        {"empty", "{\"Systems\": []}", {}, nullptr},
        {"bad entries",
         R"({"Systems": [{"Sprite": "a", "Details": "A"}, 3, {"Sprite": 7, "Details": "B"},
                         {"Sprite": "b"}, {"Details": "only"}, {"Sprite": "c", "Details": "C"}]})",
         {"a", "c"}, "at: \"Sprite\" and \"Details\" must both be texts"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        const std::string path = log.home().root() + "/systems.json";
        if (c.text)
            writeText(path, c.text);
        const std::vector<ShipSystemsFile::System> systems = ShipSystemsFile::read(path);
        std::vector<std::string> sprites;
        for (const ShipSystemsFile::System& system : systems)
            sprites.push_back(system.sprite);
        EXPECT_EQ(sprites, c.sprites) << c.name;
        if (c.logged) {
            EXPECT_TRUE(log.contains(path)) << c.name;
            EXPECT_TRUE(log.contains(c.logged)) << c.name << "\n" << log.text();
        } else {
            EXPECT_FALSE(log.contains("ship systems file")) << c.name;
        }
        if (!systems.empty()) {
            EXPECT_EQ(systems.back().details, "C") << c.name; // sprites and descriptions stay paired
        }
    }
}

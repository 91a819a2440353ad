// Checks the sounds, music and fonts that the build generates into the assets folder beside
// the game. Skipped where no assets folder was built (for example the sanitizer build).
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Font.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The built assets folder: beside the test binary's folder (<build>/tests/..) or inside it.
fs::path builtAssets()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    for (fs::path dir = exe.parent_path(); !dir.empty() && dir != dir.root_path(); dir = dir.parent_path()) {
        if (fs::is_directory(dir / "assets" / "sounds"))
            return dir / "assets";
        if (fs::exists(dir / "CMakeCache.txt"))
            break;
    }
    return {};
}

#define REQUIRE_ASSETS(assets)                                         \
    const fs::path assets = builtAssets();                             \
    if (assets.empty())                                                \
        GTEST_SKIP() << "no generated assets folder next to the tests"

std::vector<fs::path> filesIn(const fs::path& dir, const std::string& extension)
{
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

TEST(AudioAssets, EveryEffectTheGamePlaysLoadsWithAFittingLength)
{
    REQUIRE_ASSETS(assets);
    struct Case {
        const char* name;
        float minSeconds;
        float maxSeconds;
    };
    const Case cases[] = {
        {"button_click.wav", 0.03f, 0.08f},
        {"button_click_time_controls.wav", 0.03f, 0.08f},
        {"character_interact_1.wav", 0.03f, 0.12f},
        {"character_interact_3.wav", 0.03f, 0.12f},
        {"death.wav", 0.8f, 4.0f},
        {"deploy_leave_1.wav", 0.2f, 1.5f},
        {"deploy_leave_2.wav", 0.4f, 2.5f},
        {"quit.wav", 0.4f, 3.0f},
        {"thrusters.wav", 3.0f, 20.0f},
        {"thrusters_jump.wav", 1.5f, 6.0f},
        {"space_1.wav", 20.0f, 120.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile((assets / "sounds/effects" / c.name).string()));
        float seconds = buffer.getDuration().asSeconds();
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        // Not silent and not clipped.
        const sf::Int16* s = buffer.getSamples();
        int peak = 0;
        for (sf::Uint64 i = 0; i < buffer.getSampleCount(); ++i)
            peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        EXPECT_GT(peak, 8000);
        EXPECT_LT(peak, 32767);
    }
}

TEST(AudioAssets, LoopedStreamsJoinWithoutAClick)
{
    REQUIRE_ASSETS(assets);
    for (const char* name : {"space_1.wav", "thrusters.wav"}) {
        SCOPED_TRACE(name);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile((assets / "sounds/effects" / name).string()));
        const sf::Int16* s = buffer.getSamples();
        const sf::Uint64 n = buffer.getSampleCount();
        const unsigned ch = buffer.getChannelCount();
        ASSERT_GT(n, 4u * ch);
        // The step from the last frame back to the first must look like any other step.
        int largestStep = 0;
        for (sf::Uint64 i = ch; i < n; ++i)
            largestStep = std::max(largestStep, std::abs(s[i] - s[i - ch]));
        for (unsigned c = 0; c < ch; ++c)
            EXPECT_LE(std::abs(s[c] - s[n - ch + c]), largestStep) << "channel " << c;
        // Both streams are opened by the game as music streams.
        sf::Music stream;
        EXPECT_TRUE(stream.openFromFile((assets / "sounds/effects" / name).string()));
    }
}

TEST(AudioAssets, MusicFoldersHoldTheTracksThePlaylistNeeds)
{
    REQUIRE_ASSETS(assets);
    sf::Music menu;
    ASSERT_TRUE(menu.openFromFile((assets / "sounds/music/MainMenu.ogg").string()));
    EXPECT_GT(menu.getDuration().asSeconds(), 60.0f);

    // The credits start the track 70 s in, so it must run well past that.
    sf::Music credits;
    ASSERT_TRUE(credits.openFromFile((assets / "sounds/music/VEZIREZAVIDUDA.ogg").string()));
    EXPECT_GT(credits.getDuration().asSeconds(), 80.0f);

    int exploration = 0;
    for (const fs::path& track : filesIn(assets / "sounds/music", ".ogg")) {
        std::string name = track.filename().string();
        if (name == "MainMenu.ogg" || name == "VEZIREZAVIDUDA.ogg")
            continue;
        SCOPED_TRACE(name);
        sf::Music music;
        ASSERT_TRUE(music.openFromFile(track.string()));
        EXPECT_EQ(music.getChannelCount(), 2u);
        EXPECT_GE(music.getDuration().asSeconds(), 120.0f);
        EXPECT_LE(music.getDuration().asSeconds(), 240.0f);
        ++exploration;
    }
    EXPECT_GE(exploration, 3);

    std::vector<fs::path> missionTracks = filesIn(assets / "sounds/missionMusic", ".ogg");
    EXPECT_GE(missionTracks.size(), 2u);
    for (const fs::path& track : missionTracks) {
        SCOPED_TRACE(track.filename().string());
        sf::Music music;
        ASSERT_TRUE(music.openFromFile(track.string()));
        EXPECT_GT(music.getDuration().asSeconds(), 60.0f);
    }
}

TEST(AudioAssets, EveryFileInTheFontsFolderIsALoadableFont)
{
    REQUIRE_ASSETS(assets);
    // The options list offers every file of fonts/, so each one must be a font.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(assets / "fonts")) {
        std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        names.push_back(name);
        sf::Font font;
        EXPECT_TRUE(font.loadFromFile(entry.path().string()));
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "monofur.ttf"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "gtfo.ttf"), names.end());
    EXPECT_GE(names.size(), 4u);
}

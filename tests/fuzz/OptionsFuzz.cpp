// libFuzzer entry for "options.json": the input is read as the player's options file at a
// start; the settings must come out in their ranges and read back the same once saved.

#include "audio/AudioManager.hpp"
#include "audio/SilentAudioBackend.hpp"
#include "core/FileUtils.hpp"
#include "fuzz/FuzzSupport.hpp"
#include "persistence/Options.hpp"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace {

DisplayModes madeUpDisplay()
{
    DisplayModes display;
    display.desktop = sf::VideoMode(1920, 1080, 24);
    for (auto [w, h] : {std::pair{1920u, 1080u}, {1280u, 720u}, {1024u, 768u}, {800u, 600u}})
        display.fullscreenModes.emplace_back(w, h, 32);
    return display;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzFolder();
    if (!AudioManager::exists())
        AudioManager::install(std::make_unique<AudioManager>(std::make_unique<SilentAudioBackend>(), "/nowhere/"));
    AudioManager& audio = AudioManager::get();
    audio.setMusicVolume(10);
    audio.setEffectsVolume(25);

    std::filesystem::create_directories(userPath());
    const std::string path = userPath() + "options.json";
    std::filesystem::remove_all(path);
    scratchFile(data, size, "options.json");
    std::filesystem::rename(fuzzFolder() + "/options.json", path);

    const DisplayModes display = madeUpDisplay();
    Options first(display); // reads the input, then saves what it took
    check(first.textMode >= 0 && first.textMode <= 2);
    check(first.wordsPerSecond >= first.minWordsPerSecond && first.wordsPerSecond <= first.maxWordsPerSecond);
    check(first.resolutionX >= 640 && first.resolutionY >= 360);
    check(first.resolutionIndex >= 0 && static_cast<std::size_t>(first.resolutionIndex) < first.resolutionList.size());
    check(audio.getMusicVolume() <= 100 && audio.getEffectsVolume() <= 100);

    // From the first save on, saving and reading again changes nothing. (The first save may
    // differ: the JSON writer turns bytes that are not UTF-8 into U+FFFD.)
    Options second(display);
    const unsigned music = audio.getMusicVolume();
    const unsigned effects = audio.getEffectsVolume();
    Options third(display);
    check(third.fullscreen == second.fullscreen && third.textMode == second.textMode);
    check(third.resolutionX == second.resolutionX && third.resolutionY == second.resolutionY);
    check(third.fontName == second.fontName && third.wordsPerSecond == second.wordsPerSecond);
    check(third.trackedSubbedCharacters == second.trackedSubbedCharacters);
    check(audio.getMusicVolume() == music && audio.getEffectsVolume() == effects);
    return 0;
}

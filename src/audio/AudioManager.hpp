#pragma once

#include "audio/AudioBackend.hpp"

#include <SFML/System/Time.hpp>

#include <list>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

// Owner of every sound in the game: effects played by file name, the endless music playlist
// with its cross-fades, the mission music, the thruster and jump sounds and the space
// ambience. The main loop calls update() once per frame with the time since the last call;
// everything that decides which track plays at what volume happens there, on the tracks'
// own fade state, so a fake backend and hand-picked frame times can check it.
// Sound never stops the game: files that fail to load are silent, and without a sound device
// (found once, when the instance is made) the silent back end keeps every decision running.
class AudioManager {
public:
    static AudioManager& get();
    static bool exists();
    // Stops all sound and releases the instance (first step of the shutdown).
    static void destroy();
    // Replaces the instance, e.g. with one on a fake backend (tests).
    static void install(std::unique_ptr<AudioManager> manager);

    // Loads every effect of `assetsRoot` + "sounds/effects" and lists the music folders.
    AudioManager(std::unique_ptr<AudioBackend> backend, const std::string& assetsRoot);
    ~AudioManager();
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    // Starts one more instance of an effect (a bare file name such as "button_click.wav")
    // and returns its length. An unknown name plays nothing and logs a warning.
    sf::Time playSound(const std::string& fileName);

    void playMusic(bool fadeIn, const std::string& path, float fadeSeconds, float startOffset);
    void stopMusic();
    void fadeOutMusic(float seconds);
    void startMissionMusic();
    void endMissionMusic();

    void setMusicVolume(unsigned volume);
    void setEffectsVolume(unsigned volume);
    unsigned getMusicVolume() const { return musicVolume_; }
    unsigned getEffectsVolume() const { return effectsVolume_; }

    void startThrusters();
    void stopThrusters();
    // The space ambience, looping at half the effects volume (entering the intro or the map).
    void startAmbience();

    void update(float dtSeconds);

    MusicTrack& thrusters() { return *thrusters_; }
    MusicTrack& jump() { return *jump_; }
    MusicTrack& ambience() { return *ambience_; }

    const std::list<std::unique_ptr<MusicTrack>>& tracks() const { return tracks_; }
    std::size_t soundCount() const { return sounds_.size(); }
    const std::vector<std::string>& musicList() const { return musicList_; }
    const std::vector<std::string>& missionMusicList() const { return missionMusicList_; }
    bool isMissionMode() const { return missionMode_; }
    bool thrustersStopped() const { return thrustersStopped_; }
    int activeCount() const { return activeCount_; }
    // Fixes the playlist's choices (tests).
    void seedRandom(std::uint32_t seed) { random_.seed(seed); }

private:
    void playNextTrack();
    static void startFadeOut(MusicTrack& track, float seconds);
    void forgetUnopenable(const MusicTrack& track);

    std::unique_ptr<AudioBackend> backend_;
    std::unique_ptr<MusicTrack> thrusters_;
    std::unique_ptr<MusicTrack> jump_;
    std::unique_ptr<MusicTrack> ambience_;
    unsigned musicVolume_ = 10;
    unsigned effectsVolume_ = 25;
    int activeCount_ = 0;
    bool thrustersStopped_ = false;
    bool missionMode_ = false;
    std::unordered_map<std::string, std::unique_ptr<SoundEffect>> effects_;
    std::list<std::unique_ptr<MusicTrack>> tracks_;
    std::list<std::unique_ptr<SoundVoice>> sounds_;
    std::vector<std::string> musicList_;
    std::vector<std::string> missionMusicList_;
    std::mt19937 random_;
};

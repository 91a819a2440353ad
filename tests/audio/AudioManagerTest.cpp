#include "audio/AudioManager.hpp"

#include "core/Logger.hpp"
#include "support/FakeAudio.hpp"
#include "support/LogCapture.hpp"
#include "support/TempUserHome.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class AudioManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Logger::resetForTests();
        assets = home.root() + "/assets/";
        for (const char* file : {"sounds/music/a.ogg", "sounds/music/b.ogg", "sounds/music/MainMenu.ogg",
                                 "sounds/music/notes.txt", "sounds/missionMusic/m1.ogg",
                                 "sounds/effects/button_click.wav", "sounds/effects/death.wav",
                                 "sounds/effects/space_1.wav", "sounds/effects/thrusters.wav"}) {
            fs::create_directories(fs::path(assets + file).parent_path());
            std::ofstream(assets + file).put('\n');
        }
        books = std::make_shared<FakeAudioBackend::Books>();
    }
    void TearDown() override { Logger::resetForTests(); }

    AudioManager& make()
    {
        audio = std::make_unique<AudioManager>(std::make_unique<FakeAudioBackend>(books), assets);
        audio->seedRandom(7);
        return *audio;
    }
    std::string path(const std::string& file) const { return assets + "sounds/music/" + file; }
    static std::string logText() { return loggedText(); }

    TempUserHome home;
    std::string assets;
    std::shared_ptr<FakeAudioBackend::Books> books;
    std::unique_ptr<AudioManager> audio;
};

} // namespace

// The streamed loops beside the effects are opened as tracks, never decoded as effects too.
TEST_F(AudioManagerTest, ListsTheMusicFoldersAndLoadsEveryEffectButTheStreamedLoops)
{
    AudioManager& a = make();
    EXPECT_EQ(a.musicList(), (std::vector<std::string>{path("a.ogg"), path("b.ogg")}));
    EXPECT_EQ(a.missionMusicList(), std::vector<std::string>{assets + "sounds/missionMusic/m1.ogg"});
    EXPECT_EQ(books->effectsLoaded, (std::vector<std::string>{assets + "sounds/effects/button_click.wav",
                                                              assets + "sounds/effects/death.wav"}));
    EXPECT_EQ(a.getMusicVolume(), 10u);
    EXPECT_EQ(a.getEffectsVolume(), 25u);
}

TEST_F(AudioManagerTest, TwoTracksAtFullVoiceAreBothStoppedAndOneNewTrackFadesIn)
{
    AudioManager& a = make();
    a.playMusic(false, path("a.ogg"), 0.f, 0.f);
    a.playMusic(false, path("b.ogg"), 0.f, 0.f);
    auto first = books->tracks.at(books->tracks.size() - 2);
    auto second = books->tracks.back();

    a.update(0.033f);
    EXPECT_TRUE(a.tracks().empty());
    EXPECT_TRUE(first->destroyed && second->destroyed);

    a.update(0.033f);
    ASSERT_EQ(a.tracks().size(), 1u);
    const MusicTrack& next = *a.tracks().front();
    EXPECT_TRUE(next.isPlaying());
    EXPECT_TRUE(next.fadingIn);
    EXPECT_FLOAT_EQ(next.fadeDuration, 5.f);
    EXPECT_FLOAT_EQ(next.getVolume(), 0.f);
    EXPECT_NE(std::find(a.musicList().begin(), a.musicList().end(), next.name), a.musicList().end());
}

TEST_F(AudioManagerTest, ATrackShorterThanTheCrossFadeHandsOverAtOnce)
{
    books->durations["a.ogg"] = 3.f;
    books->durations["b.ogg"] = 200.f;
    AudioManager& a = make();
    a.playMusic(false, path("a.ogg"), 0.f, 0.f);
    a.update(0.033f);

    ASSERT_EQ(a.tracks().size(), 2u);
    const MusicTrack& old = *a.tracks().front();
    EXPECT_TRUE(old.fadingOut);
    EXPECT_TRUE(old.removeWhenStopped);
    EXPECT_FLOAT_EQ(old.fadeDuration, 5.f);
    EXPECT_TRUE(a.tracks().back()->fadingIn);

    // Halfway through the cross-fade the old track is at half its volume; at the end it is gone.
    a.update(2.5f);
    EXPECT_NEAR(old.getVolume(), 5.f, 0.1f);
    a.update(2.6f);
    ASSERT_EQ(a.tracks().size(), 1u);
    EXPECT_EQ(a.tracks().front()->name, path("b.ogg"));
}

TEST_F(AudioManagerTest, ShortTracksStartAtMostOneSuccessorPerUpdate)
{
    books->durations["a.ogg"] = 1.f;
    books->durations["b.ogg"] = 1.f;
    AudioManager& a = make();
    a.playMusic(false, path("a.ogg"), 0.f, 0.f);
    a.update(0.033f);
    EXPECT_EQ(a.tracks().size(), 2u);
}

TEST_F(AudioManagerTest, MusicVolumeZeroEndsAFadeInAtOnce)
{
    AudioManager& a = make();
    a.playMusic(true, path("a.ogg"), 5.f, 0.f);
    a.update(1.f);
    const MusicTrack& track = *a.tracks().front();
    EXPECT_NEAR(track.getVolume(), 2.f, 1e-4f);
    EXPECT_TRUE(track.fadingIn);

    a.setMusicVolume(0);
    a.update(0.033f);
    EXPECT_FALSE(track.fadingIn);
    EXPECT_FLOAT_EQ(track.getVolume(), 0.f);
    EXPECT_FLOAT_EQ(track.fadeDuration, 0.f);
}

TEST_F(AudioManagerTest, FadedOutTracksPauseAndANewTrackFadesInOnTheNextUpdate)
{
    AudioManager& a = make();
    a.playMusic(false, path("a.ogg"), 0.f, 0.f);
    auto state = books->tracks.back();
    a.fadeOutMusic(1.f);
    a.update(0.5f);
    EXPECT_NEAR(state->volume, 5.f, 1e-4f);
    a.update(0.6f);
    EXPECT_FLOAT_EQ(state->volume, 0.f);
    EXPECT_TRUE(state->paused);
    EXPECT_EQ(a.tracks().size(), 1u); // kept, paused at silence

    a.update(0.033f);
    ASSERT_EQ(a.tracks().size(), 2u);
    EXPECT_TRUE(a.tracks().back()->fadingIn);
    EXPECT_FLOAT_EQ(a.tracks().back()->fadeDuration, 5.f);
}

TEST_F(AudioManagerTest, MissionMusicReplacesThePlaylistAndTheNormalTrackResumesWhereItStopped)
{
    AudioManager& a = make();
    a.playMusic(false, path("a.ogg"), 0.f, 0.f);
    auto normal = books->tracks.back();
    a.update(40.f); // 40 s into the track
    a.startMissionMusic();
    auto mission = books->tracks.back();
    EXPECT_TRUE(a.isMissionMode());
    EXPECT_EQ(mission->path, assets + "sounds/missionMusic/m1.ogg");
    a.update(2.1f);
    EXPECT_TRUE(normal->paused);

    a.endMissionMusic();
    EXPECT_FALSE(a.isMissionMode());
    EXPECT_TRUE(normal->playing);
    EXPECT_NEAR(normal->offset, 42.1f, 0.01f);
    a.update(1.1f);
    EXPECT_TRUE(mission->destroyed);
    a.update(1.f);
    EXPECT_FLOAT_EQ(normal->volume, 10.f);
    EXPECT_EQ(a.tracks().size(), 1u);
}

TEST_F(AudioManagerTest, HundredOverlappingEffectsAreAllDroppedOnceFinished)
{
    AudioManager& a = make();
    for (int i = 0; i < 100; ++i)
        a.playSound("button_click.wav");
    EXPECT_EQ(a.soundCount(), 100u);
    ASSERT_EQ(books->voices.size(), 100u);
    EXPECT_FLOAT_EQ(books->voices.front()->volume, 25.f);

    a.setEffectsVolume(40);
    EXPECT_FLOAT_EQ(books->voices.back()->volume, 40.f);
    for (int i = 0; i < 60; ++i)
        books->voices[static_cast<std::size_t>(i)]->playing = false;
    a.update(0.033f);
    EXPECT_EQ(a.soundCount(), 40u);
    for (auto& voice : books->voices)
        voice->playing = false;
    a.update(0.033f);
    EXPECT_EQ(a.soundCount(), 0u);
}

TEST_F(AudioManagerTest, AnUnknownEffectPlaysNothingAndNamesTheFileInTheLog)
{
    AudioManager& a = make();
    EXPECT_EQ(a.playSound("nope.wav"), sf::Time::Zero);
    EXPECT_EQ(a.soundCount(), 0u);
    EXPECT_TRUE(books->voices.empty());
    EXPECT_NE(logText().find("Warning: AudioManager::playSound, no sound effect sounds/effects/nope.wav"),
              std::string::npos);
}

TEST_F(AudioManagerTest, AMusicFileThatCannotBeOpenedIsDroppedInsteadOfRetriedEveryFrame)
{
    books->unopenable = {"a.ogg", "b.ogg"};
    AudioManager& a = make();
    for (int i = 0; i < 10; ++i)
        a.update(0.033f);
    EXPECT_TRUE(a.tracks().empty());
    EXPECT_TRUE(a.musicList().empty());
    // The thruster, jump and ambience streams plus one attempt per broken file.
    EXPECT_EQ(books->tracks.size(), 3u + 2u);
}

TEST_F(AudioManagerTest, ThrustersSettleToALowHumAndFallSilentWhenStopped)
{
    AudioManager& a = make();
    a.startThrusters();
    EXPECT_FLOAT_EQ(a.thrusters().getVolume(), 6.25f);
    EXPECT_TRUE(a.thrusters().isPlaying());
    float before = a.thrusters().getVolume();
    a.update(10.f);
    EXPECT_LT(a.thrusters().getVolume(), before);
    EXPECT_GT(a.thrusters().getVolume(), 1.5f);
    a.update(51.f);
    EXPECT_FLOAT_EQ(a.thrusters().getVolume(), 1.5f);

    a.stopThrusters();
    EXPECT_TRUE(a.thrustersStopped());
    a.update(0.5f);
    EXPECT_TRUE(a.thrusters().isPlaying());
    a.update(0.6f);
    EXPECT_FLOAT_EQ(a.thrusters().getVolume(), 0.f);
    EXPECT_FALSE(a.thrusters().isPlaying());
}

TEST_F(AudioManagerTest, AmbienceLoopsAtHalfTheEffectsVolumeWithoutRestartingWhilePlaying)
{
    AudioManager& a = make();
    a.startAmbience();
    a.startAmbience();
    auto ambience = books->last("space_1.wav");
    EXPECT_TRUE(ambience->looping);
    EXPECT_FLOAT_EQ(ambience->volume, 12.5f);
    EXPECT_EQ(ambience->plays, 1);
}

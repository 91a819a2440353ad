#include "audio/AudioManager.hpp"
#include "audio/SilentAudioBackend.hpp"
#include "audio/SilentEffect.hpp"
#include "audio/SilentTrack.hpp"
#include "support/LogCapture.hpp"
#include "support/ManualTimeSource.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

// A silent sound file of `seconds`, made without any sound device.
void writeSound(const std::string& path, float seconds)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const unsigned rate = 8000;
    std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * static_cast<float>(rate)), 0);
    sf::OutputSoundFile file;
    ASSERT_TRUE(file.openFromFile(path, rate, 1));
    file.write(samples.data(), samples.size());
}

class SilentAudio : public ::testing::Test {
protected:
    void SetUp() override { assets = log.home().root() + "/assets/"; }

    LogCapture log;
    ManualTimeSource time;
    std::string assets;
};

} // namespace

// Without a device a track still plays, pauses, ends and loops on time, like a stream of the
// file's length would.
TEST_F(SilentAudio, ATrackKeepsTheTimeOfItsFile)
{
    writeSound(assets + "song.ogg", 2.f);
    SilentTrack track(assets + "song.ogg", time);
    ASSERT_TRUE(track.isOpen());
    EXPECT_NEAR(track.durationSeconds(), 2.f, 0.01f);
    EXPECT_FALSE(track.isPlaying());

    track.play();
    time.advance(sf::seconds(0.5f));
    EXPECT_TRUE(track.isPlaying());
    EXPECT_NEAR(track.offsetSeconds(), 0.5f, 0.001f);
    track.pause();
    time.advance(sf::seconds(1.f));
    EXPECT_FALSE(track.isPlaying());
    EXPECT_NEAR(track.offsetSeconds(), 0.5f, 0.001f);
    track.play();
    time.advance(sf::seconds(1.f));
    EXPECT_NEAR(track.offsetSeconds(), 1.5f, 0.001f);
    time.advance(sf::seconds(1.f));
    EXPECT_FALSE(track.isPlaying()) << "past its end";
    EXPECT_EQ(track.offsetSeconds(), 0.f);

    track.setLooping(true);
    track.play();
    time.advance(sf::seconds(4.5f));
    EXPECT_TRUE(track.isPlaying());
    EXPECT_NEAR(track.offsetSeconds(), 0.5f, 0.001f);
    track.setOffsetSeconds(1.25f);
    EXPECT_NEAR(track.offsetSeconds(), 1.25f, 0.001f);
    track.stop();
    EXPECT_FALSE(track.isPlaying());

    SilentTrack missing(assets + "missing.ogg", time);
    missing.play();
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.isPlaying());
}

TEST_F(SilentAudio, EffectsLastAsLongAsTheirFiles)
{
    writeSound(assets + "click.wav", 0.25f);
    auto effect = SilentEffect::load(assets + "click.wav", time);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->duration(), sf::seconds(0.25f));
    auto voice = effect->play(25.f);
    EXPECT_TRUE(voice->isPlaying());
    time.advance(sf::seconds(0.3f));
    EXPECT_FALSE(voice->isPlaying());
    EXPECT_EQ(SilentEffect::load(assets + "missing.wav", time), nullptr);
}

// The playlist's decisions run as with sound: a track plays, and near its end the next one
// fades in while it fades out.
TEST_F(SilentAudio, ThePlaylistGoesOnWithoutASoundDevice)
{
    writeSound(assets + "sounds/music/a.ogg", 8.f);
    writeSound(assets + "sounds/music/b.ogg", 8.f);
    writeSound(assets + "sounds/effects/button_click.wav", 0.1f);
    AudioManager audio(std::make_unique<SilentAudioBackend>(time), assets);
    EXPECT_EQ(audio.playSound("button_click.wav"), sf::seconds(0.1f));
    EXPECT_EQ(audio.soundCount(), 1u);

    audio.update(0.f);
    ASSERT_EQ(audio.tracks().size(), 1u);
    const MusicTrack* first = audio.tracks().front().get();
    EXPECT_TRUE(first->isPlaying());
    for (int step = 0; step < 40; ++step) { // 4 s: past the 5 s before the end of 8
        time.advance(sf::seconds(0.1f));
        audio.update(0.1f);
    }
    EXPECT_EQ(audio.soundCount(), 0u) << "the click has ended";
    ASSERT_EQ(audio.tracks().size(), 2u) << "the next track cross-fades in";
    EXPECT_TRUE(first->fadingOut);
    EXPECT_TRUE(audio.tracks().back()->fadingIn);
}

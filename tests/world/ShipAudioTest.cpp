#include "audio/AudioManager.hpp"
#include "support/FakeAudio.hpp"
#include "support/LogCapture.hpp"
#include "world/ShipAudio.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ShipAudio, ThrustersRestartWhenSpentOrStoppedAndStopOnlyOnce)
{
    LogCapture log;
    auto books = std::make_shared<FakeAudioBackend::Books>();
    AudioManager audio(std::make_unique<FakeAudioBackend>(books), log.home().root() + "/assets/");
    ShipAudio sounds(audio);
    const auto thrusters = books->last("thrusters.wav");
    const auto jump = books->last("thrusters_jump.wav");

    sounds.keepThrustersPlaying();
    sounds.keepThrustersPlaying();
    EXPECT_EQ(thrusters->plays, 1);
    thrusters->playing = false; // the sound ran out
    sounds.keepThrustersPlaying();
    EXPECT_EQ(thrusters->plays, 2);

    sounds.stopThrusters();
    EXPECT_TRUE(audio.thrustersStopped());
    audio.update(0.5f);
    const float fading = thrusters->volume;
    sounds.stopThrusters(); // a second stop does not start the fade again
    audio.update(0.5f);
    EXPECT_LT(thrusters->volume, fading);
    sounds.keepThrustersPlaying(); // flying again while it fades
    EXPECT_FALSE(audio.thrustersStopped());
    EXPECT_EQ(thrusters->plays, 3);

    sounds.playJumpSound();
    sounds.playJumpSound();
    EXPECT_EQ(jump->plays, 1);
    EXPECT_EQ(jump->volume, 25.f);
}

} // namespace

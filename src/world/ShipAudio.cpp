#include "world/ShipAudio.hpp"

#include "audio/AudioManager.hpp"

ShipAudio::ShipAudio(AudioManager& audio)
    : audio_(audio)
{
}

void ShipAudio::keepThrustersPlaying()
{
    if (!audio_.thrusters().isPlaying() || audio_.thrustersStopped())
        audio_.startThrusters();
}

void ShipAudio::stopThrusters()
{
    if (audio_.thrusters().isPlaying() && !audio_.thrustersStopped())
        audio_.stopThrusters();
}

void ShipAudio::playJumpSound()
{
    MusicTrack& jump = audio_.jump();
    if (jump.isPlaying())
        return;
    jump.setVolume(static_cast<float>(audio_.getEffectsVolume()));
    jump.play();
}

#include "audio/SoundDevice.hpp"

#include <AL/alc.h>

bool SoundDevice::opens()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device)
        return false;
    alcCloseDevice(device);
    return true;
}

#pragma once

// Whether a sound device opens, asked of OpenAL (the library SFML plays through) once, when
// the AudioManager is made. Without one the game plays on the silent back end.
class SoundDevice {
public:
    static bool opens();
};

#include "audio/AudioManager.hpp"

#include "audio/SfmlAudioBackend.hpp"
#include "audio/SilentAudioBackend.hpp"
#include "audio/SoundDevice.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"

#include <algorithm>
#include <ctime>

namespace {

constexpr float crossFadeSeconds = 5.f;

// The loops beside the effects that are streamed, never decoded whole: decoded as effects as
// well they would hold some 20 MB of samples (twice: SFML's copy and the sound device's).
const char* const thrustersFile = "thrusters.wav";
const char* const jumpFile = "thrusters_jump.wav";
const char* const ambienceFile = "space_1.wav";

float fadeProgress(const MusicTrack& track)
{
    return track.fadeDuration > 0.f ? track.fadeElapsed / track.fadeDuration : 1.f;
}

bool contains(const std::vector<std::string>& list, const std::string& name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

std::vector<std::string> listedOggs(const std::string& folder, const char* skipped)
{
    std::vector<std::string> paths;
    for (const std::string& name : listOggFiles(folder)) {
        if (skipped && name == skipped)
            continue;
        paths.push_back(folder + name);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

AudioManager& AudioManager::get()
{
    return ProcessWide<AudioManager>::get([] {
        std::unique_ptr<AudioBackend> backend;
        if (SoundDevice::opens()) {
            backend = std::make_unique<SfmlAudioBackend>();
        } else {
            QV_LOG << "No sound device could be opened: the game runs without sound" << std::endl;
            backend = std::make_unique<SilentAudioBackend>();
        }
        return std::make_unique<AudioManager>(std::move(backend), assetsPath());
    });
}

bool AudioManager::exists()
{
    return ProcessWide<AudioManager>::exists();
}

void AudioManager::destroy()
{
    ProcessWide<AudioManager>::destroy();
}

void AudioManager::install(std::unique_ptr<AudioManager> manager)
{
    ProcessWide<AudioManager>::install(std::move(manager));
}

AudioManager::AudioManager(std::unique_ptr<AudioBackend> backend, const std::string& assetsRoot)
    : backend_(std::move(backend))
    , random_(static_cast<std::uint32_t>(std::time(nullptr)))
{
    std::string effects = assetsRoot + "sounds/effects/";
    for (const std::string& name : listWavFiles(effects)) {
        if (name == thrustersFile || name == jumpFile || name == ambienceFile)
            continue;
        std::unique_ptr<SoundEffect> effect = backend_->loadEffect(effects + name);
        if (!effect)
            QV_LOG << "Warning: AudioManager::AudioManager, could not load the sound effect " << effects + name
                   << std::endl;
        effects_[name] = std::move(effect); // an effect that did not load stays silent
    }
    musicList_ = listedOggs(assetsRoot + "sounds/music/", "MainMenu.ogg");
    missionMusicList_ = listedOggs(assetsRoot + "sounds/missionMusic/", nullptr);

    thrusters_ = backend_->openMusic(effects + thrustersFile);
    jump_ = backend_->openMusic(effects + jumpFile);
    ambience_ = backend_->openMusic(effects + ambienceFile);
}

AudioManager::~AudioManager()
{
    for (auto& track : tracks_)
        track->stop();
    thrusters_->stop();
    jump_->stop();
    ambience_->stop();
}

sf::Time AudioManager::playSound(const std::string& fileName)
{
    auto found = effects_.find(fileName);
    if (found == effects_.end()) {
        QV_LOG << "Warning: AudioManager::playSound, no sound effect sounds/effects/" << fileName << std::endl;
        return sf::Time::Zero;
    }
    if (!found->second)
        return sf::Time::Zero;
    sounds_.push_back(found->second->play(static_cast<float>(effectsVolume_)));
    ++activeCount_;
    return found->second->duration();
}

void AudioManager::playMusic(bool fadeIn, const std::string& path, float fadeSeconds, float startOffset)
{
    std::unique_ptr<MusicTrack> track = backend_->openMusic(path);
    if (!track->isOpen()) {
        forgetUnopenable(*track);
        return;
    }
    track->name = path;
    if (fadeIn) {
        track->setVolume(0.f);
        track->fadingIn = true;
        track->fadeElapsed = 0.f;
        track->fadeDuration = fadeSeconds;
    } else {
        track->setVolume(static_cast<float>(musicVolume_));
    }
    track->play();
    if (startOffset > 0.f) {
        track->setOffsetSeconds(startOffset);
        track->playTime = startOffset;
    }
    tracks_.push_back(std::move(track));
    ++activeCount_;
}

void AudioManager::forgetUnopenable(const MusicTrack& track)
{
    // Dropped from the playlists so that a broken file is not retried (and reported) on every frame.
    QV_LOG << "Warning: AudioManager::playMusic, could not open the music " << track.name << std::endl;
    for (auto* list : {&musicList_, &missionMusicList_})
        list->erase(std::remove(list->begin(), list->end(), track.name), list->end());
}

void AudioManager::stopMusic()
{
    missionMode_ = false;
    for (auto& track : tracks_)
        track->stop();
    activeCount_ -= static_cast<int>(tracks_.size());
    tracks_.clear();
}

void AudioManager::startFadeOut(MusicTrack& track, float seconds)
{
    track.fadingOut = true;
    track.fadingIn = false;
    track.fadeElapsed = 0.f;
    track.fadeDuration = seconds;
    track.fadeStartVolume = track.getVolume();
}

void AudioManager::fadeOutMusic(float seconds)
{
    missionMode_ = false;
    for (auto& track : tracks_)
        startFadeOut(*track, seconds);
}

void AudioManager::startMissionMusic()
{
    missionMode_ = true;
    for (auto& track : tracks_)
        startFadeOut(*track, 2.f);
    if (!missionMusicList_.empty())
        playMusic(true, missionMusicList_[random_() % missionMusicList_.size()], 2.f, 0.f);
}

void AudioManager::endMissionMusic()
{
    missionMode_ = false;
    for (auto& track : tracks_) {
        if (contains(missionMusicList_, track->name)) {
            startFadeOut(*track, 1.f);
            track->removeWhenStopped = true;
        } else if (contains(musicList_, track->name)) {
            track->fadingOut = false;
            track->fadingIn = true;
            track->fadeElapsed = 0.f;
            track->fadeDuration = 2.f;
            track->setVolume(0.f);
            track->play();
            track->setOffsetSeconds(track->playTime);
        }
    }
}

void AudioManager::setMusicVolume(unsigned volume)
{
    musicVolume_ = std::min(volume, 100u);
    for (auto& track : tracks_)
        track->setVolume(static_cast<float>(musicVolume_));
}

void AudioManager::setEffectsVolume(unsigned volume)
{
    effectsVolume_ = std::min(volume, 100u);
    for (auto& sound : sounds_)
        sound->setVolume(static_cast<float>(effectsVolume_));
}

void AudioManager::startThrusters()
{
    thrustersStopped_ = false;
    thrusters_->stop();
    jump_->stop();
    thrusters_->setVolume(static_cast<float>(effectsVolume_) * 0.25f);
    // Settles towards a low hum over a minute.
    thrusters_->fadingOut = true;
    thrusters_->fadeElapsed = 0.f;
    thrusters_->fadeDuration = 60.f;
    thrusters_->fadeFactor = 0.06f;
    thrusters_->play();
}

void AudioManager::stopThrusters()
{
    thrustersStopped_ = true;
    thrusters_->fadingOut = true;
    thrusters_->fadeElapsed = 0.f;
    thrusters_->fadeDuration = 1.f;
    thrusters_->fadeFactor = 0.f;
    jump_->stop();
}

void AudioManager::startAmbience()
{
    ambience_->setLooping(true);
    ambience_->setVolume(static_cast<float>(effectsVolume_) * 0.5f);
    if (!ambience_->isPlaying()) // playing it again would restart it from the beginning
        ambience_->play();
}

void AudioManager::playNextTrack()
{
    const std::vector<std::string>& list = missionMode_ ? missionMusicList_ : musicList_;
    if (list.empty())
        return;
    std::string next = list[random_() % list.size()];
    playMusic(true, next, crossFadeSeconds, 0.f);
}

void AudioManager::update(float dt)
{
    int playing = 0;
    int playingNotFadingOut = 0;
    for (auto& track : tracks_) {
        if (track->isPlaying()) {
            ++playing;
            track->playTime += dt;
            if (!track->fadingOut)
                ++playingNotFadingOut;
        }
    }
    if (playingNotFadingOut > 1)
        stopMusic(); // two tracks at full voice: start over with a single one

    // Only the tracks present now: one started below is looked at from the next update on,
    // so a run of very short tracks cannot start each other without end.
    std::size_t present = tracks_.size();
    auto it = tracks_.begin();
    for (std::size_t i = 0; i < present; ++i, ++it) {
        MusicTrack& track = **it;
        float music = static_cast<float>(musicVolume_);
        if (track.fadingOut) {
            track.fadeElapsed += dt;
            float volume = std::clamp(track.fadeStartVolume * (1.f - fadeProgress(track)), 0.f, music);
            track.setVolume(volume);
            if (volume <= 0.f) {
                track.setVolume(0.f);
                track.clearFade();
                track.pause();
            }
        } else if (track.fadingIn) {
            track.fadeElapsed += dt;
            float volume = music * fadeProgress(track);
            if (volume >= music) {
                track.setVolume(music);
                track.fadingIn = false;
                track.fadeElapsed = 0.f;
                track.fadeDuration = 0.f;
                track.fadeFactor = 1.f;
            } else {
                track.setVolume(volume);
            }
        }
        // Near the end of the only playing track the next one cross-fades in.
        bool nearEnd = track.durationSeconds() - track.offsetSeconds() <= crossFadeSeconds;
        if (track.isPlaying() && nearEnd && !track.fadingOut && playing == 1) {
            startFadeOut(track, crossFadeSeconds);
            track.removeWhenStopped = true;
            playNextTrack();
        }
    }

    sounds_.remove_if([](const std::unique_ptr<SoundVoice>& sound) { return !sound->isPlaying(); });
    tracks_.remove_if([](const std::unique_ptr<MusicTrack>& track) {
        if (track->isPlaying() || !track->removeWhenStopped)
            return false;
        track->stop();
        return true;
    });
    if (playing == 0)
        playNextTrack();

    MusicTrack& engine = *thrusters_;
    if (engine.fadingOut) {
        engine.fadeElapsed += dt;
        float target = static_cast<float>(effectsVolume_) * engine.fadeFactor;
        float volume = engine.getVolume();
        float eased = volume + (target - volume) * fadeProgress(engine);
        float settled = target > eased ? target : std::min(eased, volume);
        engine.setVolume(settled);
        if (settled <= 0.f) {
            engine.clearFade();
            engine.stop();
        }
    }
    activeCount_ = static_cast<int>(tracks_.size() + sounds_.size());
}

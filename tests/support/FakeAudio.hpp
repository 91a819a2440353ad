#pragma once

#include "audio/AudioBackend.hpp"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A sound system that only keeps books: tracks and effect instances that report whatever the
// test sets, so the AudioManager's decisions can be stepped without a sound card.
struct FakeTrackState {
    std::string path;
    bool playing = false;
    bool paused = false;
    bool looping = false;
    bool destroyed = false;
    float volume = 100.f;
    float duration = 180.f;
    float offset = 0.f;
    int plays = 0;
};

class FakeTrack : public MusicTrack {
public:
    FakeTrack(std::shared_ptr<FakeTrackState> state, bool open)
        : state_(std::move(state))
        , open_(open)
    {
        name = state_->path;
    }
    ~FakeTrack() override { state_->destroyed = true; }

    bool isOpen() const override { return open_; }
    void play() override
    {
        if (!open_)
            return;
        state_->playing = true;
        state_->paused = false;
        ++state_->plays;
    }
    void pause() override
    {
        state_->paused = state_->playing;
        state_->playing = false;
    }
    void stop() override
    {
        state_->playing = false;
        state_->paused = false;
        state_->offset = 0.f;
    }
    bool isPlaying() const override { return state_->playing; }
    float getVolume() const override { return state_->volume; }
    void setVolume(float volume) override { state_->volume = volume; }
    void setLooping(bool loop) override { state_->looping = loop; }
    float durationSeconds() const override { return state_->duration; }
    float offsetSeconds() const override { return state_->offset; }
    void setOffsetSeconds(float seconds) override { state_->offset = seconds; }

private:
    std::shared_ptr<FakeTrackState> state_;
    bool open_;
};

struct FakeVoiceState {
    bool playing = true;
    float volume = 0.f;
};

class FakeVoice : public SoundVoice {
public:
    explicit FakeVoice(std::shared_ptr<FakeVoiceState> state)
        : state_(std::move(state))
    {
    }
    bool isPlaying() const override { return state_->playing; }
    void setVolume(float volume) override { state_->volume = volume; }

private:
    std::shared_ptr<FakeVoiceState> state_;
};

class FakeAudioBackend : public AudioBackend {
public:
    // Shared with the test, which keeps a pointer while the manager owns the backend.
    struct Books {
        std::vector<std::shared_ptr<FakeTrackState>> tracks; // every track ever opened, in order
        std::vector<std::shared_ptr<FakeVoiceState>> voices;
        std::map<std::string, float> durations; // by file name; others last 180 s
        std::set<std::string> unopenable;        // file names that fail to open
        std::vector<std::string> effectsLoaded;

        // The most recent track opened on a path ending in `fileName`.
        std::shared_ptr<FakeTrackState> last(const std::string& fileName) const
        {
            for (auto it = tracks.rbegin(); it != tracks.rend(); ++it)
                if (endsWith((*it)->path, fileName))
                    return *it;
            return nullptr;
        }
        static bool endsWith(const std::string& text, const std::string& end)
        {
            return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
        }
    };

    explicit FakeAudioBackend(std::shared_ptr<Books> books)
        : books_(std::move(books))
    {
    }

    std::unique_ptr<MusicTrack> openMusic(const std::string& path) override
    {
        auto state = std::make_shared<FakeTrackState>();
        state->path = path;
        std::string file = path.substr(path.rfind('/') + 1);
        if (auto d = books_->durations.find(file); d != books_->durations.end())
            state->duration = d->second;
        bool open = books_->unopenable.count(file) == 0;
        books_->tracks.push_back(state);
        return std::make_unique<FakeTrack>(state, open);
    }
    std::unique_ptr<SoundEffect> loadEffect(const std::string& path) override
    {
        books_->effectsLoaded.push_back(path);
        return std::make_unique<Effect>(books_);
    }

private:
    // Every instance it starts is entered in the books.
    class Effect : public SoundEffect {
    public:
        explicit Effect(std::shared_ptr<Books> books)
            : books_(std::move(books))
        {
        }
        sf::Time duration() const override { return sf::seconds(1.f); }
        std::unique_ptr<SoundVoice> play(float volume) const override
        {
            auto state = std::make_shared<FakeVoiceState>();
            state->volume = volume;
            books_->voices.push_back(state);
            return std::make_unique<FakeVoice>(state);
        }

    private:
        std::shared_ptr<Books> books_;
    };

    std::shared_ptr<Books> books_;
};

// Composes every sound and music track of the game into the assets folder.
//
// Usage: qv_assetgen_audio <assets-src> <assets>
// The output depends only on this program: the same build writes the same bytes every time.
// Tracks are rendered on two threads. The Ogg writer picks its stream serial number from
// std::rand() when a file is opened, so every file is opened here, on the main thread, in a
// fixed order before any rendering starts; the program never seeds std::rand.
#include "audio/Composer.hpp"
#include "audio/SongBook.hpp"
#include "audio/SoundEffects.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Job {
    std::string path;
    std::function<StereoBuffer()> make;
    double weight; // rough cost, so the longest jobs start first
    std::unique_ptr<sf::OutputSoundFile> file;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <assets-src> <assets>\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path out = argv[2];
    auto started = std::chrono::steady_clock::now();

    std::vector<Job> jobs;
    for (const SongPlan& plan : SongBook::all()) {
        double length = Composer(plan).lengthSeconds();
        jobs.push_back({plan.path, [plan] { return Composer(plan).render(); }, length, nullptr});
    }
    for (const SoundEffects::Effect& e : SoundEffects::all())
        jobs.push_back({e.path, e.make, 1.0, nullptr});

    // Sounds left over from an earlier build (a renamed track) would still be found by the
    // game's folder listings, so every sound file this program does not make is removed.
    std::error_code ec;
    std::vector<fs::path> stale;
    for (const auto& entry : fs::recursive_directory_iterator(out / "sounds", ec)) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".ogg" && ext != ".wav"))
            continue;
        fs::path relative = fs::relative(entry.path(), out);
        if (std::none_of(jobs.begin(), jobs.end(), [&](const Job& j) { return fs::path(j.path) == relative; }))
            stale.push_back(relative);
    }
    for (const fs::path& relative : stale) {
        std::printf("audio: removing stale %s\n", relative.string().c_str());
        fs::remove(out / relative, ec);
    }

    for (Job& job : jobs) {
        fs::path target = out / job.path;
        fs::create_directories(target.parent_path(), ec);
        job.file = std::make_unique<sf::OutputSoundFile>();
        if (!job.file->openFromFile(target.string(), 44100, 2)) {
            std::fprintf(stderr, "Error: qv_assetgen_audio, cannot write %s\n", target.string().c_str());
            return 1;
        }
    }

    std::vector<size_t> order(jobs.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return jobs[a].weight > jobs[b].weight; });

    std::atomic<size_t> next{0};
    std::mutex printing;
    auto worker = [&] {
        for (size_t k = next++; k < order.size(); k = next++) {
            Job& job = jobs[order[k]];
            auto t0 = std::chrono::steady_clock::now();
            StereoBuffer sound = job.make();
            double rendered = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::vector<int16_t> samples = sound.toInt16();
            job.file->write(samples.data(), samples.size());
            job.file.reset(); // flushes and closes the file
            double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            std::lock_guard<std::mutex> lock(printing);
            std::printf("audio: %-42s %6.1f s of sound, peak %.2f, rms %.3f, %.1f s (%.1f s encoding)\n", job.path.c_str(),
                        static_cast<double>(sound.frames()) / 44100.0, static_cast<double>(sound.peak()),
                        static_cast<double>(sound.rms()), took, took - rendered);
            std::fflush(stdout);
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();

    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("audio: %zu files in %.1f s\n", jobs.size(), total);
    return 0;
}

#pragma once

#include <functional>
#include <mutex>
#include <vector>

// Work handed from any thread to the one thread that owns some objects (windows, sounds,
// achievements): post() from anywhere, runAll() on the owning thread, which carries the work
// out in the order it was posted, outside the lock (work may post more, for the next round).
class PostedWork {
public:
    void post(std::function<void()> work);
    void runAll();

private:
    std::mutex mutex_;
    std::vector<std::function<void()>> pending_;
};

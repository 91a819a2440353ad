#include "core/PostedWork.hpp"

#include <utility>

void PostedWork::post(std::function<void()> work)
{
    std::lock_guard<std::mutex> guard(mutex_);
    pending_.push_back(std::move(work));
}

void PostedWork::runAll()
{
    std::vector<std::function<void()>> due;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        due.swap(pending_);
    }
    for (auto& work : due)
        work();
}

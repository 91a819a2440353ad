#pragma once

#include <memory>
#include <utility>

// The holder behind each process-wide service (options, audio, states, texts, ...): one
// instance created on first use, destroyed in a chosen order at shutdown, and replaceable
// by tests. Main thread only, like the services it holds.
template <class T>
class ProcessWide {
public:
    // The instance, made with `make()` (returning std::unique_ptr<T>) if there is none.
    template <class Make>
    static T& get(Make make)
    {
        auto& instance = slot();
        if (!instance)
            instance = make();
        return *instance;
    }
    static T& get()
    {
        return get([] { return std::make_unique<T>(); });
    }
    static bool exists() { return slot() != nullptr; }
    // Releases the instance if there is one; never creates it.
    static void destroy() { slot().reset(); }
    static void install(std::unique_ptr<T> instance) { slot() = std::move(instance); }

private:
    static std::unique_ptr<T>& slot()
    {
        static std::unique_ptr<T> instance;
        return instance;
    }
};

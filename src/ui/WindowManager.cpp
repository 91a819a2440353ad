#include "ui/WindowManager.hpp"

#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "ui/BasicMessageWindowScreen.hpp"
#include "ui/ErrorMessageWindowScreen.hpp"

#include <atomic>

namespace {

// Set while the program loads (on the thread that runs main), and again by recordMainThread.
std::atomic<std::thread::id> mainThread{std::this_thread::get_id()};

// Requests from other threads, waiting for the main thread. The lock is held only to add
// or take them, never while a window is made.
std::mutex& handedOverMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<std::function<void()>>& handedOver()
{
    static std::vector<std::function<void()>> requests;
    return requests;
}

} // namespace

bool WindowManager::onMainThread()
{
    return std::this_thread::get_id() == mainThread.load();
}

void WindowManager::recordMainThread()
{
    mainThread = std::this_thread::get_id();
}

WindowManager& WindowManager::get()
{
    if (!onMainThread()) {
        static WindowManager standIn;
        return standIn;
    }
    return ProcessWide<WindowManager>::get();
}

bool WindowManager::exists()
{
    return ProcessWide<WindowManager>::exists();
}

void WindowManager::destroy()
{
    ProcessWide<WindowManager>::destroy();
    std::lock_guard<std::mutex> guard(handedOverMutex());
    handedOver().clear();
}

void WindowManager::request(std::function<void()> change)
{
    if (!onMainThread()) {
        // Applied by the main thread's holder, whichever exists then.
        std::lock_guard<std::mutex> guard(handedOverMutex());
        handedOver().push_back(std::move(change));
        return;
    }
    if (dispatching_ > 0) {
        deferred_.push_back(std::move(change));
        return;
    }
    change();
}

void WindowManager::applyRequests()
{
    std::vector<std::function<void()>> pending;
    {
        std::lock_guard<std::mutex> guard(handedOverMutex());
        pending.swap(handedOver());
    }
    for (auto& change : pending)
        change();
}

void WindowManager::replace(std::unique_ptr<WindowScreen> window)
{
    current_.reset(); // the old window's labels go before the new one makes its own
    current_ = std::move(window);
}

void WindowManager::showMessage(const std::string& text, bool closable)
{
    request([text, closable] {
        auto window = std::make_unique<BasicMessageWindowScreen>(text);
        window->runOneStep = true;
        window->closable = closable;
        WindowManager::get().replace(std::move(window));
    });
}

void WindowManager::showError(const std::string& text)
{
    request([text] {
        // Said in the log too, so a soak or a bug report shows that the player saw it.
        QV_LOG << "Error window shown: \"" << text << "\"" << std::endl;
        auto window = std::make_unique<ErrorMessageWindowScreen>(text);
        window->runOneStep = true;
        WindowManager::get().replace(std::move(window));
    });
}

void WindowManager::open(std::unique_ptr<WindowScreen> window)
{
    // std::function needs a copyable callable: the window travels in a shared holder.
    auto holder = std::make_shared<std::unique_ptr<WindowScreen>>(std::move(window));
    request([holder] { WindowManager::get().replace(std::move(*holder)); });
}

void WindowManager::close()
{
    request([] { WindowManager::get().replace(nullptr); });
}

bool WindowManager::fixedStep()
{
    applyRequests();
    if (current_ && current_->closed)
        close();
    if (!current_)
        return true;
    inWindow([this] { current_->update(); });
    if (!current_)
        return true;
    if (!current_->runOneStep)
        return false;
    current_->runOneStep = false;
    return true;
}

void WindowManager::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    if (!current_)
        return;
    inWindow([&] { current_->handleEvent(event, window, view); });
}

void WindowManager::inWindow(const std::function<void()>& work)
{
    {
        struct Dispatch {
            int& depth;
            explicit Dispatch(int& d) : depth(d) { ++depth; }
            ~Dispatch() { --depth; }
        } dispatch(dispatching_);
        work();
    }
    if (dispatching_ > 0)
        return;
    std::vector<std::function<void()>> changes;
    changes.swap(deferred_);
    for (auto& change : changes)
        change();
}

void WindowManager::draw(sf::RenderTarget& target)
{
    if (current_)
        current_->draw(target);
}

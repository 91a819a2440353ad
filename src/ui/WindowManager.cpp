#include "ui/WindowManager.hpp"

#include "ui/BasicMessageWindowScreen.hpp"
#include "ui/ErrorMessageWindowScreen.hpp"

namespace {

std::unique_ptr<WindowManager>& instance()
{
    static std::unique_ptr<WindowManager> manager;
    return manager;
}

std::mutex& instanceMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

WindowManager& WindowManager::get()
{
    std::lock_guard<std::mutex> guard(instanceMutex());
    auto& manager = instance();
    if (!manager)
        manager = std::make_unique<WindowManager>();
    return *manager;
}

void WindowManager::destroy()
{
    std::unique_ptr<WindowManager> released;
    {
        std::lock_guard<std::mutex> guard(instanceMutex());
        released = std::move(instance());
    }
}

WindowManager::WindowManager()
    : mainThread_(std::this_thread::get_id())
{
}

void WindowManager::post(std::function<void()> request)
{
    requests_.post(std::move(request));
}

void WindowManager::applyRequests()
{
    requests_.runAll();
}

void WindowManager::showMessage(const std::string& text, bool closable)
{
    if (!onMainThread()) {
        post([this, text, closable] { showMessage(text, closable); });
        return;
    }
    current_.reset();
    current_ = std::make_unique<BasicMessageWindowScreen>(text);
    current_->runOneStep = true;
    current_->closable = closable;
}

void WindowManager::showError(const std::string& text)
{
    if (!onMainThread()) {
        post([this, text] { showError(text); });
        return;
    }
    current_.reset();
    current_ = std::make_unique<ErrorMessageWindowScreen>(text);
    current_->runOneStep = true;
}

void WindowManager::open(std::unique_ptr<WindowScreen> window)
{
    if (!onMainThread()) {
        // std::function needs a copyable callable: hand the window over through a shared holder.
        auto holder = std::make_shared<std::unique_ptr<WindowScreen>>(std::move(window));
        post([this, holder] { open(std::move(*holder)); });
        return;
    }
    current_.reset();
    current_ = std::move(window);
}

void WindowManager::close()
{
    if (!onMainThread()) {
        post([this] { close(); });
        return;
    }
    current_.reset();
}

bool WindowManager::fixedStep()
{
    applyRequests();
    if (current_ && current_->closed)
        close();
    if (!current_)
        return true;
    if (!current_->runOneStep)
        return false;
    current_->runOneStep = false;
    return true;
}

void WindowManager::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    if (current_)
        current_->handleEvent(event, window, view);
}

void WindowManager::draw(sf::RenderTarget& target)
{
    if (current_)
        current_->draw(target);
}

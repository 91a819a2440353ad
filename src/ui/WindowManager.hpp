#pragma once

#include "core/PostedWork.hpp"
#include "ui/WindowScreen.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Holder of the one open modal window. Opening a window replaces (destroys) the open one at
// once. The game loop drives it from the main thread: fixedStep() at each fixed step,
// handleEvent() for every event while a window is open, draw() after the current screen.
//
// The main thread is the thread that created the instance. Requests from any other thread
// (a mission script's error) are handed over and applied at the start of the next fixed
// step, so a window is never destroyed while it is drawn or handles an event.
class WindowManager {
public:
    static WindowManager& get();
    // Releases the instance and any open window (shutdown, tests).
    static void destroy();

    WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // A message with a close button (none when not closable); the game runs one more step.
    void showMessage(const std::string& text, bool closable);
    // An error with an "Open log" button; closing it returns to the title menu.
    void showError(const std::string& text);
    // Takes ownership of any other window (ship systems, sector summary, character picker).
    void open(std::unique_ptr<WindowScreen> window);
    void close();

    WindowScreen* current() const { return current_.get(); }
    bool isOpen() const { return current_ != nullptr; }

    // One fixed step of the game loop, before the current state's update (not while paused):
    // applies handed-over requests, destroys a window whose close button was pressed, and
    // answers whether the state underneath may update in this step.
    bool fixedStep();
    // Applies handed-over requests only (also done by fixedStep).
    void applyRequests();
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view);
    void draw(sf::RenderTarget& target);

private:
    bool onMainThread() const { return std::this_thread::get_id() == mainThread_; }
    void post(std::function<void()> request);

    std::unique_ptr<WindowScreen> current_;
    std::thread::id mainThread_;
    PostedWork requests_;
};

#pragma once

#include "ui/WindowScreen.hpp"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Holder of the one open modal window. The game loop drives it from the main thread:
// fixedStep() at each fixed step, handleEvent() for every event while a window is open,
// draw() after the current screen.
//
// Opening a window replaces (destroys) the open one, at once, except while the open window
// is handling an event: a button of that window may well open another ("Saved"), and the
// window must outlive its own handler, so such replacements wait until it returns.
//
// The main thread is recorded at start-up (recordMainThread). Only the main thread creates,
// draws, feeds or destroys windows, and only it makes the holder: any other thread (a
// mission script's error) gets a stand-in from get() whose requests are handed over and
// applied at the main thread's next fixed step, also when the holder does not exist yet.
class WindowManager {
public:
    // The holder (made on first use on the main thread), or, on any other thread, the
    // stand-in that only hands requests over.
    static WindowManager& get();
    // Whether the holder exists (main thread).
    static bool exists();
    // Releases the holder, any open window and any request not yet applied (shutdown, tests).
    static void destroy();
    // The thread that owns the windows: the one that calls this first thing in main().
    // Until then, the thread that loaded the program.
    static void recordMainThread();

    WindowManager() = default;
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
    // applies handed-over requests, destroys a window whose close button was pressed, lets
    // the open window update, and answers whether the state underneath may update in this step.
    bool fixedStep();
    // Applies handed-over requests only (also done by fixedStep).
    void applyRequests();
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view);
    void draw(sf::RenderTarget& target);

private:
    static bool onMainThread();
    // Runs `change` now on the main thread outside an event dispatch; otherwise later.
    void request(std::function<void()> change);
    void replace(std::unique_ptr<WindowScreen> window);
    // Runs `work` inside the open window (an event, its update); replacements it asks for
    // wait until it returns.
    void inWindow(const std::function<void()>& work);

    std::unique_ptr<WindowScreen> current_;
    // Depth of calls running in the open window, and what they asked for.
    int dispatching_ = 0;
    std::vector<std::function<void()>> deferred_;
};

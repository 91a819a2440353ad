#include "core/DisplayConnection.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

DisplayConnection::~DisplayConnection()
{
    close();
}

bool DisplayConnection::open(std::string& reason)
{
    close();
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        reason = "no display to open the game's window on: DISPLAY is not set (start the game from a desktop "
                 "session)";
        return false;
    }
    display_ = XOpenDisplay(nullptr);
    if (!display_) {
        reason = std::string("the display ") + name + " cannot be opened, so the game has no window to show";
        return false;
    }
    reason.clear();
    return true;
}

void DisplayConnection::close()
{
    if (display_)
        XCloseDisplay(display_);
    display_ = nullptr;
}

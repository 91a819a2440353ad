#pragma once

#include <string>

struct _XDisplay;

// A connection to the X display the game opens its windows on, made before the first
// window: without a display SFML prints its own complaint and aborts the program. The
// connection is held until the game's first window holds one of its own, because an X
// server that loses its last client resets itself, and a window asking for a connection
// during that reset is refused.
class DisplayConnection {
public:
    DisplayConnection() = default;
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    // False, with a sentence for the player in `reason`, when no display can be opened.
    bool open(std::string& reason);
    void close();

private:
    _XDisplay* display_ = nullptr;
};

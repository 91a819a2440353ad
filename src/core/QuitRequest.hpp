#pragma once

// SIGTERM (a logout, a system shutdown) and SIGINT (Ctrl+C in the terminal that started the
// game) end the game the way closing its window does: the signal only raises a flag, the
// main loop sees it at its next frame and asks for the quit state, and the shutdown runs in
// its usual order, ending with "Signing off..." and exit code 0.
class QuitRequest {
public:
    // Installed once at start-up, before anything slow, so a signal during loading is not
    // lost either: the first frame then quits.
    static void installSignalHandlers();
    // Whether a quit signal has arrived.
    static bool pending();
    // Forgets an arrived signal (tests).
    static void clear();
};

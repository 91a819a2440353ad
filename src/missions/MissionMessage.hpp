#pragma once

#include "ui/ColorMarkup.hpp"

#include <cstdint>
#include <string>
#include <vector>

// One line of mission text as the script queued it. Made on the script thread and never
// changed once queued; the main thread lays it out when it takes it (MissionTextPage), so
// no text object is ever created off the main thread.
struct MissionMessage {
    // 1, 2, 3, ... in queue order within one mission. Deaths and the end of a mission are
    // tied to these ids.
    std::int32_t id = 0;
    // The message's place among all messages and choice sets of the mission (the order they
    // are laid out in, one below the other).
    std::int64_t sequence = 0;
    // As queued, colour markup included.
    std::string text;
    // Without the markup (the log).
    std::string plainText;
    // The markup, read when the message was queued: a malformed colour is the script's error
    // and stops it there, before anything is queued.
    std::vector<MarkupPart> parts;
    bool isHeader = false;
};

#pragma once

#include "common/Generator.hpp"

// The families of interface pictures, each drawn by its own file.
namespace gen {

// Cursor, save indicator, window icon, crew card parts, ranks, origin marks, badge mementos.
void drawGeneralArt(Context& context);
// Every button sheet of every screen.
void drawButtonArt(Context& context);
// Panels, screen backgrounds, HUD parts, controls and title lettering.
void drawScreenArt(Context& context);
// The achievement pictures, unlocked and locked.
void drawAchievementArt(Context& context);
// The shipped characters' portraits and the pictures of the crew's own mementos.
void drawCrewArt(Context& context);
// The keepsakes the missions hand out, one picture for each memento file.
void drawKeepsakeArt(Context& context);

// Writes one review picture of every PNG under the assets folder, labelled, to `path`.
void writeContactSheet(const std::string& assetsDir, const std::string& path);

} // namespace gen

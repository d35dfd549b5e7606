#pragma once
// What the player chose for the window and the sound, remembered between runs in a small text
// file in the XDG config folder. The SDL window reads and writes it; --help names the file.
#include <string>

namespace platform {

struct Settings {
    int scale = 0;           // the windowed picture's whole-number scale; 0: the largest that fits
    bool fullscreen = false; // desktop fullscreen
    bool muted = false;
};

constexpr int kMaxScale = 16;

// Reads "key = value" lines ('#' starts a comment, blank lines are skipped): scale (0 to 16),
// fullscreen and mute (0 or 1). False with "line N: what" in error for anything else, leaving
// settings unchanged.
bool parseSettings(const std::string& text, Settings& settings, std::string& error);
std::string formatSettings(const Settings& settings);

// vorblet.ini in the player's config folder (userConfigFolder); empty when no home folder is
// known.
std::string settingsPath();
// The saved settings, or the defaults with one line on stderr when the file is unreadable or
// malformed; a missing file gives the defaults quietly.
Settings loadSettings();
// Writes the settings through a renamed new file, making the folder when needed; a failure
// gives one line on stderr and the game goes on.
void saveSettings(const Settings& settings);

// --fullscreen and --window: the start's own choice, which wins over the saved one for this run.
enum class FullscreenChoice { saved, fullscreen, window };
void chooseFullscreen(FullscreenChoice choice);
FullscreenChoice fullscreenChoice();

} // namespace platform

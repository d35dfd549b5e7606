#include "platform/system/settings.h"

#include "platform/system/file_lock.h"
#include "platform/system/file_replace.h"
#include "platform/system/quoted.h"
#include "platform/system/regular_file.h"
#include "platform/system/user_folders.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

FullscreenChoice startChoice = FullscreenChoice::saved;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A whole decimal number from low to high, nothing else.
bool parseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 4) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high) return false;
    value = number;
    return true;
}

bool readText(const std::string& path, std::string& text) {
    std::FILE* file = openRegularFile(path.c_str());
    // A settings file is a few lines; anything much longer is not ours.
    return file != nullptr && readToEnd(file, 65535, text);
}

} // namespace

bool parseSettings(const std::string& text, Settings& settings, std::string& error) {
    Settings parsed = settings;
    size_t start = 0;
    for (int line = 1; start <= text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string content = text.substr(start, end - start);
        start = end + 1;
        content = trimmed(content.substr(0, content.find('#')));
        if (content.empty()) continue;
        const size_t equals = content.find('=');
        const std::string where = "line " + std::to_string(line) + ": ";
        if (equals == std::string::npos) {
            error = where + "no '=' in " + quotedForMessage(content);
            return false;
        }
        const std::string key = trimmed(content.substr(0, equals));
        const std::string value = trimmed(content.substr(equals + 1));
        int number = 0;
        if (key == "scale" && parseNumber(value, 0, kMaxScale, number)) {
            parsed.scale = number;
        } else if ((key == "fullscreen" || key == "mute") && parseNumber(value, 0, 1, number)) {
            (key == "fullscreen" ? parsed.fullscreen : parsed.muted) = number == 1;
        } else if (key == "scale" || key == "fullscreen" || key == "mute") {
            error = where + quotedForMessage(value) + " is not a value for " + key;
            return false;
        } else {
            error = where + "unknown setting " + quotedForMessage(key);
            return false;
        }
    }
    settings = parsed;
    return true;
}

std::string formatSettings(const Settings& settings) {
    return "# Vorblet's window and sound, as the player left them.\n"
           "scale = " +
           std::to_string(settings.scale) + "\nfullscreen = " + (settings.fullscreen ? "1" : "0") +
           "\nmute = " + (settings.muted ? "1" : "0") + "\n";
}

std::string settingsPath() {
    const std::string folder = userConfigFolder();
    return folder.empty() ? folder : folder + "/vorblet.ini";
}

Settings loadSettings() {
    Settings settings;
    const std::string path = settingsPath();
    if (path.empty()) return settings;
    std::string text, error;
    if (!readText(path, text)) {
        if (errno != ENOENT)
            std::fprintf(stderr, "vorblet: cannot read %s (%s); using the default settings\n",
                         path.c_str(), std::strerror(errno));
        return settings;
    }
    if (!parseSettings(text, settings, error))
        std::fprintf(stderr, "vorblet: %s: %s; using the default settings\n", path.c_str(),
                     error.c_str());
    return settings;
}

void saveSettings(const Settings& settings) {
    const std::string path = settingsPath();
    if (path.empty()) return;
    // A failure here shows as the replace's own.
    makeFolderFor(path);
    const std::string text = formatSettings(settings);
    // Two copies closing at once then write one after the other.
    FileLock lock = lockFile(path.c_str());
    const int written = replaceFile(path.c_str(), text.data(), text.size());
    unlockFile(lock);
    if (written != 1)
        std::fprintf(stderr, "vorblet: cannot save the settings in %s: %s\n", path.c_str(),
                     std::strerror(errno));
}

void chooseFullscreen(FullscreenChoice choice) {
    startChoice = choice;
}

FullscreenChoice fullscreenChoice() {
    return startChoice;
}

} // namespace platform

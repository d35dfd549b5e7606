// Every include in src/ points to its own floor or lower, as the floor table in HACKING.md says;
// the backends keep to their own folders, only the SDL backend knows SDL, and only a system's
// folder of services knows that system's headers.
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = fs::path(VORBLET_SOURCE_DIR) / "src";

// The rows of the floor table: "| N | `folder`, `folder` | ... |".
std::map<std::string, int> readFloors() {
    std::map<std::string, int> floors;
    std::istringstream lines(readFile(fs::path(VORBLET_SOURCE_DIR) / "HACKING.md"));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream cells(line);
        std::string empty, number, names;
        if (!std::getline(cells, empty, '|') || !empty.empty() ||
            !std::getline(cells, number, '|') || !std::getline(cells, names, '|'))
            continue;
        char* end = nullptr;
        const long floor = std::strtol(number.c_str(), &end, 10);
        if (end == number.c_str()) continue;
        for (size_t open = names.find('`'); open != std::string::npos;) {
            const size_t close = names.find('`', open + 1);
            if (close == std::string::npos) break;
            floors[names.substr(open + 1, close - open - 1)] = int(floor);
            open = names.find('`', close + 1);
        }
    }
    return floors;
}

// The target of an include line, and whether it is written with angle brackets; false for any
// other line.
bool includeOf(const std::string& line, std::string& target, bool& angled) {
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#') return false;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0) return false;
    const size_t open = line.find_first_of("<\"", at + 7);
    if (open == std::string::npos) return false;
    angled = line[open] == '<';
    const size_t close = line.find(angled ? '>' : '"', open + 1);
    if (close == std::string::npos) return false;
    target = line.substr(open + 1, close - open - 1);
    return true;
}

// The folder of a path under src/ that has a row in the table: the longest one that holds it.
std::string folderOf(const std::string& path, const std::map<std::string, int>& floors) {
    std::string best;
    for (const auto& [folder, floor] : floors)
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size()) best = folder;
    return best;
}

// The system's services are shared by every backend; their OS folders are chosen by the build.
bool isSystem(const std::string& folder) {
    return folder == "platform/system" || folder.rfind("platform/system/", 0) == 0;
}

bool isBackend(const std::string& folder) {
    return folder.rfind("platform/", 0) == 0 && !isSystem(folder);
}

bool isOsFolder(const std::string& folder) {
    return folder.rfind("platform/system/", 0) == 0;
}

// Headers of one operating system, which only that system's folder of services may include.
bool isSystemHeader(const std::string& target) {
    for (const char* name :
         {"unistd.h", "fcntl.h", "pwd.h", "grp.h", "pthread.h", "dirent.h", "poll.h", "termios.h",
          "dlfcn.h", "spawn.h", "sched.h", "io.h", "windows.h", "shlobj.h", "emscripten.h"})
        if (target == name) return true;
    return target.rfind("sys/", 0) == 0 || target.rfind("emscripten/", 0) == 0;
}

TEST(Floors, EveryIncludePointsToItsOwnFloorOrLower) {
    const std::map<std::string, int> floors = readFloors();
    ASSERT_GE(floors.size(), 7u) << "no floor table in HACKING.md";
    int files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSource)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), kSource).generic_string();
        const std::string folder = folderOf(name, floors);
        ASSERT_FALSE(folder.empty()) << name << " lies in a folder the floor table does not name";
        ++files;
        std::istringstream lines(readFile(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            // An SDL type named elsewhere ties that code to SDL as surely as an include does.
            const std::string code = line.substr(0, line.find("//"));
            EXPECT_FALSE(code.find("SDL_") != std::string::npos && folder != "platform/sdl")
                << name << " names SDL in: " << line;
            std::string target;
            bool angled = false;
            if (!includeOf(line, target, angled)) continue;
            if (angled) {
                EXPECT_FALSE(target.rfind("SDL", 0) == 0 && folder != "platform/sdl")
                    << name << " includes <" << target << ">: only platform/sdl/ knows SDL";
                EXPECT_FALSE(isSystemHeader(target) && !isOsFolder(folder) &&
                             folder != "platform/web" && folder != "platform/win32")
                    << name << " includes <" << target
                    << ">: only a system's own folder under platform/system/ knows it";
                continue;
            }
            const std::string targetFolder = folderOf(target, floors);
            ASSERT_FALSE(targetFolder.empty()) << name << " includes \"" << target << "\"";
            EXPECT_LE(floors.at(targetFolder), floors.at(folder))
                << name << " includes \"" << target << "\", which lies on a higher floor";
            EXPECT_FALSE(isBackend(targetFolder) && targetFolder != folder)
                << name << " includes \"" << target << "\" of another backend";
            EXPECT_FALSE(isOsFolder(targetFolder) && targetFolder != folder)
                << name << " includes \"" << target << "\" of one system's own services";
        }
    }
    EXPECT_GT(files, 50);
}

} // namespace

// The record layer's shared half: the state and entries the recorder and the replayer both use,
// and the choice between them.
#include "platform/record/layer.h"

#include "platform/record/format.h"
#include "platform/window_picture.h"

#include <cerrno>
#include <cstring>

namespace platform::record {

const BackendTable* inner = nullptr;
WindowHandlers outerHandlers;

std::mutex& lock = *new std::mutex;
std::condition_variable& changed = *new std::condition_variable;
bool claimed = false;
bool gameEnding = false;
bool finished = false;

uint32_t stamp = 0;

namespace {

std::vector<uint8_t> picture = blankPicture();

} // namespace

int soundAction(const char* action) {
    const char* const actions[] = {"open", "play", "stop", "close"};
    for (int i = 0; i < 4; ++i)
        if (std::strcmp(action, actions[i]) == 0) return i;
    return 4;
}

uint32_t boxHash(const char* title, const char* text) {
    const uint8_t zero = 0;
    uint64_t hash = hashBytes(reinterpret_cast<const uint8_t*>(title), std::strlen(title));
    hash = hashBytes(&zero, 1, hash);
    return uint32_t(hashBytes(reinterpret_cast<const uint8_t*>(text), std::strlen(text), hash));
}

uint64_t presentedHash(int left, int top, int width, int height, const uint8_t* firstLine,
                       ptrdiff_t lineStep) {
    copyIntoPicture(picture, left, top, width, height, firstLine, lineStep);
    return hashPicture(picture);
}

std::FILE* fileOfBytes(const uint8_t* bytes, size_t size) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    if (std::fwrite(bytes, 1, size, file) != size || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        errno = EIO;
        return nullptr;
    }
    return file;
}

void claim() {
    std::lock_guard guard(lock);
    claimed = true;
    changed.notify_all();
}

void postQuit() {
    claim();
    inner->window.postQuit();
}

void waitGameThread() {
    claim();
    inner->window.waitGameThread();
}

void addShot(uint32_t ms, const char* path) {
    inner->session.addShot(ms, path);
}

uint32_t sessionMs() {
    return inner->session.sessionMs();
}

void advanceSession(uint32_t ms) {
    inner->session.advanceSession(ms);
}

void closeWindow() {
    inner->session.closeWindow();
}

const BackendTable& wrap(const BackendTable& wrapped, bool replaying) {
    inner = &wrapped;
    return replaying ? replayer : recorder;
}

} // namespace platform::record

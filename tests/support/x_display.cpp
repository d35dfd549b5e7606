#include "support/x_display.h"

#include "support/files.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono;

namespace {
// Windows of earlier runs may vanish between listing them and asking about them; Xlib's default
// handler would end the test process for that.
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

bool waitFor(const std::function<bool()>& condition, milliseconds timeout) {
    auto end = steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (steady_clock::now() > end) return false;
        std::this_thread::sleep_for(milliseconds(50));
    }
}

XTestDisplay::XTestDisplay() {
    // Servers started at the same moment may pick the same display number; one of them then
    // fails and is simply started again.
    for (int attempt = 0; attempt < 8 && display_ == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(milliseconds(100 * attempt));
        startServer();
    }
}

void XTestDisplay::startServer() {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    serverPid_ = fork();
    if (serverPid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(pipeFds[0]);
        std::string fd = std::to_string(pipeFds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1300x940x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    // Xvfb writes its display number and then a line feed once it listens; the pipe must stay
    // open until both have come, or its second write fails and the server quits. A server that
    // never gets there must not hang the suite; a loaded machine can take seconds to start one.
    char buffer[32] = {};
    size_t got = 0;
    auto end = steady_clock::now() + seconds(30);
    while (got < sizeof buffer - 1 && std::memchr(buffer, '\n', got) == nullptr) {
        int left = int(duration_cast<milliseconds>(end - steady_clock::now()).count());
        pollfd ready{pipeFds[0], POLLIN, 0};
        if (left <= 0 || poll(&ready, 1, left) != 1) break;
        ssize_t n = read(pipeFds[0], buffer + got, sizeof buffer - 1 - got);
        if (n <= 0) break;
        got += size_t(n);
    }
    close(pipeFds[0]);
    if (got > 0) {
        // Made whole and moved in: GCC 12 warns wrongly (-Wrestrict) on appending to a string.
        char name[32];
        std::snprintf(name, sizeof name, ":%d", std::atoi(buffer));
        name_ = std::string(name);
        XSetErrorHandler(ignoreXErrors);
        display_ = XOpenDisplay(name_.c_str());
    }
    if (display_ == nullptr && serverPid_ > 0) {
        kill(serverPid_, SIGTERM);
        waitpid(serverPid_, nullptr, 0);
        serverPid_ = -1;
    }
}

XTestDisplay::~XTestDisplay() {
    if (managerPid_ > 0) {
        kill(managerPid_, SIGTERM);
        waitpid(managerPid_, nullptr, 0);
    }
    if (display_ != nullptr) XCloseDisplay(display_);
    if (serverPid_ > 0) {
        kill(serverPid_, SIGTERM);
        waitpid(serverPid_, nullptr, 0);
    }
}

int XTestDisplay::run(const std::string& command) {
    return std::system(("DISPLAY=" + name_ + " " + command + " >/dev/null 2>&1").c_str());
}

namespace {

// The viewable window with this caption among the children of parent and, as a window manager
// puts its clients inside frames of its own, their children.
Window findCaption(XTestDisplay& x, Display* display, Window parent, const std::string& caption,
                   int depth) {
    Window root = 0, above = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &above, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (x.windowName(children[i]) == caption &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        else if (depth > 0)
            found = findCaption(x, display, children[i], caption, depth - 1);
    }
    if (children != nullptr) XFree(children);
    return found;
}

} // namespace

unsigned long XTestDisplay::findWindow(const std::string& caption, milliseconds timeout) {
    unsigned long found = 0;
    waitFor(
        [&] {
            found = findCaption(*this, display_, DefaultRootWindow(display_), caption, 2);
            return found != 0;
        },
        timeout);
    return found;
}

int XTestDisplay::iconWidth(unsigned long window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    int width = 0;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_ICON", False), 0, 2,
                           False, XA_CARDINAL, &type, &format, &count, &left, &data) == Success &&
        format == 32 && count == 2)
        width = int(reinterpret_cast<long*>(data)[0]);
    if (data != nullptr) XFree(data);
    return width;
}

std::string XTestDisplay::windowName(unsigned long window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display_, window, &name) && name != nullptr) result = name;
    if (name != nullptr) XFree(name);
    return result;
}

std::vector<uint8_t> XTestDisplay::readPixels(unsigned long window, int& width, int& height) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) return {};
    width = attributes.width;
    height = attributes.height;
    XImage* image =
        XGetImage(display_, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            uint8_t* out = &pixels[(size_t(y) * width + x) * 3];
            out[0] = uint8_t(p & 0xFF);
            out[1] = uint8_t(p >> 8 & 0xFF);
            out[2] = uint8_t(p >> 16 & 0xFF);
        }
    XDestroyImage(image);
    return pixels;
}

void XTestDisplay::keyDown(unsigned long window, const std::string& key) {
    std::string id = std::to_string(window);
    run("xdotool windowfocus --sync " + id + " mousemove --window " + id + " 100 100");
    run("xdotool keydown " + key);
}

void XTestDisplay::keyUp(const std::string& key) {
    run("xdotool keyup " + key);
}

void XTestDisplay::holdKey(unsigned long window, const std::string& key, int holdMs) {
    keyDown(window, key);
    // A key pressed and released between two polls is not seen: hold it for several.
    std::this_thread::sleep_for(milliseconds(holdMs));
    keyUp(key);
}

void XTestDisplay::actInAnotherWindow(const std::string& key, int holdMs) {
    if (otherWindow_ == 0) {
        Window root = DefaultRootWindow(display_);
        // In the screen's corner, clear of a game window at the centre.
        otherWindow_ = XCreateSimpleWindow(display_, root, 1090, 730, 200, 200, 0, 0, 0xFFFFFF);
        XStoreName(display_, otherWindow_, "another program");
        XMapWindow(display_, otherWindow_);
        XSync(display_, False);
    }
    std::string id = std::to_string(otherWindow_);
    run("xdotool windowfocus --sync " + id + " mousemove --window " + id + " 50 50");
    run("xdotool keydown " + key + " mousedown 1");
    std::this_thread::sleep_for(milliseconds(holdMs));
    run("xdotool mouseup 1 keyup " + key);
}

void XTestDisplay::destroyWindow(unsigned long window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

void XTestDisplay::killServer() {
    if (display_ != nullptr) XCloseDisplay(display_); // our own connection would die with it
    display_ = nullptr;
    if (serverPid_ > 0) {
        kill(serverPid_, SIGKILL);
        waitpid(serverPid_, nullptr, 0);
    }
    serverPid_ = -1;
}

bool XTestDisplay::startWindowManager() {
    managerPid_ = fork();
    if (managerPid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setenv("DISPLAY", name_.c_str(), 1);
        int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    // A manager that follows the desktop's conventions names itself on the root window.
    const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    return waitFor(
        [&] {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, left = 0;
            unsigned char* data = nullptr;
            const bool found =
                XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False,
                                   XA_WINDOW, &type, &format, &count, &left, &data) == Success &&
                count == 1;
            if (data != nullptr) XFree(data);
            return found;
        },
        seconds(30));
}

void XTestDisplay::resizeWindow(unsigned long window, int width, int height) {
    // From the screen's corner, so that the whole window stays on the screen to be read.
    XMoveResizeWindow(display_, window, 0, 0, unsigned(width), unsigned(height));
    XSync(display_, False);
}

void XTestDisplay::screenSize(int& width, int& height) {
    width = DisplayWidth(display_, DefaultScreen(display_));
    height = DisplayHeight(display_, DefaultScreen(display_));
}

void XTestDisplay::requestClose(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

ChildProcess::ChildProcess(const std::filesystem::path& folder, const std::string& program,
                           const std::string& display, const std::vector<std::string>& environment,
                           const std::vector<std::string>& arguments)
    : folder_(folder) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that died
        if (chdir(folder.c_str()) != 0) _exit(126);
        int errors = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors >= 0) dup2(errors, STDERR_FILENO);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1); // no sound card here; the mixer still runs
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        // The leak check at exit scans every thread's dynamic TLS; once the window has been made
        // fullscreen the X and GL libraries can leave a stale entry there, and the scan itself
        // then crashes ("Tracer caught signal 11"), an exit code 1 that is no leak. The game
        // keeps its leak check, without that scan.
        const char* options = getenv("ASAN_OPTIONS");
        const std::string sanitizer = std::string(options != nullptr ? options : "") +
                                      (options != nullptr && *options != 0 ? ":" : "") +
                                      "intercept_tls_get_addr=0";
        setenv("ASAN_OPTIONS", sanitizer.c_str(), 1);
        for (const std::string& variable : environment)
            putenv(const_cast<char*>(variable.c_str()));
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

void ChildProcess::signal(int number) {
    if (pid_ > 0) kill(pid_, number);
}

std::string ChildProcess::errors() const {
    return readFile(folder_ / "stderr.txt");
}

ChildProcess::~ChildProcess() {
    int code = 0;
    if (pid_ > 0 && !wait(milliseconds(0), code)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::wait(milliseconds timeout, int& exitCode) {
    if (pid_ <= 0) return true;
    int status = 0;
    bool ended = waitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
    if (!ended) return false;
    pid_ = -1;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

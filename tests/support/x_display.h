#pragma once
// A private X server (Xvfb) for real-window tests, with the few things a player or the desktop
// does to a window: find it, read its pixels, hold keys, focus another window, resize it, manage
// it, close it, destroy it, and take the display away.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

class XTestDisplay {
  public:
    XTestDisplay();  // starts Xvfb on a free display number
    ~XTestDisplay(); // stops it
    bool ok() const { return display_ != nullptr; }
    const std::string& name() const { return name_; }

    // Waits up to timeout for a top-level window with this caption; 0 when none appeared.
    unsigned long findWindow(const std::string& caption, std::chrono::milliseconds timeout);
    // The window's client area as top-down blue-green-red bytes; empty when it cannot be read.
    std::vector<uint8_t> readPixels(unsigned long window, int& width, int& height);
    std::string windowName(unsigned long window);
    // The width of the window's icon as the window manager would take it (_NET_WM_ICON); 0 when
    // it has none.
    int iconWidth(unsigned long window);
    // Presses or releases a key (an xdotool key name), with the window focused for a press.
    void keyDown(unsigned long window, const std::string& key);
    void keyUp(const std::string& key);
    // Holds a key down for holdMs: long enough for several polls of a loaded game.
    void holdKey(unsigned long window, const std::string& key, int holdMs = 300);
    // Gives the input focus to a window of another program and clicks into it, holding a key.
    void actInAnotherWindow(const std::string& key, int holdMs = 300);
    // Starts a window manager (openbox) on the display and waits until it runs; the game then
    // asks it for fullscreen, as on a desktop.
    bool startWindowManager();
    // Moves the window to the screen's corner and resizes it, as a player dragging it does.
    void resizeWindow(unsigned long window, int width, int height);
    // The size of the screen.
    void screenSize(int& width, int& height);
    // Asks the window to close, as a window manager's close box does.
    void requestClose(unsigned long window);
    // Destroys the window from outside, as `xdotool windowclose` does.
    void destroyWindow(unsigned long window);
    // Ends the X server at once, as a crash of the desktop session would.
    void killServer();

  private:
    void startServer();
    int run(const std::string& command);
    _XDisplay* display_ = nullptr;
    int serverPid_ = -1;
    int managerPid_ = -1;
    unsigned long otherWindow_ = 0;
    std::string name_;
};

// The game binary started in a folder on an X display, with extra environment variables
// (NAME=VALUE) and arguments; what it writes to stderr goes to the file stderr.txt in the folder.
// Its settings are kept in the folder's config/ (XDG_CONFIG_HOME), never in the user's own.
class ChildProcess {
  public:
    ChildProcess(const std::filesystem::path& folder, const std::string& program,
                 const std::string& display, const std::vector<std::string>& environment = {},
                 const std::vector<std::string>& arguments = {});
    ~ChildProcess();
    // Waits up to timeout; true with the exit code once the process has ended (128 + the
    // signal's number when a signal ended it).
    bool wait(std::chrono::milliseconds timeout, int& exitCode);
    void signal(int number);
    std::string errors() const;

  private:
    int pid_ = -1;
    std::filesystem::path folder_;
};

// Polls condition every 50 ms until it holds or timeout passes.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

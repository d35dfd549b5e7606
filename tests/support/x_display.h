#pragma once
// A private X server (Xvfb) for real-window tests, with the few things a player does to a window:
// find it, read its pixels, hold keys, close it.
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
    // Holds a key (an xdotool key name) down for holdMs, with the window focused.
    void holdKey(unsigned long window, const std::string& key, int holdMs = 150);
    // Asks the window to close, as a window manager's close box does.
    void requestClose(unsigned long window);

  private:
    void startServer();
    int run(const std::string& command);
    _XDisplay* display_ = nullptr;
    int serverPid_ = -1;
    std::string name_;
};

// A child process started in a folder with an environment variable DISPLAY.
class ChildProcess {
  public:
    ChildProcess(const std::filesystem::path& folder, const std::string& program,
                 const std::string& display);
    ~ChildProcess();
    // Waits up to timeout; true with the exit code once the process has ended.
    bool wait(std::chrono::milliseconds timeout, int& exitCode);

  private:
    int pid_ = -1;
};

// Polls condition every 50 ms until it holds or timeout passes.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

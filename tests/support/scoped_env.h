#pragma once
// An environment variable set (or unset) for one test and put back as it was, for the code and
// the child processes that read HOME and XDG_DATA_HOME.
#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name(name) {
        if (const char* old = std::getenv(name)) saved = old;
        put(value);
    }
    ~ScopedEnv() { put(saved); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    void put(const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

  private:
    const char* name;
    std::optional<std::string> saved;
};

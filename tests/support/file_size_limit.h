#pragma once
// A file-size limit (RLIMIT_FSIZE) for one stretch of a test, put back as it was: the limit
// makes writes fail part-way, as a full disk or a quota would. The SIGXFSZ the kernel sends
// takes the given disposition meanwhile; child processes inherit both.
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
  public:
    FileSizeLimit(rlim_t bytes, void (*onSignal)(int)) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = bytes;
        savedSignal = std::signal(SIGXFSZ, onSignal);
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved{};
    void (*savedSignal)(int) = SIG_DFL;
};

// In sanitizer builds: leaks inside the system's display, audio and bus libraries are theirs,
// not ours, and must not fail a test run.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11\nleak:libxcb\nleak:libdbus\nleak:libSDL2\nleak:libasound\nleak:libpulse\n"
           "leak:libGL\nleak:libGLX\nleak:libLLVM\nleak:swrast\nleak:libgallium\n";
}
#endif

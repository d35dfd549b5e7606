#include "platform/trace_file.h"

namespace platform {

void tracePresent(std::FILE* trace, uint32_t ms, uint64_t pictureHash) {
    if (trace != nullptr)
        std::fprintf(trace, "%u present %016llx\n", ms,
                     static_cast<unsigned long long>(pictureHash));
}

void traceSoundEvent(std::FILE* trace, uint32_t ms, const char* action, int clip, int result) {
    if (trace != nullptr) std::fprintf(trace, "%u sound %s %d %d\n", ms, action, clip, result);
}

void traceBox(std::FILE* trace, uint32_t ms, const char* title, const char* text) {
    if (trace == nullptr) return;
    std::fprintf(trace, "%u box %s ", ms, title);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n')
            std::fputs("\\n", trace);
        else
            std::fputc(*c, trace);
    }
    std::fputc('\n', trace);
}

void traceExit(std::FILE* trace, uint32_t ms, int exitCode) {
    if (trace != nullptr) std::fprintf(trace, "%u exit %d\n", ms, exitCode);
}

} // namespace platform

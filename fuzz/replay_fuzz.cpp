// Feeds arbitrary bytes to the recording reader that --replay uses: whatever the bytes, it must
// refuse them or accept a recording whose every entry then decodes, reading nothing outside the
// bytes; answering calls from an accepted recording must stay inside it too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/record/answers.h"
#include "platform/record/reader.h"

using namespace platform::record;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the end.
    const std::vector<uint8_t> file(data, data + size);
    Recording recording;
    std::string error;
    if (parseRecording(file.data(), file.size(), recording, error) == 1) {
        if (!walkRecording(recording)) std::abort();
    } else if (error.empty()) {
        std::abort();
    }
    // The same bytes as entries alone, past the checksums that keep most damage out of the file.
    Recording raw;
    raw.entries = file;
    walkRecording(raw);
    return 0;
}

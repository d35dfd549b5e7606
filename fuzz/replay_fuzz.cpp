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

namespace {

// Decodes every entry and answers calls of every kind in turn, as a game that does not follow
// the recording would make them: it must stop, never read outside the entries.
void walk(const Recording& recording, bool validated) {
    const uint8_t* at = recording.entries.data();
    const uint8_t* end = at + recording.entries.size();
    while (at < end) {
        Entry entry;
        if (!decodeEntry(at, end, entry)) {
            if (validated) std::abort();
            break;
        }
    }
    Cursor cursor;
    startCursor(cursor, recording);
    for (int call = 0; call < 100000; ++call) {
        Answer answer;
        Entry entry;
        const Kind kind = Kind(call % kKindCount);
        if (takeAnswer(cursor, kind, call % 3, answer, &entry) != Take::answered) break;
        takeClose(cursor);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the end.
    const std::vector<uint8_t> file(data, data + size);
    Recording recording;
    std::string error;
    if (parseRecording(file.data(), file.size(), recording, error) == 1) {
        walk(recording, true);
    } else if (error.empty()) {
        std::abort();
    }
    // The same bytes as entries alone, past the checksums that keep most damage out of the file.
    Recording raw;
    raw.entries = file;
    walk(raw, false);
    return 0;
}

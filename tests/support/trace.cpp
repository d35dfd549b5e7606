#include "support/trace.h"

#include <sstream>

std::vector<TraceEvent> traceEvents(const std::vector<std::string>& trace,
                                    const std::string& text) {
    std::vector<TraceEvent> found;
    for (const std::string& line : trace) {
        std::istringstream in(line);
        TraceEvent event;
        in >> event.ms;
        std::getline(in >> std::ws, event.text);
        if (event.text == text) found.push_back(event);
    }
    return found;
}

std::string SoundEvent::line() const {
    return action + " " + std::to_string(clip) + " " + std::to_string(result);
}

std::vector<SoundEvent> soundEvents(const std::vector<std::string>& trace) {
    std::vector<SoundEvent> events;
    for (const std::string& line : trace) {
        std::istringstream in(line);
        SoundEvent event;
        std::string kind;
        in >> event.ms >> kind >> event.action >> event.clip >> event.result;
        if (in && kind == "sound") events.push_back(event);
    }
    return events;
}

namespace {

bool isNumber(const std::string& word, bool signedOk = false) {
    size_t start = signedOk && !word.empty() && word[0] == '-' ? 1 : 0;
    return word.size() > start && word.find_first_not_of("0123456789", start) == std::string::npos;
}

} // namespace

// MS present HASH | MS sound ACTION CLIP RESULT | MS box TITLE TEXT | MS exit CODE
bool isTraceLine(const std::string& line) {
    std::istringstream in(line);
    std::string ms, kind, a, b, c, extra;
    in >> ms >> kind >> a >> b >> c >> extra;
    if (!isNumber(ms)) return false;
    if (kind == "present")
        return a.size() == 16 && a.find_first_not_of("0123456789abcdef") == std::string::npos &&
               b.empty();
    if (kind == "sound")
        return (a == "open" || a == "play" || a == "stop" || a == "close") && isNumber(b) &&
               isNumber(c, true) && extra.empty();
    if (kind == "box") return !a.empty();
    if (kind == "exit") return isNumber(a) && b.empty();
    return false;
}

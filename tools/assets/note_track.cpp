#include "note_track.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace assets {

double midiFrequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

int noteNumber(std::string_view name) {
    static constexpr int semitone[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
    int note = semitone[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#')
        ++note, ++at;
    else if (name[at] == 'b')
        --note, ++at;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') return -1;
    return note + 12 * (name[at] - '0' + 1);
}

int addMelody(Mix& mix, const Grid& grid, std::string_view melody, const Instrument& instrument,
              int firstStep) {
    int step = firstStep;
    size_t at = 0;
    while (at < melody.size()) {
        if (melody[at] == ' ' || melody[at] == '|') {
            ++at;
            continue;
        }
        size_t end = melody.find_first_of(" |", at);
        std::string_view token = melody.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? melody.size() : end;
        size_t colon = token.find(':');
        if (colon == std::string_view::npos) return -1;
        int steps = std::stoi(std::string(token.substr(colon + 1)));
        std::string_view name = token.substr(0, colon);
        if (name != ".") {
            int midi = noteNumber(name);
            if (midi < 0) return -1;
            Note note;
            note.start = step * grid.stepSamples;
            note.length = steps * grid.stepSamples;
            note.frequency = midiFrequency(midi);
            note.wave = instrument.wave;
            note.volume = instrument.volume;
            note.envelope = instrument.envelope;
            addNote(mix, note);
        }
        step += steps;
    }
    return step - firstStep;
}

void addDrums(Mix& mix, const Grid& grid, std::string_view line, double volume, int firstStep) {
    for (size_t i = 0; i < line.size(); ++i) {
        Note note;
        note.start = (firstStep + static_cast<long>(i)) * grid.stepSamples;
        // A drum never rings past the end of its line, so a loop ends in silence.
        long room = static_cast<long>(line.size() - i) * grid.stepSamples;
        switch (line[i]) {
        case 'k': // a thump: a triangle diving from 150 Hz
            note.wave = Wave::triangle;
            note.frequency = 150;
            note.endFrequency = 45;
            note.length = std::min(grid.stepSamples * 2, secondsToSamples(0.12));
            note.volume = volume * 1.6;
            note.envelope = {0.002, 0.08, 0.2, 0.03};
            break;
        case 's':
            note.wave = Wave::noise;
            note.frequency = 9000;
            note.length = std::min(grid.stepSamples * 2, secondsToSamples(0.13));
            note.volume = volume * 0.8;
            note.envelope = {0.002, 0.06, 0.25, 0.05};
            break;
        case 'h':
            note.wave = Wave::noise;
            note.frequency = 22000;
            note.length = std::min(grid.stepSamples, secondsToSamples(0.035));
            note.volume = volume * 0.35;
            note.envelope = {0.001, 0.015, 0.3, 0.015};
            break;
        case 'c':
            note.wave = Wave::noise;
            note.frequency = 16000;
            note.length = secondsToSamples(0.7);
            note.volume = volume * 0.6;
            note.envelope = {0.002, 0.2, 0.3, 0.45};
            break;
        default:
            continue;
        }
        note.length = std::min(note.length, room);
        addNote(mix, note);
    }
}

Chord chordNamed(std::string_view name) {
    Chord chord;
    chord.minor = name.size() > 1 && name.back() == 'm';
    std::string root(name.substr(0, chord.minor ? name.size() - 1 : name.size()));
    int midi = noteNumber(root + "2");
    chord.root = midi < 40 ? midi + 12 : midi; // E2 (40) to D#3 (51)
    return chord;
}

void addChordLine(Mix& mix, const Grid& grid, const std::vector<Chord>& bars,
                  const std::vector<int>& pattern, int stepsPerNote, int octaveShift,
                  const Instrument& instrument) {
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        const Chord& chord = bars[bar];
        int tones[4] = {0, chord.minor ? 3 : 4, 7, 12};
        for (int i = 0; i * stepsPerNote < 16; ++i) {
            int entry = pattern[static_cast<size_t>(i) % pattern.size()];
            int midi = chord.root + 12 * octaveShift + tones[entry % 4] + 12 * (entry / 4);
            Note note;
            note.start = (static_cast<long>(bar) * 16 + i * stepsPerNote) * grid.stepSamples;
            note.length = stepsPerNote * grid.stepSamples;
            note.frequency = midiFrequency(midi);
            note.wave = instrument.wave;
            note.volume = instrument.volume;
            note.envelope = instrument.envelope;
            addNote(mix, note);
        }
    }
}

} // namespace assets

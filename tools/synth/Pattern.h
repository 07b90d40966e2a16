#pragma once

#include <string_view>
#include <vector>

namespace Nightglass::Synth {

// One note of a tracker-style line: where it starts and how many rows it lasts.
struct PatternNote {
    int row;
    int length;
    double pitch;
};

struct Pattern {
    std::vector<PatternNote> notes;
    int rows = 0;
};

// Parses a melody line with one token per row: a note name ("A4", "C#5", "Bb3") starts a note,
// "." holds the previous note a row longer, "-" is a rest, "|" marks a bar and takes no row.
// Throws std::invalid_argument naming a malformed token.
Pattern parseMelody(std::string_view text);

// A hit per row from a drum line: 'x' full, 'o' soft (ghost note), '.' nothing.
struct Hit {
    int row;
    float velocity;
};
std::vector<Hit> parseHits(std::string_view text);

}

#pragma once

#include "Note.h"

#include <array>
#include <string_view>
#include <vector>

namespace Nightglass::Synth {

struct Chord {
    double root;  // bass note
    std::array<double, 3> tones;  // pad voicing, voice-led around the fourth octave
};

// Four chords of 32 rows (two bars) each, repeating from row 0 of the piece.
using Progression = std::array<Chord, 4>;

const Chord& chordAt(const Progression& progression, int row);

// A value that moves linearly across a section, for builds and fades.
struct Ramp {
    float from, to;
    float at(int row, int firstRow, int lastRow) const;
};

// Writes the arrangement in musical terms (rows, chords, patterns) and collects the notes.
class ScoreBuilder {
public:
    void add(const Note& note) { notes_.push_back(note); }
    // Repeats a drum line (one character per row) over [from, to).
    void drums(Instrument instrument, int from, int to, std::string_view line, Ramp velocity);
    void pads(int from, int to, const Progression& progression, Ramp brightness, Ramp velocity);
    // Bass line repeated over [from, to), following the chords: 'x' root, 'o' octave up,
    // '.' holds, '-' rests.
    void bass(int from, int to, const Progression& progression, std::string_view line, Ramp brightness, float velocity);
    // Chord tones by index (0-2 the triad, 3-5 an octave up) played every `stepRows`.
    void arpeggio(int from, int to, const Progression& progression, std::string_view order, int stepRows,
                  Ramp brightness, Ramp velocity);
    // Lead line; notes that follow each other without a rest glide. Throws when the line does
    // not last `expectedRows`, which catches miscounted rows in the score.
    void melody(int row, std::string_view line, int expectedRows, int transpose, float brightness, float velocity);
    void stab(int row, const Progression& progression, float brightness, float velocity);
    void impact(int row, float size);
    void riser(int impactRow, int lengthRows, float velocity);
    void snareRoll(int from, int to, double stepRows, Ramp velocity);

    std::vector<Note> take() { return std::move(notes_); }

private:
    std::vector<Note> notes_;
};

}

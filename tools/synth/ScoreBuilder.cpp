#include "ScoreBuilder.h"

#include "Pattern.h"

#include <stdexcept>
#include <string>

namespace Nightglass::Synth {

namespace {

constexpr int ChordRows = 32;

int rowCount(std::string_view line)
{
    int rows = 0;
    for (char c : line)
        rows += c != ' ' && c != '|';
    return rows;
}

}

const Chord& chordAt(const Progression& progression, int row)
{
    return progression[size_t((row / ChordRows) % int(progression.size()))];
}

float Ramp::at(int row, int firstRow, int lastRow) const
{
    if (lastRow <= firstRow)
        return from;
    float x = float(row - firstRow) / float(lastRow - firstRow);
    return from + (to - from) * x;
}

void ScoreBuilder::drums(Instrument instrument, int from, int to, std::string_view line, Ramp velocity)
{
    std::vector<Hit> hits = parseHits(line);
    int length = rowCount(line);
    for (int start = from; start < to; start += length)
        for (const Hit& hit : hits)
            if (int row = start + hit.row; row < to)
                add({instrument, double(row), 1.0, 0.0, hit.velocity * velocity.at(row, from, to)});
}

void ScoreBuilder::pads(int from, int to, const Progression& progression, Ramp brightness, Ramp velocity)
{
    for (int row = from; row < to;) {
        int next = std::min(to, (row / ChordRows + 1) * ChordRows);
        for (double tone : chordAt(progression, row).tones)
            add({Instrument::Pad, double(row), double(next - row), tone, velocity.at(row, from, to),
                 brightness.at(row, from, to)});
        row = next;
    }
}

void ScoreBuilder::bass(int from, int to, const Progression& progression, std::string_view line, Ramp brightness,
                        float velocity)
{
    std::vector<char> steps;
    for (char c : line)
        if (c != ' ' && c != '|')
            steps.push_back(c);
    long sounding = -1;
    for (int row = from; row < to; ++row) {
        char step = steps[size_t(row - from) % steps.size()];
        if (step == '.') {
            if (sounding >= 0)
                notes_[size_t(sounding)].lengthRows += 1.0;
            continue;
        }
        sounding = -1;
        if (step == 'x' || step == 'o') {
            double pitch = chordAt(progression, row).root + (step == 'o' ? 12.0 : 0.0);
            notes_.push_back({Instrument::Bass, double(row), 1.0, pitch, velocity, brightness.at(row, from, to)});
            sounding = long(notes_.size()) - 1;
        } else if (step != '-') {
            throw std::invalid_argument(std::string("malformed bass step '") + step + "'");
        }
    }
}

void ScoreBuilder::arpeggio(int from, int to, const Progression& progression, std::string_view order, int stepRows,
                            Ramp brightness, Ramp velocity)
{
    std::vector<int> indices;
    for (char c : order)
        if (c >= '0' && c <= '9')
            indices.push_back(c - '0');
    size_t step = 0;
    for (int row = from; row < to; row += stepRows, ++step) {
        int index = indices[step % indices.size()];
        double pitch = chordAt(progression, row).tones[size_t(index % 3)] + 12.0 * (index / 3);
        add({Instrument::Pluck, double(row), double(stepRows), pitch, velocity.at(row, from, to),
             brightness.at(row, from, to)});
    }
}

void ScoreBuilder::melody(int row, std::string_view line, int expectedRows, int transpose, float brightness,
                          float velocity)
{
    Pattern pattern = parseMelody(line);
    if (pattern.rows != expectedRows)
        throw std::invalid_argument("melody at row " + std::to_string(row) + " lasts " + std::to_string(pattern.rows)
                                    + " rows instead of " + std::to_string(expectedRows));
    const PatternNote* previous = nullptr;
    for (const PatternNote& note : pattern.notes) {
        bool legato = previous && previous->row + previous->length == note.row;
        double pitch = note.pitch + transpose;
        add({Instrument::Lead, double(row + note.row), note.length - 0.4, pitch, velocity, brightness,
             legato ? previous->pitch + transpose : pitch});
        previous = &note;
    }
}

void ScoreBuilder::stab(int row, const Progression& progression, float brightness, float velocity)
{
    const Chord& chord = chordAt(progression, row);
    for (double tone : chord.tones)
        add({Instrument::Stab, double(row), 1.0, tone, velocity, brightness});
    add({Instrument::Stab, double(row), 1.0, chord.tones[0] + 12.0, velocity * 0.7f, brightness});
}

void ScoreBuilder::impact(int row, float size)
{
    add({Instrument::Crash, double(row), 1.0, 0.0, size});
    add({Instrument::Boom, double(row), 1.0, 0.0, size});
}

void ScoreBuilder::riser(int impactRow, int lengthRows, float velocity)
{
    add({Instrument::Riser, double(impactRow - lengthRows), double(lengthRows), 0.0, velocity});
}

void ScoreBuilder::snareRoll(int from, int to, double stepRows, Ramp velocity)
{
    for (double row = from; row < to; row += stepRows)
        add({Instrument::Snare, row, 1.0, 0.0, velocity.at(int(row), from, to)});
}

}

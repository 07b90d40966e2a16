#include "synth/Score.h"
#include "synth/ScoreBuilder.h"
#include "synth/Tempo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace Nightglass::Synth;

namespace {

bool hasNote(const std::vector<Note>& notes, Instrument instrument, double row)
{
    return std::any_of(notes.begin(), notes.end(),
                       [&](const Note& note) { return note.instrument == instrument && note.row == row; });
}

}

TEST(SynthScore, KickOnEveryBeatOfTheDrivingParts)
{
    std::vector<Note> notes = nightglassScore();
    for (auto [from, to] : {std::pair{320, 636}, std::pair{640, 1408}, std::pair{1536, 1776}, std::pair{1792, 2288}})
        for (int row = from; row < to; row += RowsPerBeat)
            EXPECT_TRUE(hasNote(notes, Instrument::Kick, row)) << "no kick on row " << row;
    for (int row = 1424; row < 1536; row += RowsPerBeat)
        EXPECT_FALSE(hasNote(notes, Instrument::Kick, row)) << "kick in the breakdown on row " << row;
}

TEST(SynthScore, CuesSitOnTheirRows)
{
    std::vector<Note> notes = nightglassScore();
    for (int row : StabRows)
        EXPECT_TRUE(hasNote(notes, Instrument::Stab, row)) << row;
    for (int row : ImpactRows) {
        EXPECT_TRUE(hasNote(notes, Instrument::Crash, row)) << row;
        EXPECT_TRUE(hasNote(notes, Instrument::Boom, row)) << row;
        EXPECT_TRUE(hasNote(notes, Instrument::Riser, row - RiserRows)) << row;
    }
    EXPECT_TRUE(hasNote(notes, Instrument::Boom, BiggestHitRow));
    EXPECT_TRUE(hasNote(notes, Instrument::Stab, BiggestHitRow));
    for (const Note& note : notes)
        EXPECT_LE(note.row + note.lengthRows, EndRow) << "a note outlasts the end of the piece";
    EXPECT_GE(rowToSeconds(EndRow) + TailSeconds, 222.0);
    EXPECT_NEAR(rowToSeconds(EndRow), 220.0, 1e-9);
}

TEST(SynthScoreBuilder, MelodyOfTheWrongLengthIsRejected)
{
    ScoreBuilder score;
    EXPECT_THROW(score.melody(0, "A4 . . C5 . . .", 8, 0, 0.5f, 1.0f), std::invalid_argument);
    score.melody(0, "A4 . . C5 - - E5 .", 8, 12, 0.5f, 1.0f);
    std::vector<Note> notes = score.take();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[1].pitch, 84.0);
    EXPECT_EQ(notes[1].glideFrom, 81.0) << "legato notes glide";
    EXPECT_EQ(notes[2].glideFrom, notes[2].pitch) << "after a rest there is no glide";
}

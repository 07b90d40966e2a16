#include "Score.h"

#include "ScoreBuilder.h"

namespace Nightglass::Synth {

namespace {

const Chord Am{45, {57, 60, 64}};
const Chord F{41, {57, 60, 65}};
const Chord C{48, {55, 60, 64}};
const Chord G{43, {55, 59, 62}};
const Chord Em{40, {55, 59, 64}};

// i-VI-III-VII carries the piece; the breakdown turns to VI-VII-i-v for contrast.
const Progression Main{Am, F, C, G};
const Progression Breakdown{F, G, Am, Em};

constexpr int Cycle = 128;

// A short snare run into the downbeat that opens the next phrase.
void fillInto(ScoreBuilder& score, int row) { score.snareRoll(row - 3, row, 1, {0.5f, 0.85f}); }

const char* const ThemeA = "E5 . . . D5 . C5 . D5 . . . E5 . . . | A4 . . . . . . . C5 . D5 . E5 . . . | "
                           "F5 . . . E5 . D5 . C5 . . . A4 . . . | C5 . . . . . . . - - - - A4 . C5 . | "
                           "G5 . . . E5 . . . C5 . D5 . E5 . G5 . | E5 . . . . . . . D5 . . . C5 . . . | "
                           "D5 . . . B4 . . . G4 . A4 . B4 . D5 . | E5 . . . . . . . - - - - - - - -";

const char* const ThemeB = "A5 . . . G5 . E5 . . . G5 . A5 . . . | C6 . . . B5 . A5 . G5 . . . E5 . . . | "
                           "F5 . . . A5 . . . C6 . . . A5 . F5 . | G5 . . . . . . . E5 . . . . . . . | "
                           "E5 . G5 . C6 . . . B5 . . . G5 . . . | E5 . . . G5 . . . A5 . . . G5 . . . | "
                           "D5 . . . G5 . . . B5 . . . D6 . . . | B5 . . . A5 . . . G5 . . . - - - -";

const char* const DrivingRiff = "A4 . - A4 C5 . - E5 - A5 . - G5 . E5 . | D5 . - C5 - D5 . - E5 . . . - - - - | "
                                "F4 . - F4 A4 . - C5 - F5 . - E5 . C5 . | A4 . - G4 - A4 . - C5 . . . - - - - | "
                                "G4 . - G4 C5 . - E5 - G5 . - F5 . E5 . | D5 . - C5 - D5 . - E5 . . . - - - - | "
                                "G4 . - G4 B4 . - D5 - G5 . - F5 . D5 . | B4 . - A4 - B4 . - D5 . . . E5 . . .";

const char* const BreakdownTheme = "C5 . . . . . . . A4 . . . . . . . | F5 . . . . . . . E5 . . . . . . . | "
                                   "D5 . . . . . . . B4 . . . . . . . | G5 . . . . . . . F5 . . . E5 . . . | "
                                   "E5 . . . . . . . . . . . C5 . . . | A4 . . . . . . . . . . . . . . . | "
                                   "B4 . . . . . . . . . . . G4 . . . | E5 . . . . . . . . . . . - - - -";

const char* const FourOnTheFloor = "x...x...x...x...";
const char* const Backbeat = "....x.......x...";
const char* const OffbeatHats = "..x...x...x...x.";
const char* const SixteenthHats = "xoxoxoxoxoxoxoxo";

const char* const HeldBass = "x . . . . . . . . . . . . . . .";
const char* const OffbeatBass = "- - x . - - x . - - x . - - x .";
const char* const RollingBass = "- x x x - x x x - x x x - x o x";
const char* const GrooveBass = "x . - x - - x . - x - - x . o .";

const char* const RisingArp = "0 1 2 3 4 3 2 1";
const char* const WideArp = "0 2 4 3 1 2 5 3";
const char* const FallingArp = "5 4 3 2 1 0";

void intro(ScoreBuilder& score)
{
    score.pads(0, 256, Main, {0.2f, 0.6f}, {0.8f, 1.0f});
    score.arpeggio(64, 128, Main, RisingArp, 2, {0.05f, 0.3f}, {0.45f, 0.6f});
    score.arpeggio(128, 256, Main, RisingArp, 1, {0.3f, 0.75f}, {0.5f, 0.75f});
    score.bass(128, 256, Main, HeldBass, {0.1f, 0.35f}, 0.8f);
    score.drums(Instrument::ClosedHat, 128, 192, OffbeatHats, {0.4f, 0.6f});
    score.drums(Instrument::ClosedHat, 192, 248, SixteenthHats, {0.6f, 0.8f});
    score.drums(Instrument::Kick, 192, 248, FourOnTheFloor, {0.7f, 0.9f});
    score.snareRoll(224, 240, 2, {0.3f, 0.55f});
    score.snareRoll(240, 256, 1, {0.55f, 0.9f});
    score.riser(256, RiserRows, 0.8f);
}

void stabs(ScoreBuilder& score)
{
    score.pads(256, 320, Main, {0.3f, 0.4f}, {0.7f, 0.7f});
    for (int row : StabRows) {
        score.stab(row, Main, 0.85f, 1.0f);
        score.add({Instrument::Kick, double(row), 1.0, 0.0, 1.0f});
        score.add({Instrument::Bass, double(row), 3.0, chordAt(Main, row).root, 0.9f, 0.7f});
        score.add({Instrument::OpenHat, double(row + 2), 1.0, 0.0, 0.6f});
    }
    score.add({Instrument::Crash, 256.0, 1.0, 0.0, 0.9f});
    score.add({Instrument::Boom, 256.0, 1.0, 0.0, 0.6f});
    score.add({Instrument::Crash, 288.0, 1.0, 0.0, 0.6f});
    score.drums(Instrument::ClosedHat, 256, 312, SixteenthHats, {0.5f, 0.7f});
    score.snareRoll(312, 320, 1, {0.5f, 0.9f});
}

void groove(ScoreBuilder& score)
{
    score.pads(320, 640, Main, {0.35f, 0.7f}, {0.8f, 0.9f});
    score.drums(Instrument::Kick, 320, 636, FourOnTheFloor, {0.9f, 1.0f});
    score.drums(Instrument::ClosedHat, 320, 384, OffbeatHats, {0.6f, 0.7f});
    score.drums(Instrument::ClosedHat, 384, 640, SixteenthHats, {0.6f, 0.8f});
    score.drums(Instrument::OpenHat, 448, 608, OffbeatHats, {0.5f, 0.6f});
    score.drums(Instrument::Snare, 384, 608, Backbeat, {0.8f, 0.9f});
    score.bass(320, 448, Main, OffbeatBass, {0.3f, 0.5f}, 0.9f);
    score.bass(448, 640, Main, GrooveBass, {0.5f, 0.8f}, 0.9f);
    score.arpeggio(320, 448, Main, WideArp, 1, {0.35f, 0.5f}, {0.6f, 0.6f});
    score.arpeggio(576, 640, Main, RisingArp, 1, {0.4f, 0.9f}, {0.5f, 0.8f});
    score.melody(448, ThemeA, Cycle, 0, 0.3f, 0.8f);
    fillInto(score, 512);
    score.snareRoll(608, 624, 2, {0.5f, 0.7f});
    score.snareRoll(624, 640, 1, {0.7f, 1.0f});
    score.riser(640, RiserRows, 0.9f);
    score.add({Instrument::Crash, 640.0, 1.0, 0.0, 0.8f});
}

void driving(ScoreBuilder& score)
{
    score.pads(640, 896, Main, {0.6f, 0.7f}, {0.8f, 0.8f});
    score.drums(Instrument::Kick, 640, 896, FourOnTheFloor, {1.0f, 1.0f});
    score.drums(Instrument::Snare, 640, 896, Backbeat, {0.9f, 0.9f});
    score.drums(Instrument::ClosedHat, 640, 896, SixteenthHats, {0.8f, 0.8f});
    score.drums(Instrument::OpenHat, 640, 896, OffbeatHats, {0.55f, 0.55f});
    score.bass(640, 896, Main, RollingBass, {0.7f, 0.8f}, 0.95f);
    score.melody(640, DrivingRiff, Cycle, 0, 0.7f, 0.9f);
    score.melody(768, DrivingRiff, Cycle, 0, 0.8f, 0.95f);
    for (int row : ImpactRows) {
        score.riser(row, RiserRows, 0.9f);
        score.snareRoll(row - 4, row, 1, {0.6f, 0.9f});
        score.impact(row, 1.0f);
    }
}

void mainBody(ScoreBuilder& score)
{
    score.pads(896, 1408, Main, {0.55f, 0.7f}, {0.85f, 0.85f});
    score.drums(Instrument::Kick, 896, 1408, FourOnTheFloor, {1.0f, 1.0f});
    score.drums(Instrument::Snare, 896, 1392, Backbeat, {0.9f, 0.9f});
    score.drums(Instrument::ClosedHat, 896, 1408, SixteenthHats, {0.75f, 0.8f});
    score.drums(Instrument::OpenHat, 1024, 1408, OffbeatHats, {0.5f, 0.55f});
    score.bass(896, 1152, Main, GrooveBass, {0.6f, 0.7f}, 0.95f);
    score.bass(1152, 1408, Main, RollingBass, {0.7f, 0.85f}, 0.95f);
    score.melody(896, ThemeA, Cycle, 0, 0.6f, 0.9f);
    score.melody(1024, ThemeA, Cycle, 0, 0.75f, 0.95f);
    score.melody(1152, ThemeB, Cycle, 0, 0.7f, 0.9f);
    score.melody(1280, ThemeB, Cycle, 0, 0.8f, 0.95f);
    score.arpeggio(1024, 1408, Main, WideArp, 1, {0.4f, 0.6f}, {0.45f, 0.55f});
    for (int row : {1024, 1152, 1280}) {
        fillInto(score, row);
        score.add({Instrument::Crash, double(row), 1.0, 0.0, 0.7f});
    }
    score.snareRoll(1392, 1408, 1, {0.6f, 1.0f});
}

void breakdown(ScoreBuilder& score)
{
    score.add({Instrument::Crash, 1408.0, 1.0, 0.0, 0.7f});
    score.add({Instrument::Boom, 1408.0, 1.0, 0.0, 0.5f});
    score.pads(1408, 1536, Breakdown, {0.6f, 0.35f}, {1.0f, 0.9f});
    score.bass(1408, 1536, Breakdown, HeldBass, {0.15f, 0.15f}, 0.7f);
    score.melody(1408, BreakdownTheme, Cycle, 0, 0.25f, 0.75f);
    score.arpeggio(1408, 1536, Breakdown, FallingArp, 2, {0.25f, 0.4f}, {0.4f, 0.5f});
}

void riseToTheHit(ScoreBuilder& score)
{
    score.pads(1536, 1792, Main, {0.4f, 0.95f}, {0.8f, 1.0f});
    score.drums(Instrument::Kick, 1536, 1776, FourOnTheFloor, {0.85f, 1.0f});
    score.drums(Instrument::ClosedHat, 1536, 1664, OffbeatHats, {0.6f, 0.7f});
    score.drums(Instrument::ClosedHat, 1664, 1776, SixteenthHats, {0.6f, 0.9f});
    score.bass(1536, 1664, Main, OffbeatBass, {0.3f, 0.6f}, 0.9f);
    score.bass(1664, 1776, Main, RollingBass, {0.6f, 1.0f}, 0.95f);
    score.arpeggio(1536, 1792, Main, RisingArp, 1, {0.3f, 1.0f}, {0.55f, 0.85f});
    score.snareRoll(1664, 1728, 2, {0.4f, 0.6f});
    score.snareRoll(1728, 1760, 1, {0.6f, 0.8f});
    score.snareRoll(1760, 1788, 0.5, {0.8f, 1.0f});
    score.riser(BiggestHitRow, 64, 1.0f);
    score.riser(BiggestHitRow, RiserRows, 0.7f);
}

void peak(ScoreBuilder& score)
{
    score.impact(BiggestHitRow, 1.0f);
    score.add({Instrument::Crash, double(BiggestHitRow), 1.0, 0.0, 1.0f});
    score.stab(BiggestHitRow, Main, 1.0f, 1.0f);
    score.pads(1792, 2048, Main, {0.8f, 0.8f}, {0.9f, 0.9f});
    score.drums(Instrument::Kick, 1792, 2048, FourOnTheFloor, {1.0f, 1.0f});
    score.drums(Instrument::Snare, 1792, 2048, Backbeat, {0.95f, 0.95f});
    score.drums(Instrument::ClosedHat, 1792, 2048, SixteenthHats, {0.85f, 0.85f});
    score.drums(Instrument::OpenHat, 1792, 2048, OffbeatHats, {0.6f, 0.6f});
    score.bass(1792, 2048, Main, RollingBass, {0.9f, 0.9f}, 1.0f);
    score.melody(1792, ThemeA, Cycle, 12, 0.8f, 0.85f);
    score.melody(1920, ThemeB, Cycle, 0, 0.9f, 0.95f);
    score.arpeggio(1792, 2048, Main, WideArp, 1, {0.6f, 0.7f}, {0.5f, 0.5f});
    fillInto(score, 1920);
    fillInto(score, 2048);
    score.add({Instrument::Crash, 1920.0, 1.0, 0.0, 0.8f});
}

void windDown(ScoreBuilder& score)
{
    score.add({Instrument::Crash, 2048.0, 1.0, 0.0, 0.7f});
    score.pads(2048, 2304, Main, {0.6f, 0.25f}, {0.9f, 0.75f});
    score.drums(Instrument::Kick, 2048, 2288, FourOnTheFloor, {1.0f, 0.7f});
    score.drums(Instrument::Snare, 2048, 2176, Backbeat, {0.85f, 0.7f});
    score.drums(Instrument::ClosedHat, 2048, 2288, OffbeatHats, {0.7f, 0.35f});
    score.bass(2048, 2176, Main, OffbeatBass, {0.6f, 0.4f}, 0.9f);
    score.bass(2176, 2304, Main, HeldBass, {0.3f, 0.15f}, 0.8f);
    score.melody(2048, ThemeA, Cycle, 0, 0.55f, 0.8f);
    score.arpeggio(2176, 2304, Main, FallingArp, 2, {0.6f, 0.2f}, {0.6f, 0.4f});
}

void outro(ScoreBuilder& score)
{
    constexpr int End = 2376;
    score.add({Instrument::Crash, 2304.0, 1.0, 0.0, 0.6f});
    score.add({Instrument::Boom, 2304.0, 1.0, 0.0, 0.6f});
    score.stab(2304, Main, 0.5f, 0.7f);
    score.pads(2304, End, Main, {0.35f, 0.15f}, {0.8f, 0.6f});
    score.bass(2304, End - 8, Main, HeldBass, {0.2f, 0.1f}, 0.7f);
    score.arpeggio(2304, End - 8, Main, FallingArp, 3, {0.35f, 0.1f}, {0.5f, 0.25f});
    score.add({Instrument::Lead, 2304.0, 56.0, 69.0, 0.6f, 0.3f, 76.0});
}

}

std::vector<Note> nightglassScore()
{
    ScoreBuilder score;
    intro(score);
    stabs(score);
    groove(score);
    driving(score);
    mainBody(score);
    breakdown(score);
    riseToTheHit(score);
    peak(score);
    windDown(score);
    outro(score);
    return score.take();
}

}

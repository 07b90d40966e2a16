#pragma once

#include "Note.h"

#include <vector>

namespace Nightglass::Synth {

// The production's soundtrack: A minor (i-VI-III-VII, Am F C G, two bars a chord) at 162 beats
// per minute, on rows of sixteenth notes so that the timeline's cues fall on musical events:
//      0-256  intro: pads open up, arpeggio from 64, bass and hats from 128, kick from 192,
//             snare roll and a riser into 256
//    256-320  chord stabs with kick on 256, 260, 274, 278, 288, 292, 306, 310
//    320-640  groove: four-on-the-floor, backbeat from 384, lead theme from 448, build from 576
//    640-896  driving part: rolling bass and riff; crash and boom on 704, 768, 832, 896, each after
//             a 28-row riser
//   896-1408  main body: theme A twice, then theme B twice, fills and crashes every 128 rows
//  1408-1536  breakdown without kick (F G Am Em)
//  1536-1792  rebuild and rise: kick back, snare roll speeding up, 64-row riser; the kick stops
//             at 1776 to leave room for
//       1792  the biggest hit (two crashes, boom, stab)
//  1792-2048  peak: theme A an octave up, then theme B
//  2048-2304  winding down: thinner drums, closing filters, kick until 2288
//  2304-2376  outro: last hit, held A minor and a fading lead; reverb tail to 223 s
std::vector<Note> nightglassScore();

// Rows of the accented chord stabs after the intro.
inline constexpr int StabRows[] = {256, 260, 274, 278, 288, 292, 306, 310};
// Rows of the impacts (crash and boom, each after a riser) in the driving part.
inline constexpr int ImpactRows[] = {704, 768, 832, 896};
inline constexpr int BiggestHitRow = 1792;
inline constexpr int RiserRows = 28;

}

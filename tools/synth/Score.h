#pragma once

#include "Note.h"

#include <vector>

namespace Nightglass::Synth {

// The production's soundtrack: A minor at 162 beats per minute, arranged on rows (sixteenths)
// to match the timeline's cues. Rows with fixed cues:
//   0-256 intro, 256-320 stabs, 640-896 driving part with impacts on 704, 768, 832, 896,
//   1792 the biggest hit, 2304-2376 outro.
std::vector<Note> nightglassScore();

// Rows of the accented chord stabs after the intro.
inline constexpr int StabRows[] = {256, 260, 274, 278, 288, 292, 306, 310};
// Rows of the impacts (crash and boom, each after a riser) in the driving part.
inline constexpr int ImpactRows[] = {704, 768, 832, 896};
inline constexpr int BiggestHitRow = 1792;
inline constexpr int RiserRows = 28;

}

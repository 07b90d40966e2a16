#pragma once

#include "orvane/RenderEnums.h"

#include <optional>
#include <string>

namespace Tavrin {
class Demo;
}

namespace Tavrin::Flow {

// A musical time: up to four colon-separated integers (each signed, octal with a leading 0, hex
// with 0x, as C's "%i" reads them), right-aligned into sixteenth notes and turned into seconds
// at the demo's current tempo. Reading stops at the first character that does not fit or at a
// field of -1; a null text, a text without digits or a first field of -1 gives 0.
float parseTime(const char* text, const Demo& demo);
// The same time in sixteenth notes, before the tempo applies: parseTime is this many rows.
float parseRows(const char* text);
// How many fields a time text has, 1 to 4 (0 for a text without a time).
int timeFieldCount(const char* text);

// "#resolution.x", "#resolution.y" and "#aspect" read the demo's display; anything else is a
// float with leading blanks skipped and trailing text ignored (0 when there is none).
float parseValue(const char* text, const Demo& demo);

// What is wrong with a text the readers above accept but do not read whole: no number at all,
// trailing text, or (for values) a number that is not finite. Empty when the text reads cleanly.
std::optional<std::string> timeTextProblem(const char* text);
std::optional<std::string> valueTextProblem(const char* text);

// Blend words of the "src" and "dst" attributes; an unknown word keeps the fallback. "alpha"
// means the inverse source alpha as a destination.
Orvane::BlendOperandEnum parseBlendSource(const char* word, Orvane::BlendOperandEnum fallback);
Orvane::BlendOperandEnum parseBlendDestination(const char* word, Orvane::BlendOperandEnum fallback);

}

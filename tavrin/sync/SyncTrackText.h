#pragma once

#include "tavrin/sync/SyncTrackFile.h"

#include <string>

namespace Tavrin::Sync {

// The readable form of the track file, one key per line:
//
//   # comments run from '#' to the end of the line
//   bpm 162                          row length for the times below (default 162)
//   <track> <time> <mode> <in x y z w> [<out x y z w>]
//
// track is 0..63; time is seconds ("2.5") or sixteenth-note rows ("r256"); mode is step, linear or
// smooth; a key with one value uses it for both sides. A track's keys must come in increasing time;
// tracks without lines keep the default single zero key.

// Throws UnsupportedFormatException "<fileName>:<line>: <problem>" on the first bad line.
SyncTrackKeys compileSyncTrackText(const std::string& text, const std::string& fileName);

// The text with only the keys that differ from keys written anew, matched by time within each
// track: a changed key is rewritten on its line (keeping the line's comment), a key that is gone
// loses its line, and a new key goes right after the line of the key before it in its track (before
// the track's first line when there is none). A track that becomes the single zero key loses all
// its lines; a track the text had no lines for is added at the end under the comment "# " + note.
// Comments, blank lines, tempo lines and every other line stay as they were, byte for byte.
// Throws as compileSyncTrackText for a bad text.
std::string updateSyncTrackText(const std::string& text, const SyncTrackKeys& keys, const std::string& fileName,
                                const std::string& note);

// Writes times that fall exactly on a row at this tempo as rows, the rest as seconds, with enough
// digits to compile back to the same bits. Throws for a mode that has no name.
std::string decompileSyncTrackKeys(const SyncTrackKeys& keys, float bpm = 162.0f);

}

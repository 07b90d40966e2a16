#pragma once

#include "tavrin/sync/SyncTrackFile.h"

#include <map>
#include <string>

namespace TrackKit {

// Editor track names to the editor's track numbers of ours, 4 x NN + component.
using TrackNameMap = std::map<std::string, int>;

// The XML project files of the Rocket sync editor: <rootElement> (or <sync>, or a bare <tracks>)
// holding <tracks> of <track name="NN.c"> with <key row="" value="" interpolation="0..3"/>. Track
// "NN.x" .. "NN.w" is component x .. w of our track NN; rows are sixteenth notes at bpm.

// Components the file leaves out are zero, as in the editor; tracks it leaves out keep the single
// zero key. Tracks may also go by the names of a map (below). Throws FileNotFoundException for a file that cannot be opened, and
// UnsupportedFormatException "<path>:<line>: <problem>" for malformed XML, an unknown track name,
// a row that is not a whole number from 0, two keys on one row, a value that is not a finite
// number or an unknown interpolation.
Tavrin::Sync::SyncTrackKeys readRocketProject(const std::string& path, float bpm, const TrackNameMap& names = {});

// Another demo's project names its tracks as it likes; a map file says which of ours each is, one
// "NAME NN.c" a line ('#' starts a comment). Throws UnsupportedFormatException "<path>:<line>: ..."
// for any other line or a name mapped twice.
TrackNameMap readTrackNameMap(const std::string& path);

// Every track that is not the single zero key, as four editor tracks (see rocketKeysOf for what
// the editor cannot hold as it is). Throws Exception when the file cannot be written.
void writeRocketProject(const std::string& path, const Tavrin::Sync::SyncTrackKeys& keys, float bpm);

// How many keys fall between rows, where the editor cannot hold them.
int keysOffRows(const Tavrin::Sync::SyncTrackKeys& keys, float bpm);

}

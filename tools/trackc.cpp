// Compiles the readable sync-track text to the binary track file the demo reads, and back, and
// trades tracks with the Rocket sync editor's XML projects:
//   trackc compile <source.txt> <output.track>
//   trackc decompile <input.track> [<output.txt>]    (standard output without a second name)
//   trackc import-rocket [--bpm N] [--map FILE] <project.rocket> <output.txt>
//   trackc export-rocket [--bpm N] <source.txt> <project.rocket>
// Rocket counts rows, four to the beat, at --bpm (default 162, the production's tempo). --map names
// which of our tracks each track of another demo's project is ("NAME NN.c" lines).

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/sync/SyncTrackText.h"
#include "trackkit/RocketProject.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr float ProductionBpm = 162.0f;

int usage()
{
    std::fprintf(stderr,
                 "usage: trackc compile <source.txt> <output.track>\n"
                 "       trackc decompile <input.track> [<output.txt>]\n"
                 "       trackc import-rocket [--bpm N] [--map FILE] <project.rocket> <output.txt>\n"
                 "       trackc export-rocket [--bpm N] <source.txt> <project.rocket>\n");
    return 2;
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        throw Orvane::Exceptions::Exception("Cannot write " + path);
}

// Takes "--bpm N" out of the arguments; nothing when N is not a tempo above 0.
std::optional<float> takeTempo(std::vector<std::string>& arguments)
{
    float bpm = ProductionBpm;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--bpm")
            continue;
        if (i + 1 >= arguments.size())
            return std::nullopt;
        const std::string& text = arguments[i + 1];
        auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), bpm);
        if (error != std::errc() || stop != text.data() + text.size() || !(bpm > 0.0f) || !std::isfinite(bpm))
            return std::nullopt;
        arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
        --i;
    }
    return bpm;
}

// Takes "--map FILE" out of the arguments: the file, "" without the option, nothing when FILE is missing.
std::optional<std::string> takeMap(std::vector<std::string>& arguments)
{
    auto found = std::find(arguments.begin(), arguments.end(), "--map");
    if (found == arguments.end())
        return std::string();
    if (found + 1 == arguments.end())
        return std::nullopt;
    std::string file = *(found + 1);
    arguments.erase(found, found + 2);
    return file;
}

void exportRocket(const std::string& source, const std::string& project, float bpm)
{
    Tavrin::Sync::SyncTrackKeys keys = Tavrin::Sync::compileSyncTrackText(Orvane::Utils::readTextFile(source), source);
    if (int offRows = TrackKit::keysOffRows(keys, bpm))
        std::fprintf(stderr, "trackc: %d keys of %s fall between rows at %g bpm; each goes to its nearest row\n",
                     offRows, source.c_str(), double(bpm));
    TrackKit::writeRocketProject(project, keys, bpm);
}

int run(std::vector<std::string> arguments)
{
    std::string command = arguments.empty() ? "" : arguments[0];
    if (command == "compile" && arguments.size() == 3) {
        std::string source = Orvane::Utils::readTextFile(arguments[1]);
        Tavrin::Sync::writeSyncTrackFile(arguments[2], Tavrin::Sync::compileSyncTrackText(source, arguments[1]));
        return 0;
    }
    if (command == "decompile" && (arguments.size() == 2 || arguments.size() == 3)) {
        std::string text = Tavrin::Sync::decompileSyncTrackKeys(Tavrin::Sync::readSyncTrackFile(arguments[1]));
        if (arguments.size() == 3)
            writeText(arguments[2], text);
        else
            std::cout << text;
        return 0;
    }
    std::optional<float> bpm = takeTempo(arguments);
    std::optional<std::string> map = takeMap(arguments);
    if (!bpm || !map || arguments.size() != 3 || (!map->empty() && command != "import-rocket"))
        return usage();
    if (command == "import-rocket") {
        TrackKit::TrackNameMap names = map->empty() ? TrackKit::TrackNameMap{} : TrackKit::readTrackNameMap(*map);
        Tavrin::Sync::SyncTrackKeys keys = TrackKit::readRocketProject(arguments[1], *bpm, names);
        writeText(arguments[2], Tavrin::Sync::decompileSyncTrackKeys(keys, *bpm));
        return 0;
    }
    if (command == "export-rocket") {
        exportRocket(arguments[1], arguments[2], *bpm);
        return 0;
    }
    return usage();
}

}

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "trackc: %s\n", e.getMessage().c_str());
        return 1;
    }
}

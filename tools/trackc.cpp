// Compiles the readable sync-track text to the binary track file the demo reads, and back:
//   trackc compile <source.txt> <output.track>
//   trackc decompile <input.track> [<output.txt>]    (standard output without a second name)

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/SyncTrackText.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: trackc compile <source.txt> <output.track>\n"
                         "       trackc decompile <input.track> [<output.txt>]\n");
    return 2;
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        throw Orvane::Exceptions::Exception("Cannot write " + path);
}

int run(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) {
        std::string source = Orvane::Utils::readTextFile(argv[2]);
        Tavrin::writeSyncTrackFile(argv[3], Tavrin::compileSyncTrackText(source, argv[2]));
        return 0;
    }
    if (command == "decompile" && (argc == 3 || argc == 4)) {
        std::string text = Tavrin::decompileSyncTrackKeys(Tavrin::readSyncTrackFile(argv[2]));
        if (argc == 4)
            writeText(argv[3], text);
        else
            std::cout << text;
        return 0;
    }
    return usage();
}

}

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "trackc: %s\n", e.getMessage().c_str());
        return 1;
    }
}

#include "FuzzInput.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace Fuzz {

std::string writeScratchFile(const std::uint8_t* data, std::size_t size, const char* suffix)
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/nightglass-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("cannot make a scratch folder");
        return std::string(pattern) + "/";
    }();
    std::string path = folder + "input" + suffix;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

}

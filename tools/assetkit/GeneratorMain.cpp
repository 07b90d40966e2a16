#include "GeneratorMain.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cstdio>

namespace AssetKit {

int runGenerator(int argc, char** argv, const std::string& usage,
                 const std::function<void(const std::vector<std::string>& arguments)>& body)
{
    size_t expected = size_t(std::count(usage.begin(), usage.end(), ' ') + 1);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() != expected) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], usage.c_str());
        return 2;
    }
    try {
        body(arguments);
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.getMessage().c_str());
        return 1;
    }
    return 0;
}

}

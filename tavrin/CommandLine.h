#pragma once

#include "tavrin/RunOptions.h"

#include <string>
#include <vector>

namespace Tavrin {

struct ParsedCommandLine {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    RunOptions options;
    std::string error;
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string commandLineHelp(const std::string& programName);

}

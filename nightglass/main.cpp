#include "nightglass/Nightglass.h"
#include "orvane/MessageBox.h"
#include "orvane/StopSignals.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/CommandLine.h"
#include "tavrin/install/DataLocation.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// The demo's paths are relative to the folder that holds data/, which need not be the one the
// user started it from: paths the user gave keep meaning what they meant there.
void enterBaseFolder(Tavrin::RunOptions& options, Tavrin::Demo& demo)
{
    namespace fs = std::filesystem;
    fs::path current = fs::current_path();
    fs::path base = Tavrin::Install::findBaseFolder(current, Tavrin::Install::executablePath());
    if (!options.flowFile.empty())
        options.flowFile = fs::absolute(options.flowFile).string();
    if (options.capture.enabled())
        options.capture.path = fs::absolute(options.capture.path).string();
    fs::current_path(base);
    demo.nodeCountFile = Tavrin::Install::nodeCountLocation(Tavrin::Install::isWritable(base / "data"),
                                                            std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    Tavrin::ParsedCommandLine commandLine = Tavrin::parseCommandLine(arguments);
    switch (commandLine.outcome) {
    case Tavrin::ParsedCommandLine::Outcome::Help:
        std::fputs(Tavrin::commandLineHelp(argv[0]).c_str(), stdout);
        return 0;
    case Tavrin::ParsedCommandLine::Outcome::Error:
        std::fprintf(stderr, "%s: %s\n%s", argv[0], commandLine.error.c_str(),
                     Tavrin::commandLineHelp(argv[0]).c_str());
        return 2;
    case Tavrin::ParsedCommandLine::Outcome::Run: break;
    }
    Orvane::StopSignals::install();
    if (commandLine.options.unattended(isatty(STDIN_FILENO) == 1))
        Orvane::MessageBox::setBatchMode(true);
    try {
        Nightglass::Nightglass demo;
        enterBaseFolder(commandLine.options, demo);
        return demo.run(commandLine.options);
    } catch (const Orvane::Exceptions::Exception& e) {
        Orvane::MessageBox::show("Orvane Exception", e.getMessage());
        return 1;
    }
}

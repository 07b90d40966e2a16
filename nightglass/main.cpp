#include "nightglass/Nightglass.h"
#include "orvane/MessageBox.h"
#include "orvane/StopSignals.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/CommandLine.h"
#include "tavrin/flow/FlowPeek.h"
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

// What a script asks of the flow it would play, read from the flow's settings as a run would read them.
int answer(const Tavrin::RunOptions& options, Tavrin::Demo& demo)
{
    Tavrin::Flow::PeekedSettings flow
        = Tavrin::Flow::peekFlowSettings(options.flowFile.empty() ? demo.flowFileName : options.flowFile, demo.dataFolder);
    if (options.query == Tavrin::Query::EndTime) {
        demo.bpm = flow.bpm.value_or(demo.bpm);
        std::printf("%.9g\n", double(demo.endTime()));
        return 0;
    }
    // A flow without music prints an empty line: it plays silent.
    std::printf("%s\n", flow.musicPath.empty() ? "" : std::filesystem::absolute(flow.musicPath).c_str());
    return 0;
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
        if (commandLine.options.query != Tavrin::Query::None)
            return answer(commandLine.options, demo);
        return demo.run(commandLine.options);
    } catch (const Orvane::Exceptions::Exception& e) {
        Orvane::MessageBox::show("Orvane Exception", e.getMessage());
        return 1;
    }
}

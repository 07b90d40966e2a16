#include "nightglass/Nightglass.h"
#include "orvane/MessageBox.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/CommandLine.h"

#include <cstdio>
#include <string>
#include <vector>

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
    case Tavrin::ParsedCommandLine::Outcome::Run:
        break;
    }
    try {
        Nightglass::Nightglass demo;
        return demo.run(commandLine.options);
    } catch (const Orvane::Exceptions::Exception& e) {
        Orvane::MessageBox::show("Orvane Exception", e.getMessage());
        return 1;
    }
}

#include "nightglass/Nightglass.h"
#include "orvane/GlErrorCheck.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"

#include <tinyxml2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

void collectElementNames(const tinyxml2::XMLElement* element, std::set<std::string>& names)
{
    for (; element; element = element->NextSiblingElement()) {
        names.insert(element->Name());
        collectElementNames(element->FirstChildElement(), names);
    }
}

// Every name the registry might answer to: the elements of our flow files and the lower-case
// names of the effect headers, so effects are covered as they are added.
std::set<std::string> candidateEffectNames()
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator("data")) {
        tinyxml2::XMLDocument document;
        if (entry.path().extension() == ".flow" && document.LoadFile(entry.path().c_str()) == tinyxml2::XML_SUCCESS)
            collectElementNames(document.RootElement(), names);
    }
    if (fs::exists("nightglass/effects"))
        for (const auto& entry : fs::directory_iterator("nightglass/effects"))
            if (entry.path().extension() == ".h") {
                std::string name = entry.path().stem().string();
                std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
                names.insert(name);
            }
    // The loader's own elements never reach the registry.
    for (const char* builtIn : {"flow", "inline", "demo", "at", "time_stretch", "quad", "ortho", "camera",
                                "perspective", "translate", "rotate", "blend", "clear"})
        names.erase(builtIn);
    return names;
}

// Remembers which names the production's registry answered to.
class ProbedNightglass : public Nightglass::Nightglass {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override
    {
        Tavrin::Visual* visual = Nightglass::createVisual(element);
        if (visual)
            answered.insert(element.Name());
        return visual;
    }
    std::set<std::string> answered;
};

}

TEST(EffectsGlTest, TheTimelineAndEveryRegisteredEffectDrawWithoutAGlError)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    // The production's timeline, then every candidate drawn at every time (time_stretch always runs
    // its children); names the registry does not know are warned about and skipped by the loader.
    std::ofstream flow(dir.file("effects.flow"));
    flow << "<flow><demo><data_folder>" << fs::absolute("data").string() << "/</data_folder></demo>"
         << "<inline file=\"Nightglass.flow\"/><time_stretch>";
    for (const std::string& name : candidateEffectNames())
        flow << "<" << name << "/>";
    flow << "</time_stretch></flow>";
    flow.close();

    ProbedNightglass demo;
    Tavrin::ParsedCommandLine parsed
        = Tavrin::parseCommandLine({"--flow", dir.file("effects.flow"), "--capture", dir.file("frames"), "--times",
                                    "0.5,4,17,40,75", "--size", "160x90", "--aa", "0", "--gl-debug"});
    testing::internal::CaptureStderr();
    int status = demo.run(parsed.options);
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0) << stderrText;
    EXPECT_EQ(stderrText.find("GL error"), std::string::npos) << stderrText;
    EXPECT_EQ(Orvane::GlErrorCheck::errorCount(), 0);
    std::string drawn;
    for (const std::string& name : demo.answered)
        drawn += " " + name;
    RecordProperty("effects", drawn);
    std::printf("effects drawn:%s\n", drawn.empty() ? " none registered yet" : drawn.c_str());
}

#include "FuzzInput.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/Demo.h"
#include "tavrin/flow/FlowLoader.h"
#include "tavrin/flow/ParentNode.h"

namespace {

// Loads without a window: no effect is registered, and nothing is drawn.
class NoEffects : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = Fuzz::writeScratchFile(data, size, ".flow");
    // One demo for all inputs (building one draws its 10,000 random points); what a flow file can
    // change in it is set back each time.
    static NoEffects demo;
    demo.dataFolder = path.substr(0, path.rfind('/') + 1);
    demo.bpm = 162.0f;
    demo.musicFileName.clear();
    Tavrin::Flow::LoadOptions options;
    options.nodeCountFile = demo.dataFolder + "lol.dat";
    try {
        Tavrin::Flow::loadFlow(path, demo, options);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}

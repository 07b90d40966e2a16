#include "EffectGlTest.h"
#include "tavrin/flow/FlowLoader.h"
#include "tavrin/flow/ParentNode.h"
#include "tavrin/flow/VisualContainerNode.h"
#include "tavrin/sync/SyncTrackText.h"

#include <tinyxml2.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace {

class ProductionGlTest : public NightglassTest::EffectGlTest {};

// Every effect node in the tree, with how often each appears.
void collectEffects(Tavrin::Flow::Node& node, std::map<const Tavrin::Visual*, int>& effects)
{
    if (auto* visual = dynamic_cast<Tavrin::Flow::VisualContainerNode*>(&node))
        ++effects[visual];
    for (Tavrin::Flow::Node* child : node.children())
        collectEffects(*child, effects);
}

}

TEST_F(ProductionGlTest, TheTimelinePlacesEveryEffectOnceBuiltAndEndsAt220Seconds)
{
    Tavrin::Flow::LoadOptions options;
    options.nodeCountFile = "/dev/null";
    options.loadTexture = [&](const std::string& name) { return demo.loadTexture(name); };
    std::unique_ptr<Tavrin::Flow::ParentNode> root = Tavrin::Flow::loadFlow(demo.flowFileName, demo, options);
    EXPECT_EQ(demo.musicFileName, "music/nightglass.ogg");
    EXPECT_FLOAT_EQ(demo.bpm, 162.0f);
    EXPECT_NEAR(demo.endTime(), 220.0f, 1e-3f);

    std::map<const Tavrin::Visual*, int> placed;
    collectEffects(*root, placed);
    std::set<const Tavrin::Visual*> registered;
    for (const char* name : Nightglass::Nightglass::EffectNames) {
        SCOPED_TRACE(name);
        const Tavrin::Visual* built = &effect(name);
        registered.insert(built);
        EXPECT_EQ(placed.count(built), 1u) << "the timeline never shows it";
    }
    // Every node the timeline placed is one of the eleven shared instances.
    EXPECT_EQ(placed.size(), Nightglass::Nightglass::EffectNames.size());
    for (const auto& [effect, count] : placed)
        EXPECT_EQ(registered.count(effect), 1u);

    std::ifstream tracks("data/tracks/default.txt");
    std::stringstream text;
    text << tracks.rdbuf();
    EXPECT_NO_THROW(Tavrin::Sync::compileSyncTrackText(text.str(), "data/tracks/default.txt"));
}

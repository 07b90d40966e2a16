#include "FlowTestSupport.h"

#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"
#include "tavrin/flow/AtNode.h"
#include "tavrin/flow/Blend.h"
#include "tavrin/flow/CameraNode.h"
#include "tavrin/flow/ClearNode.h"
#include "tavrin/flow/Fade.h"
#include "tavrin/flow/Ortho.h"
#include "tavrin/flow/PerspectiveNode.h"
#include "tavrin/flow/Quad.h"
#include "tavrin/flow/Rotate.h"
#include "tavrin/flow/TimeStretch.h"
#include "tavrin/flow/Translate.h"

#include <algorithm>

using namespace Tavrin::Flow;
using Orvane::BlendOperandEnum;

namespace {

class FlowLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        demo.dataFolder = dir.path().string() + "/";
        options.nodeCountFile = dir.file("lol.dat");
        options.progress = [this](float percent) { progress.push_back(percent); };
    }

    std::unique_ptr<ParentNode> load(const std::string& body)
    {
        FlowTest::writeFile(dir.file("test.flow"), "<flow>" + body + "</flow>");
        return loadFlow(dir.file("test.flow"), demo, options);
    }

    template <class T>
    static T& child(const Node& parent, size_t index)
    {
        EXPECT_LT(index, parent.children().size());
        auto* node = dynamic_cast<T*>(parent.children().at(index));
        if (!node)
            throw std::runtime_error("child has another type");
        return *node;
    }

    void expectProgress(const std::vector<float>& expected) const
    {
        ASSERT_EQ(progress.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(progress[i], expected[i], 1e-4f) << "report " << i;
    }

    TestSupport::TempDir dir;
    FlowTest::TestDemo demo;
    LoadOptions options;
    std::vector<float> progress;
};

}

TEST_F(FlowLoaderTest, ElementsBecomeNodesWithTheirDefaults)
{
    auto root = load("<at/><time_stretch/><ortho/><camera/><perspective/><translate/><rotate/><blend/><clear/><quad/>");
    ASSERT_EQ(root->children().size(), 10u);
    EXPECT_EQ(root->value, 0.0f);

    auto& at = child<AtNode>(*root, 0);
    EXPECT_EQ(at.time, 0.0f);
    EXPECT_EQ(at.length, 3.0f);
    auto& stretch = child<TimeStretch>(*root, 1);
    EXPECT_EQ(stretch.factor, 1.0f);
    EXPECT_EQ(stretch.offset, 0.0f);
    auto& ortho = child<Ortho>(*root, 2);
    EXPECT_EQ(ortho.left, -1.0f);
    EXPECT_EQ(ortho.right, 1.0f);
    EXPECT_EQ(ortho.top, 1.0f);
    EXPECT_EQ(ortho.bottom, -1.0f);
    auto& camera = child<CameraNode>(*root, 3);
    EXPECT_EQ(camera.position->vectorAt(0), (Orvane::Vector3t<float>(100, 100, 100)));
    EXPECT_EQ(camera.target->vectorAt(0), (Orvane::Vector3t<float>(0, 0, 0)));
    EXPECT_EQ(camera.up->vectorAt(0), (Orvane::Vector3t<float>(0, 0, 1)));
    auto& perspective = child<PerspectiveNode>(*root, 4);
    EXPECT_EQ(perspective.fov->evaluate(0), 45.0f);
    EXPECT_EQ(perspective.aspect->evaluate(0), demo.aspect);
    EXPECT_EQ(perspective.nearPlane->evaluate(0), 1.0f);
    EXPECT_EQ(perspective.farPlane->evaluate(0), 1000.0f);
    auto& rotate = child<Rotate>(*root, 6);
    EXPECT_EQ(rotate.angle->evaluate(0), 0.0f);
    EXPECT_EQ(rotate.axis->vectorAt(0), (Orvane::Vector3t<float>(0, 0, 1)));
    auto& blend = child<Blend>(*root, 7);
    EXPECT_EQ(blend.src, BlendOperandEnum::SrcAlpha);
    EXPECT_EQ(blend.dst, BlendOperandEnum::OneMinusSrcAlpha);
    auto& clear = child<ClearNode>(*root, 8);
    EXPECT_EQ(clear.target, Orvane::ClearTarget::ColorDepth);
    EXPECT_EQ(clear.color->colorAt(0), (Orvane::Vector4t<float>(0, 0, 0, 1)));
    EXPECT_EQ(clear.depth->evaluate(0), 1.0f);
    auto& quad = child<Quad>(*root, 9);
    EXPECT_EQ(quad.x->evaluate(0), -0.5f);
    EXPECT_EQ(quad.y->evaluate(0), -0.5f);
    EXPECT_EQ(quad.width->evaluate(0), 1.0f);
    EXPECT_EQ(quad.height->evaluate(0), 1.0f);
    EXPECT_EQ(quad.color->colorAt(0), (Orvane::Vector4t<float>(1, 1, 1, 1)));
    EXPECT_EQ(quad.demo, &demo);

    // Parameter nodes made by the constructors are listed: 3 vectors, 4 perspective, 3 translate,
    // angle + axis, colour + depth, 4 sizes + colour.
    EXPECT_EQ(root->countNodes(), 1 + 10 + 3 + 4 + 3 + 2 + 2 + 5);
}

TEST_F(FlowLoaderTest, AttributesUseTheTimeAndValueSyntaxes)
{
    demo.bpm = 120.0f;
    demo.width = 640;
    auto root = load(R"(<at time="1:0:0" length="16"/><time_stretch offset="8" factor="0.5"/>)"
                     R"(<ortho left="-#resolution.x" right="#resolution.x" top="2" bottom="-3"/>)"
                     R"(<blend src="one" dst="alpha"/><blend src="nonsense" dst="invcolor"/>)");
    auto& at = child<AtNode>(*root, 0);
    EXPECT_EQ(at.time, 2.0f);
    EXPECT_EQ(at.length, 2.0f);
    auto& stretch = child<TimeStretch>(*root, 1);
    EXPECT_EQ(stretch.offset, 1.0f);
    EXPECT_EQ(stretch.factor, 0.5f);
    auto& ortho = child<Ortho>(*root, 2);
    EXPECT_EQ(ortho.left, 0.0f) << "a minus sign does not make a symbol";
    EXPECT_EQ(ortho.right, 640.0f);
    EXPECT_EQ(ortho.top, 2.0f);
    EXPECT_EQ(ortho.bottom, -3.0f);
    auto& additive = child<Blend>(*root, 3);
    EXPECT_EQ(additive.src, BlendOperandEnum::One);
    EXPECT_EQ(additive.dst, BlendOperandEnum::OneMinusSrcAlpha);
    auto& odd = child<Blend>(*root, 4);
    EXPECT_EQ(odd.src, BlendOperandEnum::SrcAlpha);
    EXPECT_EQ(odd.dst, BlendOperandEnum::OneMinusSrcColor);
}

TEST_F(FlowLoaderTest, ADemoElementChangesOnlyTheTimesReadAfterIt)
{
    auto root = load(R"(<at time="16"/><demo><data_folder>assets/</data_folder><music>song.ogg</music>)"
                     R"(<bpm>120</bpm></demo><at time="16"/>)");
    ASSERT_EQ(root->children().size(), 2u);
    EXPECT_FLOAT_EQ(child<AtNode>(*root, 0).time, 16 * 60.0f / (4 * 162.0f));
    EXPECT_EQ(child<AtNode>(*root, 1).time, 2.0f);
    EXPECT_EQ(demo.bpm, 120.0f);
    EXPECT_EQ(demo.dataFolder, "assets/");
    EXPECT_EQ(demo.musicFileName, "song.ogg");
}

TEST_F(FlowLoaderTest, ParameterFormsAndTheChildElementWins)
{
    demo.bpm = 120.0f;
    auto root = load(R"(<quad x="1" width="0.25"><x>2</x><y><fade start="4" stop="8" from="4" to="8"/></y>)"
                     R"(<height><scurve start="0" stop="8" from="0" to="8"/></height></quad>)");
    auto& quad = child<Quad>(*root, 0);
    EXPECT_EQ(quad.x->evaluate(0), 2.0f);
    EXPECT_EQ(quad.width->evaluate(0), 0.25f);
    // A fade's from and to are read as times: 4 and 8 sixteenths at 120 bpm.
    EXPECT_EQ(quad.y->evaluate(0.0f), 0.5f);
    EXPECT_EQ(quad.y->evaluate(0.75f), 0.75f);
    EXPECT_EQ(quad.y->evaluate(2.0f), 1.0f);
    auto* curve = dynamic_cast<Fade*>(quad.height);
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->mode, FadeMode::SCurve);
    EXPECT_EQ(quad.countNodes(), 6 + 3) << "replacements are listed next to the defaults";
}

TEST_F(FlowLoaderTest, QuadTexturesComeFromTheTextureLoaderAndTheChildElementWins)
{
    std::vector<std::string> asked;
    Orvane::Texture* const fake[2]
        = {reinterpret_cast<Orvane::Texture*>(0x10), reinterpret_cast<Orvane::Texture*>(0x20)};
    options.loadTexture = [&](const std::string& name) {
        asked.push_back(name);
        return fake[asked.size() - 1];
    };
    auto root = load(R"(<quad texture="textures/a.png"><texture>textures/b.png</texture></quad><quad/>)");
    EXPECT_EQ(asked, (std::vector<std::string>{"textures/a.png", "textures/b.png"}));
    EXPECT_EQ(child<Quad>(*root, 0).texture, fake[1]);
    EXPECT_EQ(child<Quad>(*root, 1).texture, nullptr);
}

TEST_F(FlowLoaderTest, ColoursTakeShortOrLongNamesAndTheLongOneWins)
{
    auto root = load(R"(<quad><color r="0.1" red="0.2" g="0.3" blue="0.4"><alpha>0.5</alpha><a>0.6</a></color></quad>)"
                     R"(<clear><color g="0"/><depth>0.5</depth></clear>)");
    auto& quad = child<Quad>(*root, 0);
    Orvane::Vector4t<float> rgba = quad.color->colorAt(0);
    EXPECT_EQ(rgba, (Orvane::Vector4t<float>(0.2f, 0.3f, 0.4f, 0.6f)));
    EXPECT_EQ(quad.color->countNodes(), 3);
    // A colour element starts from white, not from the clear's black.
    auto& clear = child<ClearNode>(*root, 1);
    EXPECT_EQ(clear.color->colorAt(0), (Orvane::Vector4t<float>(1, 0, 1, 1)));
    EXPECT_EQ(clear.depth->evaluate(0), 0.5f);
    EXPECT_EQ(clear.countNodes(), 3) << "a clear's replaced parameters are not listed";
}

TEST_F(FlowLoaderTest, VectorElementsStartFromZeroWhateverTheDefault)
{
    auto root = load(R"(<camera><position x="5"/><up><z>2</z></up></camera><rotate angle="30"><axis y="1"/></rotate>)");
    auto& camera = child<CameraNode>(*root, 0);
    EXPECT_EQ(camera.position->vectorAt(0), (Orvane::Vector3t<float>(5, 0, 0)));
    EXPECT_EQ(camera.target->vectorAt(0), (Orvane::Vector3t<float>(0, 0, 0)));
    EXPECT_EQ(camera.up->vectorAt(0), (Orvane::Vector3t<float>(0, 0, 2)));
    auto& rotate = child<Rotate>(*root, 1);
    EXPECT_EQ(rotate.angle->evaluate(0), 30.0f);
    EXPECT_EQ(rotate.axis->vectorAt(0), (Orvane::Vector3t<float>(0, 1, 0)));
}

TEST_F(FlowLoaderTest, NestingFollowsTheDocumentAndParameterElementsAlsoReachTheRegistry)
{
    auto root = load(R"(<translate><x>1</x><probe/><at><probe/></at></translate><mystery/><probe2/>)"
                     R"(<quad><probe/></quad><clear><probe/></clear>)");
    EXPECT_EQ(demo.askedFor, (std::vector<std::string>{"x", "probe", "probe", "mystery", "probe2"}));
    ASSERT_EQ(root->children().size(), 4u);
    auto& translate = child<Translate>(*root, 0);
    // x, y, z defaults, the probe, the at, then the replacing x.
    ASSERT_EQ(translate.children().size(), 6u);
    EXPECT_EQ(translate.children()[3], &demo.probe());
    EXPECT_EQ(translate.children()[5], translate.x);
    EXPECT_EQ(child<AtNode>(translate, 4).children()[0], &demo.probe());
    EXPECT_EQ(root->children()[1], &demo.probe2());
    root.reset();
    EXPECT_FALSE(demo.probeDestroyed);
}

TEST_F(FlowLoaderTest, InlineFilesLoadFromTheDataFolderIntoASubtree)
{
    FlowTest::writeFile(dir.file("part.flow"), R"(<flow><demo><bpm>60</bpm></demo><at time="1"/><probe/></flow>)");
    auto root = load(R"(<quad/><inline file="part.flow"/><at time="1"/>)");
    ASSERT_EQ(root->children().size(), 3u);
    auto& inlined = child<ParentNode>(*root, 1);
    ASSERT_EQ(inlined.children().size(), 2u);
    EXPECT_EQ(child<AtNode>(inlined, 0).time, 0.25f);
    EXPECT_EQ(inlined.children()[1], &demo.probe());
    EXPECT_EQ(child<AtNode>(*root, 2).time, 0.25f) << "the inlined tempo stays in force";
}

TEST_F(FlowLoaderTest, ProgressWithoutACountFileDividesByAHundredAndTheCountIsWritten)
{
    auto root = load("<at><translate/></at><at/>");
    // The translate is reported before its window joins the tree.
    expectProgress({10.7f, 14.2f, 14.9f});
    EXPECT_EQ(root->countNodes(), 7);
    EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), 7);

    progress.clear();
    load("<at><translate/></at><at/>");
    expectProgress({20.0f, 70.0f, 80.0f});
}

TEST_F(FlowLoaderTest, ProgressCountsEveryElementAtAnyDepthAndRunsPastEightyOnAStaleCount)
{
    FlowTest::writeFile(options.nodeCountFile, std::string("\x02\x00\x00\x00", 4));
    load(R"(<demo><bpm>120</bpm></demo><unknown/><translate><x>1</x></translate>)");
    expectProgress({45.0f, 45.0f, 45.0f, 10.0f + 70.0f * 6 / 2});
    EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), 6);
}

TEST_F(FlowLoaderTest, ProgressCountsASubtreeOnceItJoinsTheRootAndAnAccurateCountEndsAtEighty)
{
    FlowTest::writeFile(options.nodeCountFile, std::string("\x04\x00\x00\x00", 4));
    // An inlined root and its window, a shared effect and a translate with its three parameters.
    FlowTest::writeFile(dir.file("part.flow"), "<flow><at><probe/></at><translate/></flow>");
    auto root = load(R"(<probe/><inline file="part.flow"/><at><probe/><inline file="part.flow"/></at>)");
    auto percent = [](int joined) { return 10.0f + 70.0f * float(joined) / 4.0f; };
    expectProgress({percent(2), percent(2), percent(2), percent(2), percent(9), percent(9), percent(9), percent(9),
                    percent(9), percent(9), percent(18)});
    EXPECT_EQ(root->countNodes(), 18);
    EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), 18);

    progress.clear();
    load(R"(<probe/><inline file="part.flow"/><at><probe/><inline file="part.flow"/></at>)");
    ASSERT_FALSE(progress.empty());
    EXPECT_FLOAT_EQ(progress.back(), 80.0f);
    EXPECT_LE(*std::max_element(progress.begin(), progress.end()), 80.0f);
}

TEST_F(FlowLoaderTest, ADamagedCountFileFallsBackToAHundred)
{
    for (const char* damaged : {"\x00\x00\x00\x00", "\xfb\xff\xff\xff"}) {
        FlowTest::writeFile(options.nodeCountFile, std::string(damaged, 4));
        progress.clear();
        load("<at/>");
        expectProgress({10.0f + 70.0f * 2 / 100});
        EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), 2);
    }
    FlowTest::writeFile(options.nodeCountFile, "\x07");
    progress.clear();
    load("<at/>");
    SCOPED_TRACE("a short file counts as missing");
    expectProgress({10.0f + 70.0f * 2 / 100});
}

TEST_F(FlowLoaderTest, AnUnchangedCountIsNotRewrittenAndAnUnwritableOneIsSkipped)
{
    load("<at/>");
    std::filesystem::remove(options.nodeCountFile);
    std::filesystem::create_directory(options.nodeCountFile);
    EXPECT_NO_THROW(load("<at/>"));

    options.nodeCountFile = dir.file("count.dat");
    FlowTest::writeFile(options.nodeCountFile, std::string("\x02\x00\x00\x00", 4));
    auto before = std::filesystem::last_write_time(options.nodeCountFile);
    std::filesystem::last_write_time(options.nodeCountFile, before - std::chrono::hours(1));
    load("<at/>");
    EXPECT_EQ(std::filesystem::last_write_time(options.nodeCountFile), before - std::chrono::hours(1));
}

TEST_F(FlowLoaderTest, ADocumentNotNamedFlowIsRefusedBeforeAnythingIsBuilt)
{
    FlowTest::writeFile(dir.file("other.flow"), "<timeline><at/><probe/></timeline>");
    EXPECT_THROW(loadFlow(dir.file("other.flow"), demo, options), Orvane::Exceptions::Exception);
    EXPECT_TRUE(demo.askedFor.empty());
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), -1) << "no count is remembered";
}

#include "FlowTestSupport.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

#include <functional>

using namespace Tavrin::Flow;
using Orvane::Exceptions::Exception;

namespace {

class FlowLoaderErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        demo.dataFolder = dir.path().string() + "/";
        options.nodeCountFile = dir.file("lol.dat");
    }

    std::string path() const { return dir.file("bad.flow"); }

    // The message of the exception that loading the text throws; another type fails the test.
    template <class E = Exception>
    std::string failureOf(const std::string& text)
    {
        FlowTest::writeFile(path(), text);
        try {
            loadFlow(path(), demo, options);
        } catch (const E& e) {
            return e.getMessage();
        }
        ADD_FAILURE() << "loaded without an error: " << text;
        return {};
    }

    TestSupport::TempDir dir;
    FlowTest::TestDemo demo;
    LoadOptions options;
};

}

TEST_F(FlowLoaderErrors, MissingFilesAreNotFoundByThePathGiven)
{
    std::string missing = dir.file("nowhere.flow");
    try {
        loadFlow(missing, demo, options);
        FAIL() << "loaded a missing file";
    } catch (const Orvane::Exceptions::FileNotFoundException& e) {
        EXPECT_EQ(e.getMessage(), "File not found: " + missing);
    }
    EXPECT_EQ(failureOf<Orvane::Exceptions::FileNotFoundException>(R"(<flow><inline file="gone.flow"/></flow>)"),
              "File not found: " + demo.dataFolder + "gone.flow");
}

TEST_F(FlowLoaderErrors, MalformedXmlNamesTheFileAndLine)
{
    std::string message = failureOf<Orvane::Exceptions::UnsupportedFormatException>("<flow>\n  <at>\n</flow>\n");
    EXPECT_NE(message.find(path() + ":2: malformed XML"), std::string::npos) << message;

    FlowTest::writeFile(dir.file("broken.flow"), "<flow><at></flow>");
    message = failureOf<Orvane::Exceptions::UnsupportedFormatException>(R"(<flow><inline file="broken.flow"/></flow>)");
    EXPECT_NE(message.find(dir.file("broken.flow") + ":1:"), std::string::npos) << message;

    message = failureOf<Orvane::Exceptions::UnsupportedFormatException>("");
    EXPECT_NE(message.find(path()), std::string::npos) << message;
}

TEST_F(FlowLoaderErrors, MissingRequiredTextOrAttributesNameTheElement)
{
    struct Case {
        const char* body;
        const char* expected;
    };
    const Case cases[] = {
        {"<inline/>", ":2: <inline> needs a \"file\" attribute"},
        {"<demo><music/></demo>", ":2: <music> needs text"},
        {"<demo>\n<data_folder></data_folder></demo>", ":3: <data_folder> needs text"},
        {"<demo><bpm>0</bpm></demo>", ":2: <bpm> needs a positive tempo, not \"0\""},
        {"<demo><bpm>fast</bpm></demo>", "<bpm> needs a positive tempo"},
        {"<demo><bpm>1e38</bpm></demo>", "<bpm> needs a positive tempo, not \"1e38\""},
        {"<demo><bpm>1e-45</bpm></demo>", "<bpm> needs a positive tempo, not \"1e-45\""},
        {"<translate><x/></translate>", ":2: <x> needs a value or a fade/scurve element"},
        {"<quad><color><a/></color></quad>", "<a> needs a value"},
        {"<camera><position><y></y></position></camera>", "<y> needs a value"},
        {R"(<rotate><angle><fade start="0" stop="4" from="0"/></angle></rotate>)",
         ":2: <fade> needs a \"to\" attribute"},
        {R"(<quad><x><scurve stop="4" from="0" to="1"/></x></quad>)", "<scurve> needs a \"start\" attribute"},
        {R"(<quad texture="textures/dott.png"/>)",
         "<quad> names the texture \"textures/dott.png\" but textures cannot be loaded here"},
        {"<quad><texture></texture></quad>", "<texture> needs text"},
    };
    for (const Case& c : cases) {
        std::string message = failureOf("<flow>\n" + std::string(c.body) + "</flow>");
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.body << " gave: " << message;
        EXPECT_EQ(message.rfind(path(), 0), 0u) << message;
    }
}

TEST_F(FlowLoaderErrors, ATextureTheLoaderCannotFindNamesTheQuad)
{
    options.loadTexture = [](const std::string&) -> Orvane::Texture* { return nullptr; };
    std::string message = failureOf("<flow>\n<quad><texture>a.png</texture></quad></flow>");
    EXPECT_EQ(message, path() + ":2: <texture> names the texture \"a.png\", which could not be loaded");
}

TEST_F(FlowLoaderErrors, AnUnknownRampNamesTheTag)
{
    std::string message = failureOf(R"(<flow><translate><x><linear start="0"/></x></translate></flow>)");
    EXPECT_EQ(message.rfind("unknown tag: linear", 0), 0u) << message;
    EXPECT_NE(message.find(path() + ":1"), std::string::npos) << message;
    EXPECT_NE(message.find("<fade>, <scurve>, <sync>"), std::string::npos) << "what a parameter takes: " << message;
}

TEST_F(FlowLoaderErrors, ASyncParameterNeedsATrackFromTheRangeAndAKnownComponent)
{
    struct Case {
        const char* body;
        const char* expected;
    };
    const Case cases[] = {
        {"<quad><x><sync component=\"y\"/></x></quad>", ":2: <sync> needs a \"track\" attribute (0 to 63)"},
        {"<quad><x><sync track=\"64\"/></x></quad>", "<sync> reads track \"64\", which is not a number from 0 to 63"},
        {"<quad><x><sync track=\"-1\"/></x></quad>", "<sync> reads track \"-1\""},
        {"<quad><x><sync track=\"3a\"/></x></quad>", "<sync> reads track \"3a\""},
        {"<translate><y><sync track=\"3\" component=\"q\"/></y></translate>",
         ":2: <sync> has the component \"q\", which is not x, y, z or w"},
    };
    for (const Case& c : cases) {
        std::string message = failureOf("<flow>\n" + std::string(c.body) + "</flow>");
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.body << " gave: " << message;
        EXPECT_EQ(message.rfind(path(), 0), 0u) << message;
    }
}

TEST_F(FlowLoaderErrors, InlineFilesCannotIncludeThemselves)
{
    FlowTest::writeFile(dir.file("a.flow"), R"(<flow><inline file="b.flow"/></flow>)");
    FlowTest::writeFile(dir.file("b.flow"), R"(<flow><at><inline file="a.flow"/></at></flow>)");
    std::string message = failureOf(R"(<flow><inline file="a.flow"/></flow>)");
    EXPECT_NE(message.find(dir.file("b.flow") + ":1: <inline>"), std::string::npos) << message;
    EXPECT_NE(message.find("cannot include themselves"), std::string::npos) << message;
}

TEST_F(FlowLoaderErrors, ARegistryVisualThatIsNoNodeIsRefused)
{
    std::string message = failureOf("<flow><loose/></flow>");
    EXPECT_NE(message.find("<loose> the effect registry made a visual that is not a flow node"), std::string::npos)
        << message;
}

TEST_F(FlowLoaderErrors, AnElementNoEffectAnswersToIsReportedWithItsLine)
{
    FlowTest::writeFile(path(), "<flow>\n  <dmoe/>\n</flow>\n");
    testing::internal::CaptureStderr();
    auto root = loadFlow(path(), demo, options);
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(root->countNodes(), 1) << "nothing is placed for it";
    EXPECT_NE(warnings.find(path() + ":2: unknown element \"dmoe\" ignored"), std::string::npos) << warnings;
}

TEST_F(FlowLoaderErrors, ParameterElementsAreNotReportedAsUnknownButStrayOnesAre)
{
    FlowTest::writeFile(
        path(),
        "<flow>\n"
        "<translate><x>1</x><y>1</y><z>1</z><rotate><angle>3</angle><axis x=\"1\"/></rotate></translate>\n"
        "<camera><position/><target/><up/><perspective><fov>50</fov><aspect>1</aspect>"
        "<near_plane>1</near_plane><far_plane>9</far_plane></perspective></camera>\n"
        "<ortho><x>1</x></ortho>\n"
        "</flow>\n");
    testing::internal::CaptureStderr();
    loadFlow(path(), demo, options);
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings, path() + ":4: unknown element \"x\" ignored\n") << "an ortho has no x";
}

TEST_F(FlowLoaderErrors, ARootElementOtherThanFlowNamesTheFileAndTheElement)
{
    EXPECT_EQ(failureOf("<flwo><at/></flwo>"), path() + ": the root element is <flwo>, not <flow>");
    EXPECT_EQ(failureOf("<!-- only a comment -->"), path() + ": holds no element, not even <flow>");
}

TEST_F(FlowLoaderErrors, RunawayInliningIsRefusedInsteadOfLoadingForever)
{
    // Each file inlines the next twice: 2^30 leaves.
    for (int i = 0; i < 31; ++i)
        FlowTest::writeFile(dir.file("twice" + std::to_string(i) + ".flow"),
                            i == 30 ? "<flow><at/></flow>"
                                    : "<flow><inline file=\"twice" + std::to_string(i + 1)
                                    + ".flow\"/><inline file=\"twice" + std::to_string(i + 1) + ".flow\"/></flow>");
    std::string message = failureOf(R"(<flow><inline file="twice0.flow"/></flow>)");
    EXPECT_NE(message.find("makes the timeline larger than"), std::string::npos) << message;
    EXPECT_NE(message.find(dir.file("twice")), std::string::npos) << message;

    for (int i = 0; i < 40; ++i)
        FlowTest::writeFile(dir.file("deep" + std::to_string(i) + ".flow"),
                            "<flow><inline file=\"deep" + std::to_string(i + 1) + ".flow\"/></flow>");
    message = failureOf(R"(<flow><inline file="deep0.flow"/></flow>)");
    EXPECT_NE(message.find("<inline> inlines files more than"), std::string::npos) << message;
    EXPECT_NE(message.find(dir.file("deep")), std::string::npos) << message;
}

TEST_F(FlowLoaderErrors, SuspectNumbersAndIgnoredChildrenAreReportedWithTheirLine)
{
    FlowTest::writeFile(
        path(),
        "<flow>\n"
        "<at time=\"1e30\" length=\"-4\"/>\n"
        "<at time=\"-2\" length=\"abc\"/>\n"
        "<time_stretch factor=\"0\"/>\n"
        "<ortho left=\"2\" right=\"2\"/>\n"
        "<perspective fov=\"0\"/>\n"
        "<quad width=\"nan\"><height>3px</height><at/></quad>\n"
        "<translate x=\"inf\"><y><fade start=\"0\" stop=\"1\" from=\"0\" to=\"1\"/><fade/></y></translate>\n"
        "<clear><colour/></clear>\n"
        "<demo><tempo>99</tempo></demo>\n"
        "<at time=\"1:2\" length=\"8\"><quad x=\" 0.5 \"><color r=\"#aspect\"/></quad></at>\n"
        "<at time=\"99999999999999999999999\" length=\"4\"/>\n"
        "<quad><x><scurve start=\"2\" stop=\"2\" from=\"0\" to=\"1\"/></x></quad>\n"
        "</flow>\n");
    testing::internal::CaptureStderr();
    auto root = loadFlow(path(), demo, options);
    std::string warnings = testing::internal::GetCapturedStderr();
    const char* expected[] = {
        ":2: <at> time=\"1e30\" has trailing text \"e30\"; read as",
        ":2: <at> has a length of -",
        ":3: <at> length=\"abc\" is not a time; read as 0",
        ":3: <at> starts before the demo does",
        ":4: <time_stretch> has a factor of 0",
        ":5: <ortho> has an empty box",
        ":6: <perspective> has a field of view of 0",
        ":7: <quad> width=\"nan\" is not a finite number",
        ":7: <height> \"3px\" has trailing text \"px\"; read as 3",
        ":7: unknown element \"at\" inside <quad> ignored",
        ":8: <translate> x=\"inf\" is not a finite number",
        ":8: <fade> is ignored: only the first element inside <y> counts",
        ":9: unknown element \"colour\" inside <clear> ignored",
        ":10: unknown element \"tempo\" inside <demo> ignored",
        ":12: <at> time=\"99999999999999999999999\" is out of range",
        ":13: <scurve> starts and stops at the same time",
    };
    for (const char* warning : expected)
        EXPECT_NE(warnings.find(path() + warning), std::string::npos) << "missing: " << warning << "\nin:\n"
                                                                      << warnings;
    EXPECT_EQ(warnings.find(":11:"), std::string::npos) << "line 11 is sound:\n" << warnings;
    EXPECT_EQ(root->children().size(), 11u) << "warnings change nothing that is loaded";
}

#include "FlowTestSupport.h"

#include "orvane/GlErrorCheck.h"
#include "orvane/State.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <tinyxml2.h>

#include <cstring>

using namespace Tavrin::Flow;

namespace {

// An effect with a bug: it enables a capability that does not exist.
class FaultyVisual : public VisualContainerNode {
public:
    using VisualContainerNode::VisualContainerNode;
    void draw(float) override { glEnable(0x1234); }
};

class FaultyDemo : public FlowTest::TestDemo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override
    {
        if (std::strcmp(element.Name(), "faulty") == 0)
            return &faulty_;
        return TestDemo::createVisual(element);
    }

private:
    FaultyVisual faulty_{this};
};

class NodeGlCheckGlTest : public TestSupport::GlTest {
protected:
    void TearDown() override
    {
        Orvane::GlErrorCheck::disable();
        GlTest::TearDown();
    }
};

}

TEST_F(NodeGlCheckGlTest, AGlErrorIsReportedOnceAgainstTheElementThatRaisedIt)
{
    TestSupport::TempDir dir;
    FaultyDemo demo;
    demo.loadQuadShaders();
    LoadOptions options;
    options.nodeCountFile = dir.file("lol.dat");
    std::vector<std::string> reports;
    Orvane::GlErrorCheck::enable([&](const std::string& report) { reports.push_back(report); });
    FlowTest::writeFile(dir.file("t.flow"), "<flow>\n<ortho>\n<quad/>\n<faulty/>\n<probe/>\n</ortho>\n</flow>\n");
    auto root = loadFlow(dir.file("t.flow"), demo, options);
    Orvane::State::resetMatrices();
    root->evaluate(1.0f);
    ASSERT_EQ(reports.size(), 1u) << (reports.empty() ? "" : reports[1]);
    EXPECT_EQ(reports[0].rfind("GL error GL_INVALID_ENUM in " + dir.file("t.flow") + ":4 <faulty>", 0), 0u)
        << reports[0];
    EXPECT_EQ(Orvane::GlErrorCheck::errorCount(), 1);
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (std::strstr(extensions, "GL_KHR_debug")) {
        EXPECT_NE(reports[0].find("glEnable"), std::string::npos) << "the driver names the call: " << reports[0];
    }

    Orvane::GlErrorCheck::disable();
    root->evaluate(2.0f);
    EXPECT_EQ(reports.size(), 1u) << "nothing is checked once disabled";
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
}

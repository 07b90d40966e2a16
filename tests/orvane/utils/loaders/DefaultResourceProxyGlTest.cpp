#include "orvane/PngWriter.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>

using Orvane::Utils::Loaders::DefaultResourceProxy;
using namespace Orvane::Exceptions;

namespace {

class DefaultResourceProxyGlTest : public TestSupport::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        std::filesystem::create_directories(dir.path() / "images");
        const unsigned char red[4 * 3] = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
        Orvane::writePng(dir.file("images/a.png"), 2, 2, 3, red);
        std::ofstream(dir.file("flat.cg"))
            << "uniform vec4 color;\n#ifdef VERTEX\nvoid vsMain() { gl_Position = gl_Vertex; }\n#endif\n"
               "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = color; }\n#endif\n";
    }

    std::string base() const { return dir.path().string() + "/"; }

    TestSupport::TempDir dir;
};

std::string messageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.getMessage();
    }
    return "no exception";
}

}

TEST_F(DefaultResourceProxyGlTest, SameObjectTwiceWithoutTouchingTheDiskAgain)
{
    DefaultResourceProxy proxy(base());
    Orvane::Texture* first = proxy.getTexture("images/a.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getWidth(), 2);
    Orvane::Shader* shader = proxy.getShader("flat.cg");
    std::filesystem::remove(dir.file("images/a.png"));
    std::filesystem::remove(dir.file("flat.cg"));
    EXPECT_EQ(proxy.getTexture("images/a.png"), first);
    EXPECT_EQ(proxy.getShader("flat.cg"), shader);
}

TEST_F(DefaultResourceProxyGlTest, BasePathIsPrefixedVerbatim)
{
    // No separator is added: "prefix-" + "images/a.png" names a file that does not exist.
    DefaultResourceProxy proxy(dir.path().string() + "/prefix-");
    EXPECT_EQ(messageOf([&] { proxy.getTexture("images/a.png"); }),
              "File not found: " + dir.path().string() + "/prefix-images/a.png");
}

TEST_F(DefaultResourceProxyGlTest, FailuresKeepNothingAndNameTheFile)
{
    DefaultResourceProxy proxy(base());
    EXPECT_THROW(proxy.getTexture("images/b.png"), FileNotFoundException);
    std::filesystem::copy_file(dir.file("images/a.png"), dir.file("images/b.png"));
    EXPECT_NE(proxy.getTexture("images/b.png"), nullptr);

    std::ofstream(dir.file("broken.cg")) << "void psMain() { this is not glsl }\n";
    std::string compileError = messageOf([&] { proxy.getShader("broken.cg"); });
    EXPECT_EQ(compileError.rfind(base() + "broken.cg: ", 0), 0u) << compileError;
    EXPECT_THROW(proxy.getGeometry("nothing.fgm"), FileNotFoundException);
}

TEST_F(DefaultResourceProxyGlTest, ANameAskedForAsTwoKindsNeverHandsBackTheWrongType)
{
    DefaultResourceProxy proxy(base());
    ASSERT_NE(proxy.getShader("flat.cg"), nullptr);
    // The shader's text is no image: decoding it fails instead of returning the cached shader.
    try {
        proxy.getTexture("flat.cg");
        FAIL();
    } catch (const UnsupportedFormatException& e) {
        EXPECT_EQ(e.getMessage(), base() + "flat.cg: Unsupported format");
    }
}

TEST_F(DefaultResourceProxyGlTest, BasePathFunctionIsReadAtEachRequest)
{
    std::string folder = "/nonexistent/";
    DefaultResourceProxy proxy([&] { return folder; });
    EXPECT_THROW(proxy.getTexture("images/a.png"), FileNotFoundException);
    folder = base();
    EXPECT_NE(proxy.getTexture("images/a.png"), nullptr);
}

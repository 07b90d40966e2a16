#include "orvane/Extensions.h"
#include "orvane/PixelType.h"
#include "orvane/ProgramScope.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"

#include <SDL2/SDL.h>

#include <array>
#include <string>
#include <vector>

using Orvane::AttributeSemantic;
using Orvane::ClearTarget;
using Orvane::Matrix4;
using Orvane::PrimitiveTypeEnum;
using Orvane::Shader;
using Orvane::State;
using TestSupport::GlTest;

namespace {

namespace Ext = Orvane::Ext;

// Every reserved matrix feeds the position, scaled by Weight (0 unless a test sets it), so none
// of them is optimised out of the program.
const char* const allReservedSource = R"(
uniform mat4 StateComplete, StateWorld, StateView, StateProjection, StateWorldView, StateViewProjection;
uniform float Weight;
#ifdef VERTEX
void vsMain()
{
    vec4 others = StateWorld * gl_Vertex + StateView * gl_Vertex + StateProjection * gl_Vertex
        + StateWorldView * gl_Vertex + StateViewProjection * gl_Vertex;
    gl_Position = StateComplete * gl_Vertex + Weight * others;
}
#endif
#ifdef FRAGMENT
void psMain() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }
#endif
)";

const char* const completeOnlySource = R"(
#ifdef VERTEX
uniform mat4 StateComplete;
void vsMain() { gl_Position = StateComplete * gl_Vertex; }
#endif
#ifdef FRAGMENT
void psMain() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }
#endif
)";

const char* const reservedNames[] = {
    "StateComplete", "StateWorld", "StateView", "StateProjection", "StateWorldView", "StateViewProjection",
};

using Floats16 = std::array<float, 16>;

Floats16 uniformValue(const Shader& shader, const char* name)
{
    static auto getUniformfv = reinterpret_cast<PFNGLGETUNIFORMFVPROC>(SDL_GL_GetProcAddress("glGetUniformfv"));
    Floats16 value{};
    GLint location = Ext::glGetUniformLocation(shader.getProgram(), name);
    EXPECT_GE(location, 0) << name;
    getUniformfv(shader.getProgram(), location, value.data());
    return value;
}

Floats16 floats(const Matrix4& m)
{
    Floats16 value;
    for (int i = 0; i < 16; ++i)
        value[i] = m[i];
    return value;
}

void expectFloatsNear(const Floats16& actual, const Floats16& expected, int count, const std::string& what)
{
    for (int i = 0; i < count; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-4f) << what << " element " << i;
}

// Writes a marker into a reserved uniform behind the shader layer's back, so that a later
// upload (or its absence) can be seen.
const Floats16 marker = {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};

void writeMarker(const Shader& shader, const char* name)
{
    Orvane::ProgramScope scope(shader.getProgram());
    Ext::glUniformMatrix4fv(Ext::glGetUniformLocation(shader.getProgram(), name), 1, GL_FALSE, marker.data());
}

void writeMarkerEverywhere(const Shader& shader)
{
    for (const char* name : reservedNames)
        writeMarker(shader, name);
}

GLuint currentProgram()
{
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return GLuint(program);
}

class ShaderGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        State::resetMatrices();
        State::translateWorld(1, 2, 3);
        State::scaleWorld(2, 2, 2);
        State::lookAt(0, 1, 5, 0, 0, 0, 0, 1, 0);
        State::perspective(60, 1.5f, 0.5f, 50);
    }

    // The value each reserved name should hold for the current state matrices.
    static Floats16 expectedValue(const std::string& name)
    {
        const State::Matrices& m = State::matrices();
        if (name == "StateWorld")
            return floats(m.world);
        if (name == "StateView")
            return floats(m.view);
        if (name == "StateProjection")
            return floats(m.projection);
        if (name == "StateWorldView")
            return floats(m.view * m.world);
        if (name == "StateViewProjection")
            return floats(m.view * m.projection);
        return floats(m.projection * (m.view * m.world));
    }

    static void drawUnitQuad()
    {
        device().beginPrimitives(PrimitiveTypeEnum::Quads);
        device().vertexAttribute(AttributeSemantic::Position, 0, 0, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, 1, 0, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, 1, 1, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, 0, 1, 0, 1);
        glEnd();
    }

    static void drawFullScreenQuad()
    {
        device().beginPrimitives(PrimitiveTypeEnum::Quads);
        device().vertexAttribute(AttributeSemantic::Position, -1, -1, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, 1, -1, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, 1, 1, 0, 1);
        device().vertexAttribute(AttributeSemantic::Position, -1, 1, 0, 1);
        glEnd();
    }
};

}

TEST_F(ShaderGlTest, QuadTransformedByStateCompleteLandsWhereTheMatricesSay)
{
    Shader shader(completeOnlySource, "vsMain", "psMain");
    State::resetMatrices();
    State::ortho(0, Width, 0, Height, -1, 1);
    State::matrices().view.setTranslation(16, 0, 0);
    State::translateWorld(64, 32, 0);
    State::scaleWorld(32, 32, 1);
    shader.bind();
    shader.updateState();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    drawUnitQuad();
    // World puts the quad at (64..96, 32..64), the view shifts it right by 16.
    EXPECT_RGBA_NEAR(pixelAt(96, 48), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(82, 34), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(110, 62), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(76, 48), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(116, 48), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(96, 28), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(96, 68), 0, 0, 0, 255, 0);
}

TEST_F(ShaderGlTest, BindingASecondShaderUploadsAllSixIntoIt)
{
    Shader first(allReservedSource, "vsMain", "psMain");
    Shader second(allReservedSource, "vsMain", "psMain");
    first.bind();
    first.updateState();
    second.bind();
    second.updateState();
    for (const char* name : reservedNames)
        expectFloatsNear(uniformValue(second, name), expectedValue(name), 16, name);
    EXPECT_FALSE(State::matrices().worldDirty || State::matrices().viewDirty || State::matrices().projectionDirty);
}

TEST_F(ShaderGlTest, UploadsOnlyTheMatricesThatAChangeFeeds)
{
    struct Case {
        const char* change;
        void (*apply)();
        std::vector<std::string> uploaded;
    };
    const Case cases[] = {
        {"world", [] { State::rotateWorld(30, 0, 0, 1); }, {"StateWorld", "StateWorldView", "StateComplete"}},
        {"view",
         [] { State::lookAt(3, 0, 4, 0, 0, 0, 0, 1, 0); },
         {"StateView", "StateWorldView", "StateViewProjection", "StateComplete"}},
        {"projection",
         [] { State::ortho(-2, 2, -1, 1, 0.1f, 10); },
         {"StateProjection", "StateViewProjection", "StateComplete"}},
    };
    Shader shader(allReservedSource, "vsMain", "psMain");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        shader.bind();
        shader.updateState();
        writeMarkerEverywhere(shader);
        c.apply();
        shader.updateState();
        for (const char* name : reservedNames) {
            bool uploaded = std::find(c.uploaded.begin(), c.uploaded.end(), name) != c.uploaded.end();
            expectFloatsNear(uniformValue(shader, name), uploaded ? expectedValue(name) : marker, 16, name);
        }
    }
}

TEST_F(ShaderGlTest, SecondUpdateStateInARowUploadsNothing)
{
    Shader shader(allReservedSource, "vsMain", "psMain");
    shader.bind();
    shader.updateState();
    writeMarkerEverywhere(shader);
    shader.updateState();
    for (const char* name : reservedNames)
        expectFloatsNear(uniformValue(shader, name), marker, 16, name);
}

TEST_F(ShaderGlTest, UpdateStateReachesItsProgramWhileAnotherIsBound)
{
    Shader shader(allReservedSource, "vsMain", "psMain");
    Shader other(completeOnlySource, "vsMain", "psMain");
    other.bind();
    shader.updateState();
    EXPECT_EQ(currentProgram(), other.getProgram());
    for (const char* name : reservedNames)
        expectFloatsNear(uniformValue(shader, name), expectedValue(name), 16, name);
}

TEST_F(ShaderGlTest, ParametersSetWhileAnotherProgramIsBoundReachTheirOwnProgram)
{
    const char* source = R"(
uniform float Scale;
uniform vec2 Offset;
uniform vec3 Axis;
uniform mat4 Transform;
#ifdef VERTEX
void vsMain() { gl_Position = vec4((Transform * gl_Vertex).xy * Scale + Offset, Axis.x, 1.0); }
#endif
#ifdef FRAGMENT
uniform vec4 Tint;
void psMain() { gl_FragColor = Tint + vec4(Axis.yz, 0.0, 0.0) * 0.0001; }
#endif
)";
    Shader shader(source, "vsMain", "psMain");
    Shader other(completeOnlySource, "vsMain", "psMain");
    other.bind();

    const float offset[2] = {0.25f, -0.5f};
    const float axis[3] = {0, 0, 0};
    const float tint[4] = {0, 1, 0, 1};
    Matrix4 transform;
    transform.setScale(2, 2, 1);
    shader.getParameter("Scale").setFloat(0.5f);
    shader.getParameter("Offset").setFloat2(offset);
    shader.getParameter("Axis").setFloat3(axis);
    shader.getParameter("Transform").setMatrix(transform);
    shader.getParameter("Tint").setFloat4(tint);
    EXPECT_EQ(currentProgram(), other.getProgram());

    expectFloatsNear(uniformValue(shader, "Scale"), {0.5f}, 1, "Scale");
    expectFloatsNear(uniformValue(shader, "Offset"), {0.25f, -0.5f}, 2, "Offset");
    expectFloatsNear(uniformValue(shader, "Transform"), floats(transform), 16, "Transform");
    expectFloatsNear(uniformValue(shader, "Tint"), {0, 1, 0, 1}, 4, "Tint");

    // Scale 2 then 0.5 leaves the full-screen quad full-screen; the offset moves it right and down.
    shader.bind();
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    drawFullScreenQuad();
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 0, 255, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(20, Height / 2), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height - 20), 0, 0, 0, 255, 0);
}

TEST_F(ShaderGlTest, ParametersTheProgramLacksAreSilentlyIgnored)
{
    Shader shader(completeOnlySource, "vsMain", "psMain");
    shader.bind();
    Orvane::ShaderParameter missing = shader.getParameter("NotDeclared");
    EXPECT_FALSE(missing.isDeclared());
    const float values[16] = {};
    Orvane::Texture texture(1, 1, nullptr, Orvane::RGBA8, Orvane::Nearest);
    missing.setFloat(1);
    missing.setFloat2(values);
    missing.setFloat3(values);
    missing.setFloat4(values);
    missing.setMatrix(Matrix4());
    missing.setTexture(texture);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(currentProgram(), shader.getProgram());
    // A declared but not-sampler uniform takes no texture.
    shader.getParameter("StateComplete").setTexture(texture);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ShaderGlTest, SamplersHaveTheirOwnUnitsAndBindRestoresTheirTextures)
{
    const char* source = R"(
#ifdef VERTEX
void vsMain() { gl_Position = gl_Vertex; }
#endif
#ifdef FRAGMENT
uniform sampler2D First;
uniform sampler2D Second;
void psMain()
{
    vec2 centre = vec2(0.5, 0.5);
    gl_FragColor = vec4(texture2D(First, centre).r, texture2D(Second, centre).g, 0.0, 1.0);
}
#endif
)";
    Shader shader(source, "vsMain", "psMain");
    int firstUnit = shader.getTextureUnit("First"), secondUnit = shader.getTextureUnit("Second");
    EXPECT_GE(firstUnit, 0);
    EXPECT_GE(secondUnit, 0);
    EXPECT_NE(firstUnit, secondUnit);
    EXPECT_EQ(shader.getTextureUnit("Missing"), -1);

    const unsigned char red[4] = {255, 0, 0, 255}, green[4] = {0, 255, 0, 255};
    Orvane::Texture redTexture(1, 1, red, Orvane::RGBA8, Orvane::Nearest);
    Orvane::Texture greenTexture(1, 1, green, Orvane::RGBA8, Orvane::Nearest);
    shader.getParameter("First").setTexture(redTexture);
    shader.getParameter("Second").setTexture(greenTexture);
    GLint bound = 0;
    Ext::glActiveTextureARB(GL_TEXTURE0 + secondUnit);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    Ext::glActiveTextureARB(GL_TEXTURE0);
    EXPECT_EQ(GLuint(bound), greenTexture.getName());

    shader.bind();
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    drawFullScreenQuad();
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 255, 255, 0, 255, 0);

    // Someone else uses the units; binding the shader again brings its textures back.
    for (int unit : {firstUnit, secondUnit}) {
        Ext::glActiveTextureARB(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    Ext::glActiveTextureARB(GL_TEXTURE0);
    device().defaultShader()->bind();
    shader.bind();
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    drawFullScreenQuad();
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 255, 255, 0, 255, 0);
}

TEST_F(ShaderGlTest, GenericAttributeNIsBoundToIndexN)
{
    const char* source = R"(
varying vec4 colour;
#ifdef VERTEX
attribute vec4 ATTR5;
void vsMain() { colour = ATTR5; gl_Position = gl_Vertex; }
#endif
#ifdef FRAGMENT
void psMain() { gl_FragColor = colour; }
#endif
)";
    Shader shader(source, "vsMain", "psMain");
    shader.bind();
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    device().beginPrimitives(PrimitiveTypeEnum::Triangles);
    device().vertexAttribute(static_cast<AttributeSemantic>(105), 0, 0, 1, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, 1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, 1, 0, 1);
    glEnd();
    EXPECT_RGBA_NEAR(pixelAt(20, 20), 0, 0, 255, 255, 0);
}

TEST_F(ShaderGlTest, TwoSourcesCompileEachForItsOwnStage)
{
    const char* vertex = "void vertexEntry() { gl_Position = gl_Vertex; }\n";
    const char* fragment = "#ifndef FRAGMENT\n#error not compiled as a fragment stage\n#endif\n"
                           "void fragmentEntry() { gl_FragColor = vec4(0.0, 0.0, 1.0, 1.0); }\n";
    Shader shader(vertex, fragment, "vertexEntry", "fragmentEntry");
    shader.bind();
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1, 0);
    drawFullScreenQuad();
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 0, 0, 255, 255, 0);
}

namespace {

// The listing the driver gives for a stage text compiled the way the shader layer compiles it.
std::string driverListing(GLenum stage, const std::string& text)
{
    GLuint shader = Ext::glCreateShader(stage);
    const GLchar* pointer = text.c_str();
    Ext::glShaderSource(shader, 1, &pointer, nullptr);
    Ext::glCompileShader(shader);
    std::vector<GLchar> log(65536);
    GLsizei length = 0;
    Ext::glGetShaderInfoLog(shader, GLsizei(log.size()), &length, log.data());
    Ext::glDeleteShader(shader);
    return std::string(log.data(), std::size_t(length));
}

std::string thrownMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Orvane::Exceptions::Exception& e) {
        return e.getMessage();
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

}

TEST_F(ShaderGlTest, CompileErrorsCarryTheDriversListing)
{
    const std::string brokenVertex = "#ifdef VERTEX\nvoid vsMain() { gl_Position = ; }\n#endif\n"
                                     "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = vec4(1.0); }\n#endif\n";
    std::string listing = driverListing(GL_VERTEX_SHADER,
                                        "#version 120\n#define VERTEX\n#define vsMain main\n#line 0\n" + brokenVertex);
    ASSERT_FALSE(listing.empty());
    EXPECT_EQ(thrownMessage([&] { Shader(brokenVertex, "vsMain", "psMain"); }),
              "The vertex program \"vsMain\" failed to compile.\n" + listing + "\n\n");
    EXPECT_NE(listing.find("0:2("), std::string::npos) << "the listing numbers the lines of the file: " << listing;

    const std::string brokenFragment = "#ifdef VERTEX\nvoid vsMain() { gl_Position = gl_Vertex; }\n#endif\n"
                                       "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = undeclared; }\n#endif\n";
    listing = driverListing(GL_FRAGMENT_SHADER,
                            "#version 120\n#define FRAGMENT\n#define psMain main\n#line 0\n" + brokenFragment);
    ASSERT_FALSE(listing.empty());
    EXPECT_EQ(thrownMessage([&] { Shader(brokenFragment, "vsMain", "psMain"); }),
              "The fragment program \"psMain\" failed to compile.\n" + listing + "\n\n");
}

TEST_F(ShaderGlTest, LinkErrorsCarryTheDriversListing)
{
    // The vertex text compiles but has no function named after its entry, so there is no main.
    std::string message = thrownMessage([] {
        Shader("void somethingElse() { gl_Position = gl_Vertex; }\n", "void psMain() { gl_FragColor = vec4(1.0); }\n",
               "vsMain", "psMain");
    });
    const std::string kind = "The programs \"vsMain\" and \"psMain\" failed to link.\n";
    EXPECT_EQ(message.substr(0, kind.size()), kind);
    EXPECT_GT(message.size(), kind.size() + 2) << "the listing is missing";
    EXPECT_EQ(message.substr(message.size() - 2), "\n\n");
}

TEST(ShaderErrorMessage, IsCutToFitItsBuffer)
{
    EXPECT_EQ(Shader::errorMessage("Kind", "0:1(2): error: oops"), "Kind\n0:1(2): error: oops\n\n");

    std::string hugeListing(100000, 'x');
    std::string message = Shader::errorMessage("Kind", hugeListing);
    EXPECT_EQ(message.size(), Shader::MessageCapacity - 1);
    EXPECT_EQ(message.substr(0, 7), "Kind\nxx");

    // A message that fits exactly is left whole.
    std::string fitting(Shader::MessageCapacity - 1 - 7, 'y');
    EXPECT_EQ(Shader::errorMessage("Kind", fitting), "Kind\n" + fitting + "\n\n");
}

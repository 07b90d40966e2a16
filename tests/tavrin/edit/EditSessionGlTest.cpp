#include "tavrin/edit/EditSession.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/PngWriter.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/utils/File.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmWriter.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "orvane/utils/scenegraph/FsgWriter.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"
#include "tavrin/Demoface.h"
#include "tavrin/audio/Music.h"
#include "tavrin/flow/VisualContainerNode.h"
#include "tavrin/sync/SyncTrackFile.h"
#include "tavrin/sync/SyncTrackText.h"

#include <tinyxml2.h>

#include <GL/gl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <thread>

using Orvane::State;
using TestSupport::GlTest;
using namespace std::chrono_literals;

namespace {

class SilentEffect : public Tavrin::Flow::VisualContainerNode {
public:
    using VisualContainerNode::VisualContainerNode;
};

// Answers "dome" and "mars" with one effect each, as the production's registry does.
class TestDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override
    {
        std::string name = element.Name();
        if (name != "dome" && name != "mars")
            return nullptr;
        std::unique_ptr<SilentEffect>& effect = effects[name];
        if (!effect)
            effect = std::make_unique<SilentEffect>(this);
        return effect.get();
    }

    std::map<std::string, std::unique_ptr<SilentEffect>> effects;
};

std::string flatShader(const std::string& colour)
{
    return "uniform mat4 StateComplete;\n"
           "#ifdef VERTEX\nvoid vsMain() { gl_Position = StateComplete * gl_Vertex; }\n#endif\n"
           "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = vec4("
        + colour + ", 1.0); }\n#endif\n";
}

// As editors that save safely do: a temporary file renamed over the old one.
void save(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::path temporary = path.string() + ".swp";
    std::ofstream(temporary, std::ios::binary) << text;
    std::filesystem::rename(temporary, path);
}

void savePng(const std::filesystem::path& path, unsigned char r, unsigned char g, unsigned char b)
{
    const unsigned char pixels[] = {r, g, b, r, g, b, r, g, b, r, g, b};
    std::filesystem::path temporary = path.string() + ".part.png";
    Orvane::writePng(temporary.string(), 2, 2, 3, pixels);
    std::filesystem::rename(temporary, path);
}

// A square of side 2 * half around the middle of the screen, or the lower-right half of it.
Orvane::Utils::FgmMesh square(float half, bool triangleOnly = false, bool withNormals = false)
{
    Orvane::Utils::FgmMesh mesh;
    mesh.vertexCount = 4;
    mesh.addAttribute(Orvane::AttributeSemantic::Position, 3,
                      {-half, -half, 0, half, -half, 0, half, half, 0, -half, half, 0});
    if (withNormals)
        mesh.addAttribute(Orvane::AttributeSemantic::Normal, 3, {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1});
    mesh.indices = triangleOnly ? std::vector<std::uint32_t>{0, 1, 2} : std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3};
    if (triangleOnly) {
        mesh.vertexCount = 3;
        for (Orvane::Utils::FgmAttribute& attribute : mesh.attributes)
            attribute.values.resize(9);
    }
    return mesh;
}

std::string fgmBytes(const Orvane::Utils::FgmMesh& mesh, const std::filesystem::path& scratch)
{
    {
        Orvane::Utils::File file(scratch.string(), Orvane::Utils::File::Write);
        Orvane::Utils::writeFgm(file, mesh);
    }
    std::ifstream in(scratch, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One root node "box" drawing the mesh.
void saveScene(const std::filesystem::path& path, const Orvane::Utils::FgmMesh& mesh, const std::string& nodeName)
{
    Orvane::Utils::SceneGraph::Scene scene;
    scene.meshes()["shape"] = mesh.toGeometry(Orvane::system_mem);
    auto& node = scene.addChild(std::make_unique<Orvane::Utils::SceneGraph::Node>(nodeName));
    scene.addMeshInstance(node, "shape", "");
    std::filesystem::path temporary = path.string() + ".tmp";
    Orvane::Utils::SceneGraph::writeFsg(temporary.string(), scene);
    std::filesystem::rename(temporary, path);
}

// The pointer a test moves: what it holds is polled, motion and the wheel once.
class ScriptedPointer : public Orvane::Mouse::Pointer {
public:
    ScriptedPointer(Orvane::Mouse::State& state, bool& captured)
        : state_(state)
        , captured_(captured)
    {}

    Orvane::Mouse::State poll() override
    {
        Orvane::Mouse::State now = state_;
        state_.moveX = state_.moveY = state_.wheel = 0;
        return now;
    }
    void setCaptured(bool captured) override { captured_ = captured; }

private:
    Orvane::Mouse::State& state_;
    bool& captured_;
};

class EditSessionGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        std::filesystem::copy(std::string(NIGHTGLASS_SOURCE_DIR) + "/data/tavrin", data.path() / "tavrin");
        std::filesystem::create_directory(data.path() / "tracks");
        save(data.path() / "tracks/default.txt", "0 0 step 1 2 3 4\n");
        Tavrin::Sync::writeSyncTrackFile(data.file("tracks/default.track"),
                                         Tavrin::Sync::compileSyncTrackText("0 0 step 1 2 3 4\n", "default.txt"));
        save(data.path() / "fx.cg", flatShader("1.0, 0.0, 0.0"));
        savePng(data.path() / "pic.png", 255, 0, 0);
        demo.dataFolder = data.path().string() + "/";
        demo.width = demo.height = demo.viewportHeight = Height;
        demo.loadBuiltins();
        cache = std::make_unique<Orvane::Utils::Loaders::DefaultResourceProxy>(demo.dataFolder);
        demoface = std::make_unique<Tavrin::Demoface::Demoface>(demo, demo.dataFolder,
                                                                [](Orvane::Keyboard::Key) { return false; });
        session = std::make_unique<Tavrin::Edit::EditSession>(
            demo, *cache, *demoface, nullptr, [this](Orvane::Keyboard::Key key) { return held.count(key) > 0; },
            std::make_unique<ScriptedPointer>(pointer, captured));
        session->setFlowReloader([this] { demo.reloadFlow(); });
    }

    TestSupport::Rgba drawn(Orvane::Shader& shader)
    {
        State::disable(Orvane::Capability::DepthTest);
        shader.bind();
        State::pushAll();
        State::resetMatrices();
        shader.updateState();
        demo.drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
        State::popAll();
        return pixelAt(Width / 2, Height / 2);
    }

    std::vector<unsigned char> texels(const Orvane::Texture& texture)
    {
        std::vector<unsigned char> rgb(size_t(texture.getWidth()) * texture.getHeight() * 3);
        glBindTexture(GL_TEXTURE_2D, texture.getName());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    Orvane::Vector4t<float> firstTrackAtZero() const
    {
        Tavrin::Sync::SyncTrack track = demoface->tracks()[0];
        return track.evaluate(0);
    }

    // Saved, then frames polled for longer than the settle time.
    void saveAndPoll(const std::string& name, const std::string& text)
    {
        save(data.path() / name, text);
        poll();
    }

    void poll()
    {
        for (int i = 0; i < 25; ++i) {
            std::this_thread::sleep_for(20ms);
            session->reloadSaved();
        }
    }

    // The pixels the geometry covers, drawn flat over black.
    int coverage(Orvane::Utils::Geometry& geometry)
    {
        device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
        State::disable(Orvane::Capability::DepthTest);
        Orvane::Shader& shader = *cache->getShader("fx.cg");
        shader.bind();
        State::pushAll();
        State::resetMatrices();
        shader.updateState();
        geometry.draw();
        State::popAll();
        std::vector<unsigned char> rgba(size_t(Width) * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        int covered = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            covered += rgba[i] > 128;
        return covered;
    }

    // One frame with these keys held down, then one with none.
    void tap(std::set<Orvane::Keyboard::Key> keys, float delta = 0.0f)
    {
        held = std::move(keys);
        session->beginFrame(delta);
        held.clear();
        session->beginFrame(0.0f);
    }

    // A frame as the edit loop runs it, the overlay drawn over a black picture.
    void frame()
    {
        session->beginFrame(0.0f);
        session->beforeDrawing();
        device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
        session->drawOverlay();
    }

    // Rows counted from the top, as the pointer counts them.
    static TestSupport::Rgba windowPixel(int x, int row) { return pixelAt(x, Height - 1 - row); }

    // Where the timeline panel shows a bar on a row: blue well above red.
    static std::vector<int> barColumns(int row)
    {
        std::vector<int> columns;
        for (int x = 0; x < Width; ++x) {
            TestSupport::Rgba pixel = windowPixel(x, row);
            if (pixel[2] > pixel[0] + 40 && pixel[2] > 100)
                columns.push_back(x);
        }
        return columns;
    }

    void pointAt(int x, int y, bool leftDown)
    {
        pointer.x = x;
        pointer.y = y;
        pointer.down[Orvane::Mouse::Left] = leftDown;
        frame();
    }

    TestSupport::TempDir data;
    TestDemo demo;
    std::set<Orvane::Keyboard::Key> held;
    Orvane::Mouse::State pointer;
    bool captured = false;
    std::unique_ptr<Orvane::Utils::Loaders::DefaultResourceProxy> cache;
    std::unique_ptr<Tavrin::Demoface::Demoface> demoface;
    std::unique_ptr<Tavrin::Edit::EditSession> session;
};

}

TEST_F(EditSessionGlTest, ASavedShaderSwapsTheProgramAndABrokenOneKeepsItAndRaisesTheOverlay)
{
    Orvane::Shader* shader = cache->getShader("fx.cg");
    EXPECT_RGBA_NEAR(drawn(*shader), 255, 0, 0, 255, 1);

    saveAndPoll("fx.cg", flatShader("0.0, 1.0, 0.0"));
    EXPECT_EQ(cache->getShader("fx.cg"), shader) << "holders keep their object";
    EXPECT_RGBA_NEAR(drawn(*shader), 0, 255, 0, 255, 1);
    GLuint good = shader->getProgram();

    std::string broken = flatShader("0.0, 0.0, 1.0");
    broken.replace(broken.find("gl_FragColor"), 12, "gl_FragColour");
    saveAndPoll("fx.cg", broken);
    EXPECT_EQ(shader->getProgram(), good);
    EXPECT_RGBA_NEAR(drawn(*shader), 0, 255, 0, 255, 1);
    ASSERT_EQ(session->errors().all().count("fx.cg"), 1u);
    EXPECT_EQ(session->errors().all().at("fx.cg").line, 6) << session->errors().all().at("fx.cg").message;

    // The overlay's panel covers the top-left corner over the picture, and goes with the fix.
    session->drawOverlay();
    EXPECT_RGBA_NEAR(pixelAt(12, Height - 12), 140, 16, 16, 255, 2);
    // The long driver message wraps inside the window, the picture shows beside it.
    EXPECT_RGBA_NEAR(pixelAt(Width - 30, Height - 12), 140, 16, 16, 255, 2);
    EXPECT_RGBA_NEAR(pixelAt(Width - 3, Height - 12), 0, 255, 0, 255, 1);
    saveAndPoll("fx.cg", flatShader("0.0, 0.0, 1.0"));
    EXPECT_TRUE(session->errors().empty());
    EXPECT_RGBA_NEAR(drawn(*shader), 0, 0, 255, 255, 1);
    session->drawOverlay();
    EXPECT_RGBA_NEAR(pixelAt(12, Height - 12), 0, 0, 255, 255, 1);
}

TEST_F(EditSessionGlTest, TexturesAndTrackTextReloadInPlaceAndABadFileKeepsTheLastGood)
{
    const std::vector<unsigned char> blue = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};
    Orvane::Texture* texture = cache->getTexture("pic.png");
    savePng(data.path() / "pic.png", 0, 0, 255);
    saveAndPoll("unrelated.txt", "not an asset: ignored");
    EXPECT_EQ(texels(*texture), blue);
    saveAndPoll("pic.png", "\x89PNG but cut short");
    EXPECT_EQ(texels(*texture), blue);
    ASSERT_EQ(session->errors().all().count("pic.png"), 1u);

    EXPECT_FLOAT_EQ(firstTrackAtZero().x, 1.0f);
    saveAndPoll("tracks/default.txt", "bpm 120\n0 0 step 5 6 7 8\n");
    Orvane::Vector4t<float> keyed = firstTrackAtZero();
    EXPECT_FLOAT_EQ(keyed.x, 5.0f);
    EXPECT_FLOAT_EQ(keyed.w, 8.0f);
    EXPECT_FLOAT_EQ(Tavrin::Sync::readSyncTrackFile(data.file("tracks/default.track"))[0][0].inValue.x, 5.0f)
        << "the binary file follows the text";
    saveAndPoll("tracks/default.txt", "0 0 step 9 9 9 9\n0 r4 wobbly 1 1 1 1\n");
    EXPECT_FLOAT_EQ(firstTrackAtZero().x, 5.0f);
    ASSERT_EQ(session->errors().all().count("tracks/default.txt"), 1u);
    EXPECT_EQ(session->errors().all().at("tracks/default.txt").line, 2);
    EXPECT_EQ(session->errors().all().count("pic.png"), 1u) << "each file's error stays until that file reloads";
}

TEST_F(EditSessionGlTest, KeysDriveTheTransportAndTabShowsTheTimelineOverThePicture)
{
    using Key = Orvane::Keyboard::Key;
    demo.bpm = 120.0f;  // a bar is 2 s
    demo.hitTimes = {1.0f};
    session->beginFrame(0.5f);
    EXPECT_FLOAT_EQ(demo.time, 0.5f);
    tap({Key::P}, 1.0f);
    EXPECT_TRUE(session->transport().paused());
    EXPECT_FLOAT_EQ(demo.time, 0.5f) << "paused on the frame P went down";
    held = {Key::PageDown};
    session->beginFrame(0.0f);
    session->beginFrame(0.0f);
    EXPECT_FLOAT_EQ(demo.time, 2.0f) << "a held key acts once";
    tap({Key::I});
    tap({Key::PageDown});
    tap({Key::O});
    tap({Key::P});
    session->beginFrame(2.5f);
    EXPECT_FLOAT_EQ(demo.time, 2.5f) << "wrapped in the loop from 2 to 4";

    // The strip covers the bottom with the playhead at its middle; the bar line at 2 s lies a
    // quarter of a bar left of it and the hit at 1 s further left.
    device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
    session->drawOverlay();
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, 10), 0, 0, 0, 255, 0);  // no HUD before Tab
    tap({Key::Tab});
    session->drawOverlay();
    TestSupport::Rgba playhead = pixelAt(Width / 2, 10);
    EXPECT_GT(playhead[0], 200);
    EXPECT_GT(playhead[1], 180);
    EXPECT_LT(playhead[2], 100);
    int barLineX = Width / 2 - Width / 32;
    EXPECT_GT(std::max({pixelAt(barLineX - 1, 40)[0], pixelAt(barLineX, 40)[0], pixelAt(barLineX + 1, 40)[0]}), 150);
    int hitX = Width / 2 - 3 * Width / 32;
    EXPECT_GT(std::max({pixelAt(hitX - 1, 40)[0], pixelAt(hitX, 40)[0]}), 200);
    EXPECT_LT(std::max({pixelAt(hitX - 1, 40)[2], pixelAt(hitX, 40)[2]}), 120);
    EXPECT_GT(pixelAt(Width / 2 + 10, 10)[2], 80) << "the loop region";
}

TEST_F(EditSessionGlTest, ASavedFlowRebuildsTheTreeKeepingTheTimeAndABrokenOneKeepsTheLast)
{
    demo.flowFileName = data.file("main.flow");
    demo.nodeCountFile = data.file("count.dat");
    session->beginFrame(3.0f);
    saveAndPoll("main.flow",
                "<flow><demo><bpm>140</bpm><data_folder>elsewhere/</data_folder></demo>"
                "<at time=\"0\" length=\"5\"><clear/></at></flow>");
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    EXPECT_EQ(demo.bpm, 140.0f);
    EXPECT_EQ(demo.dataFolder, data.path().string() + "/") << "the watched folder stays";
    session->beginFrame(0.0f);
    EXPECT_FLOAT_EQ(demo.time, 3.0f);

    saveAndPoll("main.flow", "<flow><demo><bpm>90</bpm></demo>\n<at time=\"0\"></flow>");
    ASSERT_EQ(session->errors().all().count("main.flow"), 1u);
    EXPECT_EQ(session->errors().all().at("main.flow").line, 2);
    EXPECT_EQ(demo.bpm, 140.0f);
}

TEST_F(EditSessionGlTest, ASavedMeshRedrawsThroughTheSameGeometryAndADamagedOneKeepsTheLastGood)
{
    const int full = Width * Height;
    saveAndPoll("mesh.fgm", fgmBytes(square(0.5f, true), data.path() / "scratch"));
    Orvane::Utils::Geometry* mesh = cache->getGeometry("mesh.fgm");
    EXPECT_NEAR(coverage(*mesh), full / 8, full / 100);
    Orvane::VertexBuffer* positions = mesh->getVertexBuffer(0);

    // One vertex more: the buffers are refilled where they are.
    saveAndPoll("mesh.fgm", fgmBytes(square(0.5f), data.path() / "scratch"));
    EXPECT_EQ(cache->getGeometry("mesh.fgm"), mesh);
    EXPECT_EQ(mesh->getVertexBuffer(0), positions);
    EXPECT_NEAR(coverage(*mesh), full / 4, full / 100);
    // An attribute more: rebuilt under the same pointer.
    saveAndPoll("mesh.fgm", fgmBytes(square(0.25f, false, true), data.path() / "scratch"));
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    EXPECT_NEAR(coverage(*mesh), full / 16, full / 100);

    std::string whole = fgmBytes(square(0.75f), data.path() / "scratch");
    saveAndPoll("mesh.fgm", whole.substr(0, whole.size() / 2));
    EXPECT_NEAR(coverage(*mesh), full / 16, full / 100);
    ASSERT_EQ(session->errors().all().count("mesh.fgm"), 1u);
    EXPECT_NE(session->errors().all().at("mesh.fgm").message.find("mesh.fgm"), std::string::npos);
    session->drawOverlay();
    EXPECT_RGBA_NEAR(pixelAt(12, Height - 12), 140, 16, 16, 255, 2);

    // An effect that hung a buffer of its own on the mesh keeps it whole: the changed vertex
    // count waits for a restart, and says so.
    const int three[1] = {3};
    std::vector<float> own(12, 0.0f);
    mesh->addVertexBuffer(
        std::make_unique<Orvane::VertexBuffer>(1, three, 4, Orvane::hardware_mem_static_draw, own.data()));
    saveAndPoll("mesh.fgm", fgmBytes(square(0.75f, true, true), data.path() / "scratch"));
    ASSERT_EQ(session->errors().all().count("mesh.fgm"), 1u);
    EXPECT_NE(session->errors().all().at("mesh.fgm").message.find("restart"), std::string::npos);
    EXPECT_NEAR(coverage(*mesh), full / 16, full / 100);
    saveAndPoll("mesh.fgm", fgmBytes(square(0.75f, false, true), data.path() / "scratch"));
    EXPECT_TRUE(session->errors().empty());
    EXPECT_NEAR(coverage(*mesh), full * 9 / 16, full / 100);
}

TEST_F(EditSessionGlTest, ASavedSceneReloadsIntoTheNodesAndMeshesEffectsHold)
{
    saveScene(data.path() / "set.fsg", square(0.5f, true), "box");
    Orvane::Utils::SceneGraph::Scene* scene = cache->getScene("set.fsg");
    Orvane::Utils::SceneGraph::Node* box = scene->findByName("box");
    ASSERT_NE(box, nullptr);
    Orvane::Utils::Geometry* shape = box->meshInstances().at(0).mesh;
    const int full = Width * Height;
    EXPECT_NEAR(coverage(*shape), full / 8, full / 100);

    saveScene(data.path() / "set.fsg", square(0.5f, false, true), "box");
    poll();
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    EXPECT_EQ(scene->findByName("box"), box);
    ASSERT_EQ(box->meshInstances().size(), 1u);
    EXPECT_EQ(box->meshInstances()[0].mesh, shape);
    EXPECT_NEAR(coverage(*shape), full / 4, full / 100);

    // Effects hold nodes by name: a renamed one needs a restart, and the scene stays as it was.
    saveScene(data.path() / "set.fsg", square(0.25f), "crate");
    poll();
    ASSERT_EQ(session->errors().all().count("set.fsg"), 1u);
    EXPECT_NE(session->errors().all().at("set.fsg").message.find("restart"), std::string::npos);
    EXPECT_EQ(scene->findByName("box"), box);
    EXPECT_NEAR(coverage(*shape), full / 4, full / 100);
}

TEST_F(EditSessionGlTest, ASavedStripImageRedecodesItsStripAndAResizedOneKeepsTheLastGood)
{
    savePng(data.path() / "cell0.png", 255, 0, 0);
    savePng(data.path() / "cell1.png", 0, 255, 0);
    Orvane::Texture* strip = demo.loadTextureStrip("cell%d.png", 2);
    auto rightHalf = [&] {
        std::vector<unsigned char> rgb = texels(*strip);
        return std::vector<unsigned char>(rgb.begin() + 6, rgb.begin() + 12);
    };
    EXPECT_EQ(rightHalf(), std::vector<unsigned char>({0, 255, 0, 0, 255, 0}));

    savePng(data.path() / "cell1.png", 0, 0, 255);
    poll();
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    EXPECT_EQ(rightHalf(), std::vector<unsigned char>({0, 0, 255, 0, 0, 255}));
    EXPECT_EQ(texels(*strip)[0], 255) << "the other image stays";

    const unsigned char wide[12] = {};
    Orvane::writePng(data.file("cell1.tmp"), 4, 1, 3, wide);
    std::filesystem::rename(data.path() / "cell1.tmp", data.path() / "cell1.png");
    poll();
    ASSERT_EQ(session->errors().all().count("cell1.png"), 1u);
    EXPECT_NE(session->errors().all().at("cell1.png").message.find("first image of the strip"), std::string::npos);
    EXPECT_EQ(strip->getWidth(), 4);
    EXPECT_EQ(rightHalf(), std::vector<unsigned char>({0, 0, 255, 0, 0, 255}));
}

TEST_F(EditSessionGlTest, TheHudNamesTheEffectsAtThePlayheadAndDrawsTheMusicWhereItSounds)
{
    demo.flowFileName = data.file("main.flow");
    demo.nodeCountFile = data.file("count.dat");
    save(data.path() / "main.flow",
         "<flow><demo><bpm>120</bpm></demo>"
         "<at time=\"0\" length=\"1:0:0\"><dome/></at>"
         "<at time=\"1:0:0\" length=\"2:0:0\"><camera><mars/></camera><dome/></at></flow>");
    demo.reloadFlow();
    EXPECT_EQ(demo.activeEffects(1.0f), std::vector<std::string>{"dome"});
    EXPECT_EQ(demo.activeEffects(3.0f), (std::vector<std::string>{"mars", "dome"}));
    EXPECT_TRUE(demo.activeEffects(7.0f).empty());

    // Four silent seconds, four loud ones, then the end of the music.
    Tavrin::Audio::DecodedAudio audio;
    for (int frame = 0; frame < 8 * Tavrin::Audio::MusicSampleRate; ++frame) {
        float sample = frame < 4 * Tavrin::Audio::MusicSampleRate ? 0.0f : (frame / 50 % 2 ? 0.8f : -0.8f);
        audio.samples.insert(audio.samples.end(), 2, Tavrin::Audio::toPcm16(sample));
    }
    Tavrin::Audio::MusicOptions options;
    options.capture = true;
    Tavrin::Audio::Music music(options);
    std::promise<Tavrin::Audio::DecodedAudio> decoded;
    decoded.set_value(std::move(audio));
    ASSERT_TRUE(music.open(decoded.get_future()));
    music.setCaptureTime(4.0f);
    session = std::make_unique<Tavrin::Edit::EditSession>(
        demo, *cache, *demoface, &music, [this](Orvane::Keyboard::Key key) { return held.count(key) > 0; });
    tap({Orvane::Keyboard::Key::Tab});
    device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
    session->drawOverlay();

    // Four bars (8 s) each side: one second is 16 pixels, the playhead at 4 s in the middle.
    // Columns between the beat lines, above and below the strip's middle line.
    auto column = [&](float seconds) { return int(Width / 2 + (seconds - 4.0f) * 16.0f); };
    for (int y : {12, 36}) {
        TestSupport::Rgba loud = pixelAt(column(6.25f), y), silent = pixelAt(column(2.25f), y);
        TestSupport::Rgba afterTheEnd = pixelAt(column(9.25f), y);
        EXPECT_GT(loud[1], 120) << y;
        EXPECT_LT(silent[1], 40) << y;
        EXPECT_LT(afterTheEnd[1], 40) << y;
    }
}

TEST_F(EditSessionGlTest, DraggingABarsEndRetimesOnlyItsElementOnBarLinesAndUndoRedoRestoreTheBytes)
{
    using Key = Orvane::Keyboard::Key;
    const std::string original = R"(<?xml version="1.0"?>
<flow>
  <!-- At 120 bpm a bar is 2 s: the sections are 128 s each. -->
  <demo><bpm>120</bpm></demo>
  <at time="0" length="0:64:0:0"><dome/></at>
	<at length="64:0:0"   time="64:0:0" ><mars/></at>   <!-- the one to drag -->
</flow>
)";
    demo.flowFileName = data.file("main.flow");
    demo.nodeCountFile = data.file("count.dat");
    save(demo.flowFileName, original);
    demo.reloadFlow();
    tap({Key::T});
    ASSERT_NE(session->timeline(), nullptr);
    ASSERT_EQ(session->timeline()->bars().size(), 2u);

    // The panel fills the bottom 96 rows; the bars stand in its first lane, the whole timeline
    // (to the demo's end at 297 s) across the width.
    const int lane = Height - 96 + 10;
    pointAt(0, 0, false);
    pointAt(0, 0, false);
    std::vector<int> bars = barColumns(lane);
    ASSERT_FALSE(bars.empty()) << "no bar drawn";
    EXPECT_LE(bars.front(), 2) << "from 0 s, where the playhead's two columns stand over it";
    int marsEnd = bars.back();
    EXPECT_NEAR(marsEnd, 256.0 / 297.0 * Width, 2.0);
    EXPECT_TRUE(barColumns(Height - 40).empty()) << "one lane is enough";

    // Its end grabbed and pulled 40 pixels left, snapped to a bar line.
    pointAt(marsEnd - 2, lane, false);
    pointAt(marsEnd - 2, lane, true);
    pointAt(marsEnd - 42, lane, true);
    pointAt(marsEnd - 42, lane, false);
    std::string dragged = Orvane::Utils::readTextFile(demo.flowFileName);
    size_t value = original.find("64:0:0\"   time");
    ASSERT_NE(value, std::string::npos);
    EXPECT_EQ(dragged.substr(0, value), original.substr(0, value)) << dragged;
    size_t valueEnd = dragged.find('"', value);
    EXPECT_EQ(dragged.substr(valueEnd), original.substr(value + 6)) << dragged;
    std::string length = dragged.substr(value, valueEnd - value);
    ASSERT_TRUE(length.ends_with(":0:0")) << length;
    int sectionBars = std::stoi(length);
    EXPECT_NEAR(sectionBars, ((marsEnd - 42) * 297.0 / Width - 128.0) / 2.0, 1.0) << "to the bar line nearest the pointer";
    float newEnd = 128.0f + 2.0f * float(sectionBars);
    EXPECT_EQ(demo.activeEffects(newEnd - 1.0f), std::vector<std::string>{"mars"}) << "reloaded";
    EXPECT_TRUE(demo.activeEffects(newEnd + 1.0f).empty());
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    frame();
    EXPECT_LT(barColumns(lane).back(), marsEnd - 30) << "the panel shows the file as it is now";

    tap({Key::Ctrl, Key::Z});
    EXPECT_EQ(Orvane::Utils::readTextFile(demo.flowFileName), original);
    EXPECT_EQ(demo.activeEffects(250.0f), std::vector<std::string>{"mars"});
    tap({Key::Ctrl, Key::Y});
    EXPECT_EQ(Orvane::Utils::readTextFile(demo.flowFileName), dragged);
    tap({Key::Ctrl, Key::Shift, Key::Z});
    EXPECT_EQ(Orvane::Utils::readTextFile(demo.flowFileName), dragged) << "nothing more to redo";
    tap({Key::Ctrl, Key::Z});
    EXPECT_EQ(Orvane::Utils::readTextFile(demo.flowFileName), original);
    EXPECT_FALSE(std::filesystem::exists(demo.flowFileName + ".~1~"));

    // A click where no bar is seeks there.
    pointAt(Width / 2, Height - 20, false);
    pointAt(Width / 2, Height - 20, true);
    pointAt(Width / 2, Height - 20, false);
    EXPECT_NEAR(session->transport().time(), 297.0f / 2.0f, 297.0f / Width * 1.5f);
    frame();
    TestSupport::Rgba playhead = windowPixel(Width / 2, Height - 20);
    EXPECT_GT(playhead[0], 200);
    EXPECT_GT(playhead[1], 170);
    EXPECT_LT(playhead[2], 100);
}

TEST_F(EditSessionGlTest, TheFlyCameraStandsInForTheTracksAndKeysItsPoseIntoTheTrackTextUndoably)
{
    using Key = Orvane::Keyboard::Key;
    const std::string original = "# The camera.\n"
                                 "bpm 120\n"
                                 "0 r0   linear 0 -10 0 0   # eye\n"
                                 "0 r64  linear 0 -20 0 0\n"
                                 "1 r0   linear 0 0 0 0\n"
                                 "2 r0   step 0 0 1 0\n"
                                 "\n"
                                 "3 r0   step 60 0 0 0   # field of view\n"
                                 "9 r0   step 1 2 3 4\n";
    save(data.path() / "tracks/default.txt", original);
    session->reload("tracks/default.txt");
    demo.bpm = 120.0f;
    tap({Key::P});
    tap({Key::PageDown});
    tap({Key::PageDown});
    ASSERT_FLOAT_EQ(demo.time, 4.0f);
    demoface->evaluateTracks(demo.time);

    tap({Key::F});
    ASSERT_TRUE(session->camera().flying());
    // Forward for half a second while turning 10 degrees right with the right button held.
    held = {Key::W};
    pointer.down[Orvane::Mouse::Right] = true;
    pointer.moveX = 50;
    session->beginFrame(0.5f);
    EXPECT_TRUE(captured);
    held.clear();
    pointer.down[Orvane::Mouse::Right] = false;
    session->beginFrame(0.0f);
    EXPECT_FALSE(captured);
    Tavrin::Edit::CameraPose pose = session->camera().camera()->pose();
    // Turned first, then flown along the new view.
    float step = 0.5f * session->camera().camera()->speed(), turn = 10.0f * 3.14159265f / 180.0f;
    EXPECT_NEAR(pose.eye.x, step * std::sin(turn), 1e-4f);
    EXPECT_NEAR(pose.eye.y, -15.0f + step * std::cos(turn), 1e-4f);
    EXPECT_NEAR(pose.target.x, (15.0f + step) * std::sin(turn), 1e-3f) << "turned right";
    session->beforeDrawing();
    EXPECT_EQ(demo.syncValues[0], Orvane::Vector4(pose.eye.x, pose.eye.y, pose.eye.z, 0)) << "stands in";
    EXPECT_EQ(demo.syncValues[1], Orvane::Vector4(pose.target.x, pose.target.y, pose.target.z, 0));

    tap({Key::K});
    EXPECT_TRUE(session->errors().empty()) << session->errors().lines().front();
    std::string keyed = Orvane::Utils::readTextFile(data.file("tracks/default.txt"));
    EXPECT_EQ(Orvane::Utils::readTextFile(data.file("tracks/default.txt.~1~")), original);
    // The four keys at row 32 beside their tracks' other keys; every other line as it was.
    std::string rest;
    std::istringstream lines(keyed);
    int added = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.find(" r32 ") != std::string::npos)
            ++added;
        else
            rest += line + "\n";
    EXPECT_EQ(added, 4) << keyed;
    EXPECT_EQ(rest, original) << keyed;
    auto compiled = Tavrin::Sync::compileSyncTrackText(keyed, "default.txt");
    auto keyedAt = [&](const Tavrin::Sync::SyncTrackKeys& keys, int track) {
        Tavrin::Sync::SyncTrack curve;
        curve.setKeys(keys[size_t(track)]);
        return curve.evaluate(4.0f);
    };
    EXPECT_EQ(keyedAt(compiled, 0), Orvane::Vector4(pose.eye.x, pose.eye.y, pose.eye.z, 0));
    EXPECT_EQ(keyedAt(compiled, 1), Orvane::Vector4(pose.target.x, pose.target.y, pose.target.z, 0));
    EXPECT_EQ(keyedAt(compiled, 2), Orvane::Vector4(pose.up.x, pose.up.y, pose.up.z, 0));
    EXPECT_EQ(keyedAt(compiled, 3), Orvane::Vector4(pose.fov, 0, 0, 0));
    EXPECT_EQ(demoface->tracks()[0].evaluate(4.0f), keyedAt(compiled, 0)) << "in force";
    EXPECT_EQ(keyedAt(Tavrin::Sync::readSyncTrackFile(data.file("tracks/default.track")), 1), keyedAt(compiled, 1))
        << "and in the binary file the next run reads";

    tap({Key::Ctrl, Key::Z});
    EXPECT_EQ(Orvane::Utils::readTextFile(data.file("tracks/default.txt")), original);
    EXPECT_EQ(demoface->tracks()[0].evaluate(4.0f), Orvane::Vector4(0, -15, 0, 0));
    tap({Key::F});
    EXPECT_FALSE(session->camera().flying());
}

#include "tavrin/edit/EditSession.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/PngWriter.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/utils/File.h"
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
            demo, *cache, *demoface, nullptr, [this](Orvane::Keyboard::Key key) { return held.count(key) > 0; });
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

    TestSupport::TempDir data;
    TestDemo demo;
    std::set<Orvane::Keyboard::Key> held;
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

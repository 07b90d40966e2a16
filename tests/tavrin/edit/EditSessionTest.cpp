#include "tavrin/edit/EditSession.h"

#include "orvane/PngWriter.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"
#include "tavrin/Demoface.h"
#include "tavrin/SyncTrackFile.h"
#include "tavrin/SyncTrackText.h"

#include <GL/gl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

using Orvane::State;
using TestSupport::GlTest;
using namespace std::chrono_literals;

namespace {

class TestDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

std::string flatShader(const std::string& colour)
{
    return "uniform mat4 StateComplete;\n"
           "#ifdef VERTEX\nvoid vsMain() { gl_Position = StateComplete * gl_Vertex; }\n#endif\n"
           "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = vec4(" + colour + ", 1.0); }\n#endif\n";
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

class EditSessionTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        std::filesystem::copy(std::string(NIGHTGLASS_SOURCE_DIR) + "/data/tavrin", data.path() / "tavrin");
        std::filesystem::create_directory(data.path() / "tracks");
        save(data.path() / "tracks/default.txt", "0 0 step 1 2 3 4\n");
        Tavrin::writeSyncTrackFile(data.file("tracks/default.track"),
                                   Tavrin::compileSyncTrackText("0 0 step 1 2 3 4\n", "default.txt"));
        save(data.path() / "fx.cg", flatShader("1.0, 0.0, 0.0"));
        savePng(data.path() / "pic.png", 255, 0, 0);
        demo.dataFolder = data.path().string() + "/";
        demo.width = demo.height = demo.viewportHeight = Height;
        demo.loadBuiltins();
        cache = std::make_unique<Orvane::Utils::Loaders::DefaultResourceProxy>(demo.dataFolder);
        demoface = std::make_unique<Tavrin::Demoface::Demoface>(demo, [](Orvane::Keyboard::Key) { return false; });
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
        Tavrin::SyncTrack track = demoface->tracks()[0];
        return track.evaluate(0);
    }

    // Saved, then frames polled for longer than the settle time.
    void saveAndPoll(const std::string& name, const std::string& text)
    {
        save(data.path() / name, text);
        for (int i = 0; i < 25; ++i) {
            std::this_thread::sleep_for(20ms);
            session->reloadSaved();
        }
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

TEST_F(EditSessionTest, ASavedShaderSwapsTheProgramAndABrokenOneKeepsItAndRaisesTheOverlay)
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

TEST_F(EditSessionTest, TexturesAndTrackTextReloadInPlaceAndABadFileKeepsTheLastGood)
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
    EXPECT_FLOAT_EQ(Tavrin::readSyncTrackFile(data.file("tracks/default.track"))[0][0].inValue.x, 5.0f)
        << "the binary file follows the text";
    saveAndPoll("tracks/default.txt", "0 0 step 9 9 9 9\n0 r4 wobbly 1 1 1 1\n");
    EXPECT_FLOAT_EQ(firstTrackAtZero().x, 5.0f);
    ASSERT_EQ(session->errors().all().count("tracks/default.txt"), 1u);
    EXPECT_EQ(session->errors().all().at("tracks/default.txt").line, 2);
    EXPECT_EQ(session->errors().all().count("pic.png"), 1u) << "each file's error stays until that file reloads";
}

TEST_F(EditSessionTest, KeysDriveTheTransportAndTabShowsTheTimelineOverThePicture)
{
    using Key = Orvane::Keyboard::Key;
    demo.bpm = 120.0f; // a bar is 2 s
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
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, 10), 0, 0, 0, 255, 0); // no HUD before Tab
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

TEST_F(EditSessionTest, ASavedFlowRebuildsTheTreeKeepingTheTimeAndABrokenOneKeepsTheLast)
{
    demo.flowFileName = data.file("main.flow");
    demo.nodeCountFile = data.file("count.dat");
    session->beginFrame(3.0f);
    saveAndPoll("main.flow", "<flow><demo><bpm>140</bpm><data_folder>elsewhere/</data_folder></demo>"
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

#include "tavrin/edit/RocketLink.h"

#include "orvane/utils/StreamReaders.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"
#include "tavrin/Demoface.h"
#include "tavrin/audio/Music.h"
#include "tavrin/edit/CameraEditing.h"
#include "tavrin/edit/Transport.h"
#include "tavrin/sync/SyncTrackText.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

using namespace std::chrono_literals;
using Tavrin::Edit::rocketRowTime;

namespace {

constexpr float Bpm = 120.0f;  // eight rows a second
constexpr const char* OriginalText = "# hand-written\nbpm 120\n0 r0 linear 0 10 0 0\n0 r16 step 8 50 0 0\n";

class TestDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

std::string u32(std::uint32_t value) { return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)}; }

std::string setKey(std::uint32_t track, std::uint32_t row, float value, std::uint8_t interpolation)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return char(0) + u32(track) + u32(row) + u32(bits) + char(interpolation);
}

std::string deleteKey(std::uint32_t track, std::uint32_t row) { return char(1) + u32(track) + u32(row); }
std::string setRow(std::uint32_t row) { return char(3) + u32(row); }
std::string pause(bool paused) { return {char(4), char(paused ? 1 : 0)}; }

// The editor's side of the protocol on 127.0.0.1. The demo only moves when it is polled, so every
// wait here polls it (`pump`) until what is awaited arrives or two seconds pass.
class FakeEditor {
public:
    FakeEditor(std::function<void()> pump, std::uint16_t port = 0)
        : pump_(std::move(pump))
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        int on = 1;
        setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0)
            throw std::runtime_error("the fake editor cannot listen");
        socklen_t size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }

    ~FakeEditor()
    {
        hangUp();
        close(listener_);
    }

    std::uint16_t port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

    bool accept()
    {
        hangUp();
        return until([&] {
            pollfd ready{listener_, POLLIN, 0};
            if (poll(&ready, 1, 10) == 1)
                connection_ = ::accept(listener_, nullptr, nullptr);
            return connection_ >= 0;
        });
    }

    // The next n bytes the demo sent, or fewer when it sent no more in time.
    std::string read(size_t n)
    {
        std::string got;
        until([&] {
            pollfd ready{connection_, POLLIN, 0};
            char buffer[4096];
            if (poll(&ready, 1, 10) == 1) {
                ssize_t size = recv(connection_, buffer, std::min(sizeof buffer, n - got.size()), 0);
                if (size <= 0)
                    return true;
                got.append(buffer, size_t(size));
            }
            return got.size() == n;
        });
        return got;
    }

    // Accepts the demo and greets it; returns the track names it then asks for.
    std::vector<std::string> greet()
    {
        if (!accept() || read(19) != "hello, synctracker!")
            return {};
        send("hello, demo!");
        std::vector<std::string> names;
        for (;;) {
            std::string command = read(5);
            if (command.size() < 5 || command[0] != 2)
                break;
            std::uint32_t length
                = std::uint32_t(std::uint8_t(command[4])) | std::uint32_t(std::uint8_t(command[3])) << 8;
            names.push_back(read(length));
            if (names.size() == 256)
                break;
        }
        return names;
    }

    void send(const std::string& bytes) { ::send(connection_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }

    void hangUp()
    {
        if (connection_ >= 0)
            close(connection_);
        connection_ = -1;
    }

    bool until(const std::function<bool()>& done)
    {
        auto end = std::chrono::steady_clock::now() + 2s;
        while (std::chrono::steady_clock::now() < end) {
            pump_();
            if (done())
                return true;
        }
        return false;
    }

private:
    std::function<void()> pump_;
    int listener_ = -1;
    int connection_ = -1;
    std::uint16_t port_ = 0;
};

class RocketLinkTest : public ::testing::Test {
protected:
    RocketLinkTest()
    {
        std::filesystem::create_directory(dir.path() / "tracks");
        // Track 0 ramps x and y from (0, 10) at row 0 to (8, 50) at row 16, with a step at row 16.
        std::ofstream(dir.file("tracks/default.txt")) << OriginalText;
        Tavrin::Sync::writeSyncTrackFile(dir.file("tracks/default.track"),
                                         Tavrin::Sync::compileSyncTrackText(OriginalText, "test.txt"));
        demo.dataFolder = dir.path().string() + "/";
        demo.trackFileName = "tracks/default.track";
        demo.bpm = Bpm;
        demoface = std::make_unique<Tavrin::Demoface::Demoface>(demo, demo.dataFolder,
                                                                [](Orvane::Keyboard::Key) { return false; });
    }

    void connect(const std::string& address)
    {
        link = std::make_unique<Tavrin::Edit::RocketLink>(
            address, *demoface, transport, [] { return Bpm; },
            Tavrin::Edit::RocketLink::TrackFiles{dir.file("tracks/default.txt"), dir.file("tracks/default.track")},
            50ms);
    }

    // One frame of the demo, without the music: the editor's word, the clock, the report.
    void frame(float delta = 0.0f)
    {
        link->receive();
        transport.advance(delta);
        link->report(transport.time());
    }

    Orvane::Vector4t<float> trackZeroAt(float row)
    {
        demoface->evaluateTracks(float(row * 0.125));
        return demo.syncValues[0];
    }

    TestSupport::TempDir dir;
    TestDemo demo;
    std::unique_ptr<Tavrin::Demoface::Demoface> demoface;
    Tavrin::Edit::Transport transport{2.0f, 0.0f};
    std::unique_ptr<Tavrin::Edit::RocketLink> link;
};

}

TEST_F(RocketLinkTest, FollowsTheEditorsKeysRowPauseAndSave)
{
    FakeEditor editor([this] { frame(); });
    connect(editor.address());
    std::vector<std::string> names = editor.greet();
    ASSERT_EQ(names.size(), 256u);
    EXPECT_EQ(names[0], "00.x");
    EXPECT_EQ(names[5], "01.y");
    EXPECT_EQ(names[255], "63.w");
    EXPECT_EQ(editor.read(5), setRow(0)) << "the playhead's row follows the greeting";

    // y (track 1) is the editor's from its first key on; x keeps the demo's ramp and its step.
    editor.send(setKey(1, 0, 2.0f, 1) + setKey(1, 8, 6.0f, 1) + setKey(1, 24, 4.0f, 0) + setKey(1, 32, 0.0f, 1));
    ASSERT_TRUE(editor.until([&] { return trackZeroAt(4).y == 4.0f; }));
    EXPECT_FLOAT_EQ(trackZeroAt(4).x, 2.0f);
    EXPECT_FLOAT_EQ(trackZeroAt(12).y, 5.5f);
    EXPECT_FLOAT_EQ(trackZeroAt(12).x, 6.0f) << "x ramps on through the editor's key at row 8";
    EXPECT_FLOAT_EQ(trackZeroAt(20).x, 8.0f) << "x keeps its step at row 16";
    EXPECT_FLOAT_EQ(trackZeroAt(28).y, 4.0f) << "a step key holds";
    editor.send(deleteKey(1, 8) + setKey(6, 0, 1.0f, 3) + setKey(6, 16, 3.0f, 0));
    ASSERT_TRUE(editor.until([&] { return trackZeroAt(6).y == 2.5f; }));
    demoface->evaluateTracks(1.0f);
    EXPECT_FLOAT_EQ(demo.syncValues[1].z, 2.0f) << "a ramp plays as linear";

    // "L" brings in a new file; the component the editor keys stays the editor's.
    Tavrin::Sync::writeSyncTrackFile(dir.file("tracks/default.track"),
                                     Tavrin::Sync::compileSyncTrackText("0 0 linear 30 30 30 30\n", "test.txt"));
    demoface->reload();
    frame();
    EXPECT_EQ(trackZeroAt(6), Orvane::Vector4t<float>(30, 2.5f, 30, 30));

    editor.send(setRow(40));
    ASSERT_TRUE(editor.until([&] { return transport.time() == Tavrin::Edit::rocketRowPlayhead(40, Bpm); }));
    editor.send(pause(true));
    ASSERT_TRUE(editor.until([&] { return transport.paused(); }));
    editor.send(pause(false));
    ASSERT_TRUE(editor.until([&] { return !transport.paused(); }));
    frame(0.25f);
    EXPECT_EQ(editor.read(5), setRow(42)) << "playing, the demo reports each new row";

    editor.send(setKey(6, 24, 5.0f, 2) + std::string(1, char(5)));
    ASSERT_TRUE(editor.until([&] { return std::filesystem::exists(dir.file("tracks/default.txt.~1~")); }));
    EXPECT_EQ(Orvane::Utils::readTextFile(dir.file("tracks/default.txt.~1~")), OriginalText);
    EXPECT_TRUE(Orvane::Utils::readTextFile(dir.file("tracks/default.txt")).starts_with("# hand-written\nbpm 120\n"))
        << "the text keeps what the editor did not change";
    Tavrin::Sync::SyncTrackKeys text = Tavrin::Sync::compileSyncTrackText(
        Orvane::Utils::readTextFile(dir.file("tracks/default.txt")), "default.txt");
    Tavrin::Sync::SyncTrackKeys binary = Tavrin::Sync::readSyncTrackFile(dir.file("tracks/default.track"));
    for (int track : {0, 1}) {
        const auto& live = demoface->tracks()[size_t(track)].keys();
        ASSERT_EQ(text[size_t(track)].size(), live.size());
        ASSERT_EQ(binary[size_t(track)].size(), live.size());
        for (size_t k = 0; k < live.size(); ++k) {
            EXPECT_EQ(text[size_t(track)][k].time, live[k].time);
            EXPECT_EQ(text[size_t(track)][k].outValue, live[k].outValue);
            EXPECT_EQ(binary[size_t(track)][k].inValue, live[k].inValue);
        }
    }
}

TEST_F(RocketLinkTest, RunsOnWithoutTheEditorAndReconnectsAfterItLeavesOrMisbehaves)
{
    std::uint16_t port;
    {
        FakeEditor probe([] {});
        port = probe.port();
    }
    testing::internal::CaptureStderr();
    connect("127.0.0.1:" + std::to_string(port));
    for (int i = 0; i < 5; ++i)
        frame(0.1f);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Rocket: cannot connect to 127.0.0.1:" + std::to_string(port)), std::string::npos) << said;
    EXPECT_FLOAT_EQ(transport.time(), 0.5f);

    FakeEditor editor([this] { frame(); }, port);
    ASSERT_EQ(editor.greet().size(), 256u);
    editor.send(setKey(0, 0, 7.0f, 0));
    ASSERT_TRUE(editor.until([&] { return trackZeroAt(8).x == 7.0f; }));

    // Gone, then back: the keys it set stay until the new editor sends its own.
    editor.hangUp();
    ASSERT_EQ(editor.greet().size(), 256u);
    EXPECT_FLOAT_EQ(trackZeroAt(8).x, 7.0f);

    const std::string nonsense[] = {std::string(1, char(9)), setKey(256, 0, 1.0f, 1), setKey(0, 0, 1.0f, 7),
                                    setKey(0, 0, std::numeric_limits<float>::quiet_NaN(), 1)};
    for (const std::string& bytes : nonsense) {
        testing::internal::CaptureStderr();
        editor.send(bytes);
        std::vector<std::string> names = editor.greet();
        said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(names.size(), 256u) << "dropped and connected again";
        EXPECT_NE(said.find("Rocket: lost the connection"), std::string::npos) << said;
    }
    EXPECT_FLOAT_EQ(trackZeroAt(8).x, 7.0f);
}

TEST_F(RocketLinkTest, AFlyCameraKeyGoesToTheEditorAsSetKeysOfItsPoseAndIsInForceAtOnce)
{
    FakeEditor editor([this] { frame(); });
    connect(editor.address());
    ASSERT_EQ(editor.greet().size(), 256u);
    ASSERT_EQ(editor.read(5), setRow(0));
    demoface->evaluateTracks(1.0f);
    Tavrin::Edit::CameraEditing camera(demo);
    camera.toggle();
    camera.steer({1.0f, 0.5f, 0.0f, 30.0f, 10.0f, 0}, 0.5f);
    Tavrin::Edit::CameraPose pose = camera.camera()->pose();

    // 1.03 s lies in row 8 at 120 bpm.
    camera.keyInEditor(*link, demoface->tracks(), 1.03f);
    const Orvane::Vector3* parts[] = {&pose.eye, &pose.target, &pose.up};
    std::string expected;
    for (std::uint32_t track = 0; track < 3; ++track)
        for (std::uint32_t c = 0; c < 3; ++c)
            expected += setKey(4 * track + c, 8, parts[track]->data()[c], 1);
    expected += setKey(12, 8, pose.fov, 1);
    EXPECT_EQ(editor.read(expected.size()), expected) << "eye, target, up and field of view on row 8, linear as the "
                                                         "keys around them";
    demoface->evaluateTracks(rocketRowTime(8, Bpm));
    EXPECT_EQ(demo.syncValues[0], Orvane::Vector4(pose.eye.x, pose.eye.y, pose.eye.z, 0)) << "w keeps its curve";
    EXPECT_EQ(demo.syncValues[2], Orvane::Vector4(pose.up.x, pose.up.y, pose.up.z, 0));
    EXPECT_EQ(demo.syncValues[3].x, pose.fov);
}

TEST(RocketRows, AnEditorRowComesBackAsItselfThroughTheMusicWithItsStepKeyInForce)
{
    using namespace Tavrin::Edit;
    // Every row of a quarter of an hour, longer than any demo, at three tempos.
    for (float bpm : {162.0f, 120.0f, 87.5f})
        for (std::uint32_t row = 1; rocketRowTime(row, bpm) < 900.0f; ++row) {
            float playhead = rocketRowPlayhead(row, bpm);
            // What the music plays from after the seek: the frame the byte position truncates to.
            std::int64_t frame = Tavrin::Audio::secondsToMusicBytes(playhead) / Tavrin::Audio::MusicBytesPerFrame;
            float heard = float(double(frame) / Tavrin::Audio::MusicSampleRate);
            ASSERT_EQ(rocketRowAt(playhead, bpm), row) << bpm << " bpm";
            ASSERT_EQ(rocketRowAt(heard, bpm), row) << bpm << " bpm";
            ASSERT_EQ(rocketRowAt(rocketRowTime(row, bpm), bpm), row) << bpm << " bpm";
            ASSERT_GT(heard, rocketRowTime(row, bpm)) << "the row's own key is in force, at " << bpm << " bpm";
        }
    // A step key on row 2 shows on row 2.
    Tavrin::Sync::SyncTrack track;
    Tavrin::Sync::SyncKey before, after;
    before.time = rocketRowTime(0, 162.0f);
    before.inValue = before.outValue = {1, 1, 1, 1};
    before.mode = Tavrin::Sync::InterpolationMode::Step;
    after = before;
    after.time = rocketRowTime(2, 162.0f);
    after.inValue = after.outValue = {5, 5, 5, 5};
    track.setKeys({before, after});
    EXPECT_EQ(track.evaluate(rocketRowPlayhead(2, 162.0f)).x, 5.0f);
    EXPECT_EQ(track.evaluate(rocketRowPlayhead(1, 162.0f)).x, 1.0f);
}

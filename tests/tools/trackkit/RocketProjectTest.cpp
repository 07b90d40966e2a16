#include "trackkit/RocketProject.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"
#include "tavrin/sync/SyncTrackText.h"

#include <gtest/gtest.h>

#include <fstream>

#include <tinyxml2.h>

namespace {

constexpr float Bpm = 120.0f;  // eight rows a second

std::string project(const std::string& root, const std::string& tracks)
{
    bool bare = root == "tracks";
    return "<?xml version=\"1.0\"?>\n" + (bare ? "" : "<" + root + " rows=\"128\">\n") + "<tracks>\n" + tracks
        + "</tracks>\n" + (bare ? "" : "</" + root + ">\n");
}

const std::string EditorTracks = "<track name=\"00.x\" folded=\"0\" muteKeyCount=\"0\" color=\"ff00ff00\">\n"
                                 "  <key row=\"0\" value=\"1\" interpolation=\"1\"/>\n"
                                 "  <key row=\"16\" value=\"-2.5\" interpolation=\"0\"/>\n"
                                 "</track>\n"
                                 "<track name=\"00.y\">\n"
                                 "  <key row=\"0\" value=\"4\" interpolation=\"2\"/>\n"
                                 "  <key row=\"16\" value=\"8\" interpolation=\"3\"/>\n"
                                 "  <key row=\"24\" value=\"0\" interpolation=\"1\"/>\n"
                                 "</track>\n"
                                 "<track name=\"07.w\"><key row=\"8\" value=\"0.1\" interpolation=\"0\"/></track>\n";

class RocketProjectTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir.file(name), std::ios::binary) << text;
        return dir.file(name);
    }

    TestSupport::TempDir dir;
};

void expectSameKeys(const Tavrin::Sync::SyncTrackKeys& a, const Tavrin::Sync::SyncTrackKeys& b)
{
    for (size_t track = 0; track < a.size(); ++track) {
        ASSERT_EQ(a[track].size(), b[track].size()) << "track " << track;
        for (size_t k = 0; k < a[track].size(); ++k) {
            EXPECT_EQ(a[track][k].time, b[track][k].time) << "track " << track << " key " << k;
            EXPECT_EQ(a[track][k].mode, b[track][k].mode) << "track " << track << " key " << k;
            EXPECT_EQ(a[track][k].inValue, b[track][k].inValue) << "track " << track << " key " << k;
            EXPECT_EQ(a[track][k].outValue, b[track][k].outValue) << "track " << track << " key " << k;
        }
    }
}

}

TEST_F(RocketProjectTest, ImportsKeysByRowAndGoesOutAndBackUnchanged)
{
    Tavrin::Sync::SyncTrackKeys keys
        = TrackKit::readRocketProject(write("a.rocket", project("rootElement", EditorTracks)), Bpm);

    // Track 0 holds one key wherever x or y has one; y's ramp plays linear; z and w are zero.
    ASSERT_EQ(keys[0].size(), 3u);
    EXPECT_EQ(keys[0][0].mode, Tavrin::Sync::InterpolationMode::Linear) << "from x, the first component keyed there";
    EXPECT_EQ(keys[0][1].time, 2.0f);
    EXPECT_EQ(keys[0][1].mode, Tavrin::Sync::InterpolationMode::Step);
    EXPECT_EQ(keys[0][1].outValue, Orvane::Vector4t<float>(-2.5f, 8, 0, 0));
    EXPECT_EQ(keys[0][2].time, 3.0f);
    EXPECT_EQ(keys[0][2].outValue, Orvane::Vector4t<float>(-2.5f, 0, 0, 0)) << "x holds its last key";
    ASSERT_EQ(keys[7].size(), 1u);
    EXPECT_EQ(keys[7][0].outValue.w, 0.1f);
    EXPECT_EQ(keys[7][0].time, 1.0f);
    EXPECT_EQ(keys[1].size(), 1u) << "a track the project leaves out keeps its zero key";

    // A ramp plays linear: row 20 is halfway from 8 to 0.
    Tavrin::Sync::SyncTrack track;
    Tavrin::Sync::SyncTrackKeys yOnly = TrackKit::readRocketProject(
        write("y.rocket",
              project("sync",
                      "<track name=\"00.y\"><key row=\"16\" value=\"8\" interpolation=\"3\"/>"
                      "<key row=\"24\" value=\"0\"/></track>")),
        Bpm);
    track.setKeys(yOnly[0]);
    EXPECT_FLOAT_EQ(track.evaluate(2.5f).y, 4.0f);

    // A jump goes out as a step one row early that holds the value arriving there.
    Tavrin::Sync::SyncTrackKeys jump;
    for (auto& keysOfTrack : jump)
        keysOfTrack.push_back(Tavrin::Sync::SyncKey{});
    jump[2] = Tavrin::Sync::compileSyncTrackText("bpm 120\n2 r0 linear 0 0 0 0\n2 r16 linear 8 0 0 0  20 0 0 0\n"
                                                 "2 r24 linear 0 0 0 0\n",
                                                 "jump.txt")[2];
    TrackKit::writeRocketProject(dir.file("jump.rocket"), jump, Bpm);
    track.setKeys(TrackKit::readRocketProject(dir.file("jump.rocket"), Bpm)[2]);
    EXPECT_FLOAT_EQ(track.evaluate(1.0f).x, 4.0f) << "row 8";
    EXPECT_FLOAT_EQ(track.evaluate(1.875f).x, 7.5f) << "row 15";
    EXPECT_FLOAT_EQ(track.evaluate(2.0625f).x, 18.75f) << "just after row 16";
    EXPECT_FLOAT_EQ(track.evaluate(2.5f).x, 10.0f) << "row 20";

    TrackKit::writeRocketProject(dir.file("out.rocket"), keys, Bpm);
    expectSameKeys(TrackKit::readRocketProject(dir.file("out.rocket"), Bpm), keys);
    expectSameKeys(TrackKit::readRocketProject(write("bare.rocket", project("tracks", EditorTracks)), Bpm), keys);
}

TEST_F(RocketProjectTest, BadProjectsAreRefusedNamingTheFileAndLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<rootElement><tracks><track name=\"00.x\">", "malformed XML"},
        {project("rootElement", "<track name=\"00.x\">\n<key row=\"-1\" value=\"1\"/></track>"), "row \"-1\""},
        {project("rootElement", "<track name=\"00.x\">\n<key row=\"1.5\" value=\"1\"/></track>"), "row \"1.5\""},
        {project("rootElement", "<track name=\"camera.x\">\n</track>"), "no line in a --map file: \"camera.x\""},
        {project("rootElement", "<track name=\"64.x\">\n</track>"), "no line in a --map file: \"64.x\""},
        {project("rootElement", "<track name=\"00.x\">\n<key row=\"1\" value=\"inf\"/></track>"), "value \"inf\""},
        {project("rootElement", "<track name=\"00.x\">\n<key row=\"1\" value=\"1\" interpolation=\"4\"/></track>"),
         "interpolation \"4\""},
        {project("rootElement",
                 "<track name=\"00.x\">\n<key row=\"1\" value=\"1\"/><key row=\"1\" value=\"2\"/></track>"),
         "two keys on row 1"},
    };
    for (const auto& [text, problem] : cases) {
        std::string path = write("bad.rocket", text);
        try {
            TrackKit::readRocketProject(path, Bpm);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
            EXPECT_NE(e.getMessage().find(path + ":"), std::string::npos) << e.getMessage();
            EXPECT_NE(e.getMessage().find(problem), std::string::npos) << e.getMessage();
        }
    }
}

TEST_F(RocketProjectTest, AnotherDemosProjectImportsThroughAMapAndEveryUnmappedNameIsListed)
{
    std::string path = write("other.rocket",
                             project("rootElement",
                                     "<track name=\"clear.r\"><key row=\"8\" value=\"0.5\"/></track>\n"
                                     "<track name=\"clear.g\"><key row=\"8\" value=\"0.25\"/></track>\n"
                                     "<track name=\"cam:fov\"><key row=\"0\" value=\"60\"/></track>\n"
                                     "<track name=\"01.z\"><key row=\"0\" value=\"3\"/></track>\n"));
    try {
        TrackKit::readRocketProject(path, Bpm, TrackKit::readTrackNameMap(write("part.map", "clear.r 05.x\n")));
        ADD_FAILURE() << "imported with names left over";
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        EXPECT_NE(e.getMessage().find("\"clear.g\", \"cam:fov\""), std::string::npos) << e.getMessage();
        EXPECT_EQ(e.getMessage().find("clear.r"), std::string::npos)
            << "a mapped name is not listed: " << e.getMessage();
    }
    TrackKit::TrackNameMap names = TrackKit::readTrackNameMap(
        write("whole.map", "# another demo's names\nclear.r 05.x\nclear.g 05.y  # green\n\ncam:fov 03.x\n"));
    Tavrin::Sync::SyncTrackKeys keys = TrackKit::readRocketProject(path, Bpm, names);
    EXPECT_EQ(keys[5][0].outValue, Orvane::Vector4t<float>(0.5f, 0.25f, 0, 0));
    EXPECT_EQ(keys[5][0].time, 1.0f) << "row 8 at eight rows a second";
    EXPECT_EQ(keys[3][0].outValue.x, 60.0f);
    EXPECT_EQ(keys[1][0].outValue.z, 3.0f) << "our own names still count";

    for (const char* bad : {"clear.r\n", "clear.r 64.x\n", "clear.r 05.x extra\n", "a 00.x\na 00.y\n"})
        EXPECT_THROW(TrackKit::readTrackNameMap(write("bad.map", bad)), Orvane::Exceptions::UnsupportedFormatException)
            << bad;
}

TEST_F(RocketProjectTest, AnExportedProjectReachesTheEndOfTheTimeline)
{
    Tavrin::Sync::SyncTrackKeys keys = Tavrin::Sync::compileSyncTrackText("0 r16 linear 1 2 3 4\n", "one.txt");
    TrackKit::writeRocketProject(dir.file("short.rocket"), keys, 162.0f);
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile(dir.file("short.rocket").c_str()), tinyxml2::XML_SUCCESS);
    unsigned rows = document.RootElement()->UnsignedAttribute("rows");
    EXPECT_GT(rows, unsigned(Tavrin::Demo::EndRows)) << "the last row of the demo can be reached";
    EXPECT_EQ(rows % 16, 0u) << "on a bar";
}

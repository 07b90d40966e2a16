#include "tavrin/CommandLine.h"

#include "tavrin/edit/RocketClient.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace Tavrin {

namespace {

struct BadArgument : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

long parseInteger(const std::string& text, const std::string& option)
{
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0)
        throw BadArgument(option + " expects a whole number, got \"" + text + "\"");
    return value;
}

float parseSeconds(const std::string& text, const std::string& option)
{
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw BadArgument(option + " expects seconds, got \"" + text + "\"");
    return value;
}

// Demo times start at 0; a negative one would also name its frame "frame_-00060.png".
float parseTime(const std::string& text, const std::string& option)
{
    float value = parseSeconds(text, option);
    if (value < 0.0f)
        throw BadArgument(option + " expects seconds from 0 on, got \"" + text + "\"");
    return value;
}

// "FIRST:LAST", frame numbers of the --fps grid from 0 on, LAST not before FIRST.
std::pair<long, long> parseFrames(const std::string& text)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        throw BadArgument("--frames expects FIRST:LAST, got \"" + text + "\"");
    long first = parseInteger(text.substr(0, colon), "--frames");
    long last = parseInteger(text.substr(colon + 1), "--frames");
    if (first < 0 || last < first)
        throw BadArgument("--frames expects frame numbers from 0 on with LAST not before FIRST, got \"" + text + "\"");
    return {first, last};
}

void parseSize(const std::string& text, RunOptions& options)
{
    size_t x = text.find('x');
    if (x == std::string::npos)
        throw BadArgument("--size expects WxH, got \"" + text + "\"");
    long width = parseInteger(text.substr(0, x), "--size");
    long height = parseInteger(text.substr(x + 1), "--size");
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        throw BadArgument("--size must be between 1x1 and 16384x16384, got \"" + text + "\"");
    options.width = int(width);
    options.height = int(height);
}

int parseAspect(const std::string& text)
{
    if (text == "4:3")
        return 0;
    if (text == "16:9")
        return 1;
    if (text == "16:10")
        return 2;
    throw BadArgument("--aspect expects 4:3, 16:9 or 16:10, got \"" + text + "\"");
}

std::vector<float> parseTimes(const std::string& text)
{
    std::vector<float> times;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        times.push_back(parseTime(item, "--times"));
    if (times.empty())
        throw BadArgument("--times expects a comma-separated list of seconds");
    return times;
}

RunOptions parse(const std::vector<std::string>& arguments, bool& help)
{
    RunOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw BadArgument(option + " needs a value");
            return arguments[++i];
        };
        if (option == "--help" || option == "-h")
            help = true;
        else if (option == "--no-dialog")
            options.showDialog = false;
        else if (option == "--size")
            parseSize(value(), options);
        else if (option == "--windowed")
            options.settings.fullscreen = false;
        else if (option == "--fullscreen")
            options.settings.fullscreen = true;
        else if (option == "--aa") {
            long samples = parseInteger(value(), option);
            if (samples < 0 || samples > 32)
                throw BadArgument("--aa expects a sample count from 0 to 32");
            options.samples = int(samples);
        } else if (option == "--aspect")
            options.settings.aspectIndex = parseAspect(value());
        else if (option == "--no-music")
            options.settings.music = false;
        else if (option == "--gl-debug")
            options.glDebug = true;
        else if (option == "--flow")
            options.flowFile = value();
        else if (option == "--start")
            options.start = parseTime(value(), option);
        else if (option == "--capture")
            options.capture.path = value();
        else if (option == "--fps") {
            long fps = parseInteger(value(), option);
            if (fps < 1 || fps > 1000)
                throw BadArgument("--fps expects a frame rate from 1 to 1000");
            options.capture.fps = int(fps);
        } else if (option == "--from")
            options.capture.from = parseSeconds(value(), option);
        else if (option == "--to")
            options.capture.to = parseSeconds(value(), option);
        else if (option == "--times")
            options.capture.times = parseTimes(value());
        else if (option == "--frames")
            options.capture.frames = parseFrames(value());
        else if (option == "--lossless")
            options.capture.lossless = true;
        else if (option == "--print-end-time")
            options.query = Query::EndTime;
        else if (option == "--print-music-path")
            options.query = Query::MusicPath;
        else if (option == "--profile")
            options.profile = true;
        else if (option == "--benchmark-start")
            options.benchmarkStart = true;
        else if (option == "--edit")
            options.edit = true;
        else if (option == "--rocket") {
            // The address is optional: a following option is not one.
            bool hasAddress = i + 1 < arguments.size() && !arguments[i + 1].starts_with("-");
            options.rocket = hasAddress ? arguments[++i] : std::string();
            if (!Edit::parseRocketAddress(*options.rocket))
                throw BadArgument("--rocket expects HOST or HOST:PORT with a port from 1 to 65535");
            options.edit = true;
        } else
            throw BadArgument("unknown option \"" + option + "\"");
    }
    if (options.benchmarkStart) {
        if (options.capture.enabled())
            throw BadArgument("--benchmark-start measures a live start: it cannot be combined with --capture");
        options.showDialog = false;
    }
    if (options.capture.enabled()) {
        options.showDialog = false;
        if (options.capture.isVideo() && !options.capture.times.empty())
            throw BadArgument("--times captures single frames: give a folder, not a video file");
        if (!options.capture.times.empty() && options.capture.frames)
            throw BadArgument("--times and --frames both choose the frames: give one");
        if (options.capture.lossless && !endsWith(options.capture.path, ".mkv"))
            throw BadArgument("--lossless writes FFV1 in Matroska: name the capture .mkv");
        if (options.rocket)
            throw BadArgument("--rocket is for a live window, not for --capture");
        if (options.edit)
            throw BadArgument("--edit is for a live window, not for --capture");
    }
    return options;
}

}

bool CaptureOptions::isVideo() const
{
    return endsWith(path, ".mp4") || endsWith(path, ".mkv") || endsWith(path, ".webm");
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    ParsedCommandLine result;
    try {
        bool help = false;
        result.options = parse(arguments, help);
        if (help)
            result.outcome = ParsedCommandLine::Outcome::Help;
    } catch (const BadArgument& e) {
        result.outcome = ParsedCommandLine::Outcome::Error;
        result.error = e.what();
    }
    return result;
}

std::string commandLineHelp(const std::string& programName)
{
    return "Usage: " + programName
        + " [options]\n"
          "  --help                  list the options\n"
          "  --no-dialog             skip the settings dialog; settings come from the options below,\n"
          "                          defaulting to the dialog's defaults\n"
          "  --size WxH              resolution, any size (the dialog offers its nine)\n"
          "  --windowed, --fullscreen\n"
          "  --aa N                  multisample count, 0 = none\n"
          "  --aspect 4:3|16:9|16:10 letterbox of the physical screen\n"
          "  --no-music              music muted; it still drives the clock\n"
          "  --flow FILE             play this flow file instead of the production's\n"
          "  --start SECONDS         start at this demo time\n"
          "  --capture PATH          render offline instead of showing a window (implies --no-dialog):\n"
          "                          PATH ending in .mp4, .mkv or .webm -> one video file with the music\n"
          "                          (needs ffmpeg); any other PATH -> a folder of frame_NNNNNN.png,\n"
          "                          NNNNNN = round(time x fps)\n"
          "  --fps N                 capture frame rate, default 60\n"
          "  --from S, --to S        capture range in seconds, default the whole run (0 to the end time)\n"
          "  --times T1,T2,...       capture only these times (PNG folder only)\n"
          "  --frames FIRST:LAST     capture only frames FIRST to LAST of the --fps grid\n"
          "  --lossless              a .mkv capture of exactly the pixels (FFV1), without sound\n"
          "  --print-end-time        print the flow's end time in seconds and exit\n"
          "  --print-music-path      print the path of the flow's music file and exit\n"
          "  --profile               at the end, print each effect's CPU and GPU milliseconds per frame\n"
          "                          and the frames per second\n"
          "  --benchmark-start       end after the first frame is presented, printing when that was\n"
          "                          (Unix time), the peak memory and the CPU time (implies --no-dialog)\n"
          "  --gl-debug              report every GL error on stderr with the flow element that caused it\n"
          "  --edit                  reload assets when their files are saved; transport keys and a\n"
          "                          timeline HUD (Tab); see the README's \"Editing\"\n"
          "  --rocket [HOST[:PORT]]  with --edit (implied): follow a Rocket sync editor, default\n"
          "                          localhost:1338\n"
          "\n"
          "Exit status: 0 after a normal end, 1 when an error ended the demo, 2 for a bad command line.\n";
}

}

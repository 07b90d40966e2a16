#include "tavrin/sync/SyncTrackText.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

namespace Tavrin::Sync {

using Orvane::Exceptions::Exception;
using Orvane::Exceptions::UnsupportedFormatException;

namespace {

constexpr std::array<const char*, 3> ModeNames = {"step", "linear", "smooth"};

double rowSeconds(float bpm) { return 60.0 / (4.0 * double(bpm)); }

float rowsToSeconds(double rows, float bpm) { return float(rows * rowSeconds(bpm)); }

std::vector<std::string> tokensOf(const std::string& line)
{
    std::istringstream stream(line.substr(0, line.find('#')));
    std::vector<std::string> tokens;
    for (std::string token; stream >> token;)
        tokens.push_back(token);
    return tokens;
}

std::optional<float> parseFloat(const std::string& token)
{
    float value = 0.0f;
    const char* end = token.data() + token.size();
    auto [stop, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatFloat(float value)
{
    char buffer[32];
    auto [stop, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, stop) : std::string("nan");
}

// What a text holds, and where: each track's keys with the lines they came from, and the tempo in
// force on each line (1 = the first).
struct CompiledText {
    SyncTrackKeys keys;
    std::array<std::vector<int>, SyncTrackCount> keyLines;
    std::vector<float> bpmOnLine;
};

// Reads a text file's lines one at a time, turning every problem into "<file>:<line>: <problem>".
class Compiler {
public:
    explicit Compiler(std::string fileName)
        : fileName_(std::move(fileName))
    {}

    CompiledText compile(const std::string& text)
    {
        std::vector<float> bpmOnLine = {bpm_};
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            ++lineNumber_;
            compileLine(tokensOf(line));
            bpmOnLine.push_back(bpm_);
        }
        for (auto& track : keys_)
            if (track.empty())
                track.push_back(SyncKey{});
        return {keys_, keyLines_, bpmOnLine};
    }

private:
    [[noreturn]] void fail(const std::string& problem) const
    {
        throw UnsupportedFormatException(fileName_ + ":" + std::to_string(lineNumber_) + ": " + problem);
    }

    void compileLine(const std::vector<std::string>& tokens)
    {
        if (tokens.empty())
            return;
        if (tokens[0] == "bpm")
            return compileTempo(tokens);
        if (tokens.size() != 7 && tokens.size() != 11)
            fail("expected: track time mode in-x in-y in-z in-w [out-x out-y out-z out-w], found "
                 + std::to_string(tokens.size()) + " fields");
        int track = parseTrack(tokens[0]);
        SyncKey key;
        key.time = parseTime(tokens[1]);
        key.mode = parseMode(tokens[2]);
        key.inValue = parseVector(tokens, 3);
        key.outValue = tokens.size() == 11 ? parseVector(tokens, 7) : key.inValue;
        append(track, key);
    }

    void compileTempo(const std::vector<std::string>& tokens)
    {
        std::optional<float> bpm = tokens.size() == 2 ? parseFloat(tokens[1]) : std::nullopt;
        if (!bpm || *bpm <= 0.0f)
            fail("expected: bpm <beats per minute above 0>");
        bpm_ = *bpm;
    }

    int parseTrack(const std::string& token) const
    {
        int track = -1;
        const char* end = token.data() + token.size();
        auto [stop, error] = std::from_chars(token.data(), end, track);
        if (error != std::errc() || stop != end || track < 0 || track >= SyncTrackCount)
            fail("track \"" + token + "\" is not a number from 0 to 63");
        return track;
    }

    float parseTime(const std::string& token) const
    {
        bool inRows = !token.empty() && token[0] == 'r';
        std::optional<float> value = parseFloat(inRows ? token.substr(1) : token);
        if (!value)
            fail("time \"" + token + "\" is neither seconds (2.5) nor rows (r256)");
        return inRows ? rowsToSeconds(*value, bpm_) : *value;
    }

    InterpolationMode parseMode(const std::string& token) const
    {
        for (size_t mode = 0; mode < ModeNames.size(); ++mode)
            if (token == ModeNames[mode])
                return InterpolationMode(mode);
        fail("unknown mode \"" + token + "\" (step, linear or smooth)");
    }

    Orvane::Vector4t<float> parseVector(const std::vector<std::string>& tokens, size_t first) const
    {
        float v[4];
        for (size_t i = 0; i < 4; ++i) {
            std::optional<float> value = parseFloat(tokens[first + i]);
            if (!value)
                fail("value \"" + tokens[first + i] + "\" is not a number");
            v[i] = *value;
        }
        return {v[0], v[1], v[2], v[3]};
    }

    void append(int track, const SyncKey& key)
    {
        auto& keys = keys_[size_t(track)];
        auto& lines = keyLines_[size_t(track)];
        if (!keys.empty() && key.time <= keys.back().time)
            fail("key at " + formatFloat(key.time) + " s of track " + std::to_string(track)
                 + (key.time == keys.back().time ? " shares its time with" : " comes before") + " the key on line "
                 + std::to_string(lines.back()));
        keys.push_back(key);
        lines.push_back(lineNumber_);
    }

    std::string fileName_;
    int lineNumber_ = 0;
    float bpm_ = 162.0f;
    SyncTrackKeys keys_;
    std::array<std::vector<int>, SyncTrackCount> keyLines_;
};

std::string formatTime(float time, float bpm)
{
    double rows = std::round(double(time) / rowSeconds(bpm));
    if (rows >= 0.0 && rowsToSeconds(rows, bpm) == time)
        return "r" + std::to_string(static_cast<long long>(rows));
    return formatFloat(time);
}

std::string formatVector(const Orvane::Vector4t<float>& v)
{
    return formatFloat(v.x) + " " + formatFloat(v.y) + " " + formatFloat(v.z) + " " + formatFloat(v.w);
}

bool isDefaultTrack(const std::vector<SyncKey>& keys)
{
    SyncKey fresh;
    return keys.size() == 1 && keys[0].time == fresh.time && keys[0].mode == fresh.mode
        && keys[0].inValue == fresh.inValue && keys[0].outValue == fresh.outValue;
}

std::string formatKey(int track, const SyncKey& key, float bpm)
{
    auto mode = std::int32_t(key.mode);
    if (!interpolationModeFrom(mode))
        throw Exception("Sync track " + std::to_string(track) + ": the key at " + formatFloat(key.time) + " s has mode "
                        + std::to_string(mode) + ", which has no name in the text form");
    std::string line = std::to_string(track) + " " + formatTime(key.time, bpm) + " " + ModeNames[size_t(mode)] + " "
        + formatVector(key.inValue);
    if (!(key.outValue == key.inValue))
        line += "  " + formatVector(key.outValue);
    return line + "\n";
}

std::string keyLines(int track, const std::vector<SyncKey>& keys, float bpm)
{
    std::string lines;
    if (!isDefaultTrack(keys))
        for (const SyncKey& key : keys)
            lines += formatKey(track, key, bpm);
    return lines;
}

bool sameKey(const SyncKey& x, const SyncKey& y)
{
    return x.time == y.time && x.mode == y.mode && x.inValue == y.inValue && x.outValue == y.outValue;
}

bool sameKeys(const std::vector<SyncKey>& a, const std::vector<SyncKey>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameKey);
}

// What an update does to the lines of a text, by line number (1 = the first): text put before a
// line, a line's replacement (empty: the line goes) and text put after it.
struct LineEdits {
    std::map<int, std::string> before, replaced, after;
};

// A key line rewritten keeps the comment it ended in.
std::string rewrittenLine(const std::string& line, int track, const SyncKey& key, float bpm)
{
    std::string rewritten = formatKey(track, key, bpm);
    size_t comment = line.find('#');
    if (comment == std::string::npos)
        return rewritten;
    rewritten.pop_back();
    return rewritten + "  " + line.substr(comment) + "\n";
}

// Keys are matched by time: a key at the same time is kept or rewritten on its line, one without a
// counterpart goes, and a new one follows the line of the key before it.
void diffTrack(int track, const CompiledText& old, const std::vector<SyncKey>& keys,
               const std::vector<std::string>& lines, LineEdits& edits)
{
    const std::vector<SyncKey>& oldKeys = old.keys[size_t(track)];
    const std::vector<int>& oldLines = old.keyLines[size_t(track)];
    auto drop = [&](size_t k) { edits.replaced[oldLines[k]] = ""; };
    if (isDefaultTrack(keys)) {
        for (size_t k = 0; k < oldLines.size(); ++k)
            drop(k);
        return;
    }
    size_t next = 0;
    std::optional<int> anchor;
    for (const SyncKey& key : keys) {
        for (; next < oldKeys.size() && oldKeys[next].time < key.time; ++next) {
            drop(next);
            anchor = oldLines[next];
        }
        if (next < oldKeys.size() && oldKeys[next].time == key.time) {
            int line = oldLines[next++];
            if (!sameKey(oldKeys[next - 1], key))
                edits.replaced[line]
                    = rewrittenLine(lines[size_t(line - 1)], track, key, old.bpmOnLine[size_t(line - 1)]);
            anchor = line;
        } else if (anchor) {
            edits.after[*anchor] += formatKey(track, key, old.bpmOnLine[size_t(*anchor)]);
        } else {
            edits.before[oldLines.front()] += formatKey(track, key, old.bpmOnLine[size_t(oldLines.front() - 1)]);
        }
    }
    for (; next < oldKeys.size(); ++next)
        drop(next);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

}

SyncTrackKeys compileSyncTrackText(const std::string& text, const std::string& fileName)
{
    return Compiler(fileName).compile(text).keys;
}

std::string updateSyncTrackText(const std::string& text, const SyncTrackKeys& keys, const std::string& fileName,
                                const std::string& note)
{
    CompiledText old = Compiler(fileName).compile(text);
    std::vector<std::string> lines = linesOf(text);
    LineEdits edits;
    std::vector<int> appended;
    for (int track = 0; track < SyncTrackCount; ++track) {
        if (sameKeys(old.keys[size_t(track)], keys[size_t(track)]))
            continue;
        if (old.keyLines[size_t(track)].empty())
            appended.push_back(track);
        else
            diffTrack(track, old, keys[size_t(track)], lines, edits);
    }
    std::string updated;
    for (int number = 1; number <= int(lines.size()); ++number) {
        updated += edits.before[number];
        if (auto replacement = edits.replaced.find(number); replacement != edits.replaced.end())
            updated += replacement->second;
        else
            updated += lines[size_t(number - 1)] + (number == int(lines.size()) && !text.ends_with('\n') ? "" : "\n");
        updated += edits.after[number];
    }
    std::string added;
    for (int track : appended)
        added += keyLines(track, keys[size_t(track)], old.bpmOnLine.back());
    if (!added.empty())
        updated += "\n# " + note + "\n" + added;
    return updated;
}

std::string decompileSyncTrackKeys(const SyncTrackKeys& keys, float bpm)
{
    std::string text = "# track time mode in-x in-y in-z in-w [out-x out-y out-z out-w]\n";
    text += "bpm " + formatFloat(bpm) + "\n";
    for (int track = 0; track < SyncTrackCount; ++track) {
        if (isDefaultTrack(keys[size_t(track)]))
            continue;
        text += "\n";
        for (const SyncKey& key : keys[size_t(track)])
            text += formatKey(track, key, bpm);
    }
    return text;
}

}

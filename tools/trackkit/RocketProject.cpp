#include "trackkit/RocketProject.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/Demo.h"
#include "tavrin/edit/RocketTracks.h"

#include <tinyxml2.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>

namespace TrackKit {

using Orvane::Exceptions::UnsupportedFormatException;
using Tavrin::Edit::RocketComponents;
using Tavrin::Edit::RocketKey;

namespace {

using EditorTracks = std::map<int, std::vector<RocketKey>>;

class ProjectReader {
public:
    ProjectReader(std::string path, float bpm, const TrackNameMap& names)
        : path_(std::move(path))
        , bpm_(bpm)
        , names_(names)
    {}

    Tavrin::Sync::SyncTrackKeys read()
    {
        tinyxml2::XMLDocument document;
        tinyxml2::XMLError loaded = document.LoadFile(path_.c_str());
        if (loaded == tinyxml2::XML_ERROR_FILE_NOT_FOUND || loaded == tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED)
            throw Orvane::Exceptions::FileNotFoundException("Cannot open " + path_);
        if (loaded != tinyxml2::XML_SUCCESS)
            throw UnsupportedFormatException(path_ + ":" + std::to_string(document.ErrorLineNum()) + ": malformed XML ("
                                             + document.ErrorStr() + ")");
        if (document.RootElement() == nullptr)
            throw UnsupportedFormatException(path_ + ": no root element");
        const tinyxml2::XMLElement* tracks = tracksOf(*document.RootElement());
        for (const tinyxml2::XMLElement* track = tracks->FirstChildElement("track"); track != nullptr;
             track = track->NextSiblingElement("track"))
            readTrack(*track);
        if (!unmapped_.empty())
            fail(*tracks,
                 "track names that are not 00.x to 63.w and have no line in a --map file: " + unmappedList()
                     + " (a map has lines \"NAME NN.c\")");
        return ourTracks();
    }

private:
    [[noreturn]] void fail(const tinyxml2::XMLElement& element, const std::string& problem) const
    {
        throw UnsupportedFormatException(path_ + ":" + std::to_string(element.GetLineNum()) + ": " + problem);
    }

    const tinyxml2::XMLElement* tracksOf(const tinyxml2::XMLElement& root) const
    {
        std::string name = root.Name();
        if (name == "tracks")
            return &root;
        const tinyxml2::XMLElement* tracks = root.FirstChildElement("tracks");
        if ((name != "rootElement" && name != "sync") || tracks == nullptr)
            fail(root, "<" + name + "> is not a Rocket project (<rootElement>, <sync> or <tracks> holding <track>s)");
        return tracks;
    }

    void readTrack(const tinyxml2::XMLElement& track)
    {
        const char* name = track.Attribute("name");
        std::optional<int> number = name ? numberOf(name) : std::nullopt;
        if (!number) {
            unmapped_.push_back(name ? name : "");
            return;
        }
        if (tracks_.count(*number))
            fail(track, "track \"" + std::string(name) + "\" comes twice");
        std::map<std::uint32_t, RocketKey> byRow;
        for (const tinyxml2::XMLElement* key = track.FirstChildElement("key"); key != nullptr;
             key = key->NextSiblingElement("key")) {
            RocketKey parsed = readKey(*key, name);
            if (!byRow.emplace(parsed.row, parsed).second)
                fail(*key, "track \"" + std::string(name) + "\" has two keys on row " + std::to_string(parsed.row));
        }
        auto& keys = tracks_[*number];
        for (const auto& [row, key] : byRow)
            keys.push_back(key);
    }

    RocketKey readKey(const tinyxml2::XMLElement& key, const std::string& track) const
    {
        std::string where = "key of track \"" + track + "\": ";
        RocketKey parsed;
        std::optional<unsigned long long> row = wholeNumber(key.Attribute("row"));
        if (!row || *row > 0xffffffffull)
            fail(key, where + "row \"" + text(key.Attribute("row")) + "\" is not a whole number from 0");
        parsed.row = std::uint32_t(*row);
        const char* value = key.Attribute("value");
        if (value == nullptr || key.QueryFloatAttribute("value", &parsed.value) != tinyxml2::XML_SUCCESS
            || !std::isfinite(parsed.value))
            fail(key, where + "value \"" + text(value) + "\" is not a finite number");
        const char* interpolation = key.Attribute("interpolation");
        std::optional<unsigned long long> mode = interpolation ? wholeNumber(interpolation) : 0ull;
        if (!mode || *mode > Tavrin::Edit::RocketRamp)
            fail(key, where + "interpolation \"" + text(interpolation) + "\" is not 0 to 3");
        parsed.interpolation = std::uint8_t(*mode);
        return parsed;
    }

    static std::string text(const char* attribute) { return attribute ? attribute : "(missing)"; }

    std::optional<int> numberOf(const std::string& name) const
    {
        if (auto mapped = names_.find(name); mapped != names_.end())
            return mapped->second;
        return Tavrin::Edit::rocketTrackNumber(name);
    }

    std::string unmappedList() const
    {
        std::string list;
        for (const std::string& name : unmapped_)
            list += (list.empty() ? "\"" : ", \"") + name + "\"";
        return list;
    }

    static std::optional<unsigned long long> wholeNumber(const char* text)
    {
        if (text == nullptr || *text < '0' || *text > '9')
            return std::nullopt;
        std::string_view view(text);
        unsigned long long value = 0;
        auto [stop, error] = std::from_chars(view.data(), view.data() + view.size(), value);
        if (error != std::errc() || stop != view.data() + view.size())
            return std::nullopt;
        return value;
    }

    Tavrin::Sync::SyncTrackKeys ourTracks() const
    {
        Tavrin::Sync::SyncTrackKeys keys;
        for (int track = 0; track < Tavrin::Sync::SyncTrackCount; ++track) {
            std::array<Tavrin::Edit::ComponentKeys, RocketComponents> components;
            for (int c = 0; c < RocketComponents; ++c) {
                auto found = tracks_.find(track * RocketComponents + c);
                if (found != tracks_.end())
                    components[size_t(c)] = Tavrin::Edit::componentFromRocket(found->second, bpm_);
            }
            keys[size_t(track)] = Tavrin::Edit::mergeComponents(components);
        }
        return keys;
    }

    std::string path_;
    float bpm_;
    const TrackNameMap& names_;
    EditorTracks tracks_;
    std::vector<std::string> unmapped_;
};

bool isDefaultTrack(const std::vector<Tavrin::Sync::SyncKey>& keys)
{
    Tavrin::Sync::SyncKey fresh;
    return keys.size() == 1 && keys[0].time == fresh.time && keys[0].inValue == fresh.inValue
        && keys[0].outValue == fresh.outValue;
}

std::string formatFloat(float value)
{
    char buffer[32];
    auto [stop, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, stop);
}

}

Tavrin::Sync::SyncTrackKeys readRocketProject(const std::string& path, float bpm, const TrackNameMap& names)
{
    return ProjectReader(path, bpm, names).read();
}

TrackNameMap readTrackNameMap(const std::string& path)
{
    std::istringstream lines(Orvane::Utils::readTextFile(path));
    TrackNameMap names;
    int lineNumber = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNumber;
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string name, ours, extra;
        if (!(fields >> name))
            continue;
        std::optional<int> number = fields >> ours ? Tavrin::Edit::rocketTrackNumber(ours) : std::nullopt;
        if (!number || fields >> extra)
            throw UnsupportedFormatException(path + ":" + std::to_string(lineNumber)
                                             + ": expected \"NAME NN.c\" with NN.c one of 00.x to 63.w");
        if (!names.emplace(name, *number).second)
            throw UnsupportedFormatException(path + ":" + std::to_string(lineNumber) + ": \"" + name
                                             + "\" is mapped twice");
    }
    return names;
}

void writeRocketProject(const std::string& path, const Tavrin::Sync::SyncTrackKeys& keys, float bpm)
{
    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* root = document.NewElement("rootElement");
    document.InsertEndChild(root);
    tinyxml2::XMLElement* tracks = root->InsertNewChildElement("tracks");
    std::uint32_t lastRow = 0;
    for (int track = 0; track < Tavrin::Sync::SyncTrackCount; ++track) {
        if (isDefaultTrack(keys[size_t(track)]))
            continue;
        for (int c = 0; c < RocketComponents; ++c) {
            tinyxml2::XMLElement* element = tracks->InsertNewChildElement("track");
            element->SetAttribute("name", Tavrin::Edit::rocketTrackName(track * RocketComponents + c).c_str());
            element->SetAttribute("folded", 0);
            auto component = Tavrin::Edit::componentOf(keys[size_t(track)], c);
            for (const RocketKey& key : Tavrin::Edit::rocketKeysOf(component, bpm)) {
                tinyxml2::XMLElement* written = element->InsertNewChildElement("key");
                written->SetAttribute("row", key.row);
                written->SetAttribute("value", formatFloat(key.value).c_str());
                written->SetAttribute("interpolation", int(key.interpolation));
                lastRow = std::max(lastRow, key.row);
            }
        }
    }
    // The editor shows as many rows as the project says: the whole timeline, up to the bar after
    // the demo's end, and up to the bar after the last key when that comes later.
    auto endRow = std::uint32_t(Tavrin::Demo::EndRows);
    std::uint32_t rows = (std::max(endRow, lastRow) / 16 + 1) * 16;
    root->SetAttribute("rows", rows);
    root->SetAttribute("startRow", 0);
    root->SetAttribute("endRow", rows - 1);
    if (document.SaveFile(path.c_str()) != tinyxml2::XML_SUCCESS)
        throw Orvane::Exceptions::Exception("Cannot write " + path + ": " + document.ErrorStr());
}

int keysOffRows(const Tavrin::Sync::SyncTrackKeys& keys, float bpm)
{
    int count = 0;
    for (const auto& track : keys)
        for (const Tavrin::Sync::SyncKey& key : track) {
            double row = std::round(double(key.time) / Tavrin::Edit::rocketRowSeconds(bpm));
            bool onRow = row >= 0.0 && Tavrin::Edit::rocketRowTime(std::uint32_t(row), bpm) == key.time;
            if (!onRow)
                ++count;
        }
    return count;
}

}

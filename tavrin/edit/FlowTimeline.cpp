#include "tavrin/edit/FlowTimeline.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/flow/ValueSyntax.h"

#include <tinyxml2.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

namespace Tavrin::Edit {

namespace {

using tinyxml2::XMLElement;

constexpr float DefaultLength = 3.0f;

// The loader evaluates the children of these; anything under another element is no timeline node.
const std::set<std::string> Containers
    = {"at", "time_stretch", "ortho", "camera", "perspective", "translate", "rotate", "blend"};

// Maps an element's own time to the demo's: demo = local * scale + shift.
struct Clock {
    float scale = 1.0f;
    float shift = 0.0f;
    bool placed = true;
};

float secondsOf(const char* text, float fallback, float bpm)
{
    return text ? Flow::parseRows(text) * 60.0f / (bpm * 4.0f) : fallback;
}

float numberOf(const char* text, float fallback)
{
    if (!text)
        return fallback;
    char* end = nullptr;
    float value = std::strtof(text, &end);
    return end == text ? 0.0f : value;
}

std::string childNames(const XMLElement& element)
{
    std::string names;
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
        names += (names.empty() ? "" : " ") + std::string(child->Name());
    return names;
}

// The same rows in the form of a time text with this many fields: "192", "12:0", "3:0:0", "0:3:0:0".
std::string timeText(long rows, int fields)
{
    std::string text;
    for (int field = 1; field < fields; ++field) {
        text = ":" + std::to_string(rows % 4) + text;
        rows /= 4;
    }
    return std::to_string(rows) + text;
}

// Walks the document in order, as the loader does, numbering every <at> element so that the n-th
// one is the n-th <at> tag of the text.
class BarCollector {
public:
    explicit BarCollector(float bpm)
        : bpm_(bpm)
    {}

    void walk(const XMLElement* first, Clock clock)
    {
        for (const XMLElement* element = first; element; element = element->NextSiblingElement())
            visit(*element, clock);
    }

    std::vector<TimelineBar> bars;
    int elements = 0;

private:
    void visit(const XMLElement& element, const Clock& clock)
    {
        std::string name = element.Name();
        Clock inner = clock;
        inner.placed = clock.placed && Containers.count(name) > 0;
        if (name == "demo" && clock.placed)
            readTempo(element);
        else if (name == "at")
            inner = placeAt(element, clock, inner.placed);
        else if (name == "time_stretch")
            inner = stretched(element, inner);
        walk(element.FirstChildElement(), inner);
    }

    Clock placeAt(const XMLElement& element, const Clock& clock, bool placed)
    {
        TimelineBar bar;
        bar.element = elements++;
        bar.line = element.GetLineNum();
        bar.name = childNames(element);
        bar.local = {secondsOf(element.Attribute("time"), 0.0f, bpm_),
                     secondsOf(element.Attribute("length"), DefaultLength, bpm_)};
        bar.scale = clock.scale;
        bar.shift = clock.shift;
        bar.span = {bar.local.start * clock.scale + clock.shift, bar.local.length * clock.scale};
        bar.bpm = bpm_;
        if (clock.placed)
            bars.push_back(bar);
        return {clock.scale, bar.span.start, placed};
    }

    // The children of a stretch see factor * t - offset.
    Clock stretched(const XMLElement& element, Clock clock) const
    {
        float factor = numberOf(element.Attribute("factor"), 1.0f);
        float offset = secondsOf(element.Attribute("offset"), 0.0f, bpm_);
        if (factor == 0.0f)
            return {clock.scale, clock.shift, false};
        return {clock.scale / factor, clock.shift + clock.scale * offset / factor, clock.placed};
    }

    void readTempo(const XMLElement& element)
    {
        for (const XMLElement* child = element.FirstChildElement("bpm"); child;
             child = child->NextSiblingElement("bpm"))
            if (float bpm = numberOf(child->GetText(), 0.0f); bpm > 0.0f)
                bpm_ = bpm;
    }

    float bpm_;
};

}

FlowTimeline::FlowTimeline(std::string path, std::string text, float bpm)
    : path_(std::move(path))
    , text_(std::move(text))
{
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    if (document.Parse(text_.c_str(), text_.size()) != tinyxml2::XML_SUCCESS)
        throw Orvane::Exceptions::UnsupportedFormatException(path_ + ":" + std::to_string(document.ErrorLineNum())
                                                             + ": malformed XML (" + document.ErrorStr() + ")");
    const XMLElement* root = document.RootElement();
    BarCollector collector(bpm);
    if (root && std::strcmp(root->Name(), "flow") == 0)
        collector.walk(root->FirstChildElement(), {});
    tags_ = findStartTags(text_, "at");
    if (size_t(collector.elements) != (collector.elements > 0 ? tags_.size() : 0))
        throw Orvane::Exceptions::UnsupportedFormatException(path_ + ": the <at> tags cannot be told apart in the text");
    bars_ = std::move(collector.bars);
}

FlowTimeline FlowTimeline::read(const std::string& path, float bpm)
{
    return FlowTimeline(path, Orvane::Utils::readTextFile(path), bpm);
}

std::string FlowTimeline::retimed(const TimelineBar& bar, BarSpan span) const
{
    const XmlStartTag& tag = tags_.at(size_t(bar.element));
    double rowSeconds = 60.0 / (4.0 * double(bar.bpm));
    auto rowsOf = [&](float demoSeconds) { return std::lround(double(demoSeconds) / bar.scale / rowSeconds); };
    auto fieldsOf = [&](const char* name) {
        const XmlAttributeSpan* attribute = tag.attribute(name);
        if (!attribute)
            return 1;
        std::string value = text_.substr(attribute->valueBegin, attribute->valueEnd - attribute->valueBegin);
        return std::max(1, Flow::timeFieldCount(value.c_str()));
    };
    std::vector<std::pair<std::string, std::string>> values;
    if (span.start != bar.span.start)
        values.emplace_back("time", timeText(std::max(0L, rowsOf(span.start - bar.shift)), fieldsOf("time")));
    if (span.length != bar.span.length)
        values.emplace_back("length", timeText(std::max(1L, rowsOf(span.length)), fieldsOf("length")));
    return withAttributeValues(text_, tag, values);
}

}

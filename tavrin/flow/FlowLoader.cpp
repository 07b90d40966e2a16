#include "tavrin/flow/FlowLoader.h"

#include "orvane/GlErrorCheck.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/Demo.h"
#include "tavrin/flow/AtNode.h"
#include "tavrin/flow/Blend.h"
#include "tavrin/flow/CameraNode.h"
#include "tavrin/flow/ClearNode.h"
#include "tavrin/flow/Fade.h"
#include "tavrin/flow/NodeCountFile.h"
#include "tavrin/flow/NodeGlCheck.h"
#include "tavrin/flow/Ortho.h"
#include "tavrin/flow/PerspectiveNode.h"
#include "tavrin/flow/Quad.h"
#include "tavrin/flow/Rotate.h"
#include "tavrin/flow/SyncValue.h"
#include "tavrin/flow/TimeStretch.h"
#include "tavrin/flow/Translate.h"
#include "tavrin/flow/ValueSyntax.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <tinyxml2.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <typeinfo>
#include <vector>

namespace Tavrin::Flow {

namespace {

using Orvane::Exceptions::Exception;
using tinyxml2::XMLElement;

bool named(const XMLElement& element, const char* name) { return std::strcmp(element.Name(), name) == 0; }

// The same file reached by another spelling of its path must still be recognised.
std::filesystem::path identityOf(const std::string& path)
{
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path) : canonical;
}

// Bounds on the work of one load, far above any real timeline: files that inline each other
// twice over would otherwise build an exponential tree and never finish loading.
constexpr int MaxInlineDepth = 32;
constexpr int MaxElements = 200000;

// The sane range of tempos: every musical time divides by the tempo.
constexpr float MinTempo = 1.0f;
constexpr float MaxTempo = 1000.0f;

struct ParameterSlot {
    const char* name;
    Node** slot;
};

// A parameter's number when it is given as one rather than as a ramp.
std::optional<float> constantOf(const Node* parameter)
{
    if (typeid(*parameter) != typeid(Node))
        return std::nullopt;
    return parameter->value;
}

// One load, with the files being read (for error locations and to refuse inline cycles) and
// the progress of the outermost tree.
class FlowLoader {
public:
    FlowLoader(Demo& demo, const LoadOptions& options)
        : demo_(demo)
        , options_(options)
    {}

    std::unique_ptr<ParentNode> load(const std::string& fileName);

private:
    std::unique_ptr<ParentNode> loadFile(const std::string& path);
    void openDocument(tinyxml2::XMLDocument& document, const std::string& path) const;
    void parseChildren(const XMLElement* first, Node& parent, std::initializer_list<const char*> parameterNames = {});
    void addNodeFor(const XMLElement& element, Node& parent, bool isParameter);
    void addVisualFromRegistry(const XMLElement& element, Node& parent, bool isParameter);
    void countJoined(const Node& parent, size_t firstNew);
    void reportProgress() const;
    void countElement(const XMLElement& element);

    std::unique_ptr<ParentNode> makeInline(const XMLElement& element);
    void readDemoSettings(const XMLElement& element);
    std::unique_ptr<Node> makeAt(const XMLElement& element);
    std::unique_ptr<Node> makeTimeStretch(const XMLElement& element);
    std::unique_ptr<Node> makeQuad(const XMLElement& element);
    std::unique_ptr<Node> makeOrtho(const XMLElement& element);
    std::unique_ptr<Node> makeCamera(const XMLElement& element);
    std::unique_ptr<Node> makePerspective(const XMLElement& element);
    std::unique_ptr<Node> makeTranslate(const XMLElement& element);
    std::unique_ptr<Node> makeRotate(const XMLElement& element);
    std::unique_ptr<Node> makeBlend(const XMLElement& element);
    std::unique_ptr<Node> makeClear(const XMLElement& element);

    std::unique_ptr<Node> parseParameter(const XMLElement& element);
    std::unique_ptr<Node> parseParameterElement(const XMLElement& element);
    std::unique_ptr<Fade> parseFade(const XMLElement& element, FadeMode mode);
    std::unique_ptr<SyncValue> parseSync(const XMLElement& element);
    int syncTrackAttribute(const XMLElement& element) const;
    int syncComponentAttribute(const XMLElement& element) const;
    std::unique_ptr<Color> parseColor(const XMLElement& element);
    std::unique_ptr<VectorNode> parseVector(const XMLElement& element);
    void readParameterAttributes(const XMLElement& element, std::initializer_list<ParameterSlot> slots) const;
    void readParameterChildren(const XMLElement& element, Node& owner, std::initializer_list<ParameterSlot> slots);
    bool readParameterChild(const XMLElement& child, Node& owner, std::initializer_list<ParameterSlot> slots);
    float valueAttribute(const XMLElement& element, const char* name, float fallback) const;
    float timeAttribute(const XMLElement& element, const char* name, float fallback) const;
    float requiredTimeAttribute(const XMLElement& element, const char* name) const;
    const char* requiredText(const XMLElement& element) const;
    Orvane::Texture* textureNamed(const XMLElement& element, const char* name) const;
    std::string location(const XMLElement& element) const;
    void warn(const XMLElement& element, const std::string& problem) const;
    void warnAboutDegenerateProjection(const XMLElement& element, const PerspectiveNode& perspective) const;
    void warnAboutIgnoredChildren(const XMLElement& element, std::initializer_list<const char*> readNames) const;
    void warnAboutText(const XMLElement& element, const char* name, const char* text,
                       const std::optional<std::string>& problem, float readAs) const;
    Exception elementError(const XMLElement& element, const std::string& problem) const;

    Demo& demo_;
    const LoadOptions& options_;
    const Node* progressRoot_ = nullptr;
    // countNodes() of the progress root, kept as subtrees join it instead of recounted per element.
    int joinedCount_ = 1;
    int expectedCount_ = NodeCountFile::FallbackCount;
    std::vector<std::string> files_;
    std::vector<std::filesystem::path> openPaths_;
    int elementCount_ = 0;
};

std::unique_ptr<ParentNode> FlowLoader::load(const std::string& fileName)
{
    NodeCountFile countFile(options_.nodeCountFile);
    expectedCount_ = countFile.read();
    std::unique_ptr<ParentNode> root = loadFile(fileName);
    int count = root->countNodes();
    if (count != expectedCount_) {
        expectedCount_ = count;
        countFile.write(count);
    }
    return root;
}

std::unique_ptr<ParentNode> FlowLoader::loadFile(const std::string& path)
{
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    openDocument(document, path);
    auto root = std::make_unique<ParentNode>();
    if (!progressRoot_)
        progressRoot_ = root.get();
    files_.push_back(path);
    openPaths_.push_back(identityOf(path));
    const XMLElement* top = document.RootElement();
    if (!top)
        throw Exception(path + ": holds no element, not even <flow>");
    if (!named(*top, "flow"))
        throw Exception(path + ": the root element is <" + top->Name() + ">, not <flow>");
    parseChildren(top->FirstChildElement(), *root);
    openPaths_.pop_back();
    files_.pop_back();
    return root;
}

void FlowLoader::openDocument(tinyxml2::XMLDocument& document, const std::string& path) const
{
    tinyxml2::XMLError error = document.LoadFile(path.c_str());
    if (error == tinyxml2::XML_SUCCESS)
        return;
    if (error == tinyxml2::XML_ERROR_FILE_NOT_FOUND || error == tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED
        || error == tinyxml2::XML_ERROR_FILE_READ_ERROR)
        throw Orvane::Exceptions::FileNotFoundException("File not found: " + path);
    throw Orvane::Exceptions::UnsupportedFormatException(path + ":" + std::to_string(document.ErrorLineNum())
                                                         + ": malformed XML (" + document.ErrorStr() + ")");
}

// parameterNames are the owner's parameter elements: they pass through like any other element,
// but are expected, so nothing is reported about them.
void FlowLoader::parseChildren(const XMLElement* first, Node& parent, std::initializer_list<const char*> parameterNames)
{
    for (const XMLElement* element = first; element; element = element->NextSiblingElement()) {
        bool isParameter = std::any_of(parameterNames.begin(), parameterNames.end(),
                                       [element](const char* name) { return named(*element, name); });
        countElement(*element);
        size_t firstNew = parent.children().size();
        addNodeFor(*element, parent, isParameter);
        if (&parent == progressRoot_)
            countJoined(parent, firstNew);
        if (Orvane::GlErrorCheck::enabled() && parent.children().size() > firstNew)
            nameNodeForGlChecks(*parent.children().back(), location(*element) + " <" + element->Name() + ">");
        reportProgress();
    }
}

void FlowLoader::countElement(const XMLElement& element)
{
    if (++elementCount_ > MaxElements)
        throw elementError(element,
                           "makes the timeline larger than " + std::to_string(MaxElements)
                               + " elements; are files inlined over and over?");
}

void FlowLoader::addNodeFor(const XMLElement& element, Node& parent, bool isParameter)
{
    using Maker = std::unique_ptr<Node> (FlowLoader::*)(const XMLElement&);
    static const std::pair<const char*, Maker> makers[] = {
        {"at", &FlowLoader::makeAt},
        {"time_stretch", &FlowLoader::makeTimeStretch},
        {"quad", &FlowLoader::makeQuad},
        {"ortho", &FlowLoader::makeOrtho},
        {"camera", &FlowLoader::makeCamera},
        {"perspective", &FlowLoader::makePerspective},
        {"translate", &FlowLoader::makeTranslate},
        {"rotate", &FlowLoader::makeRotate},
        {"blend", &FlowLoader::makeBlend},
        {"clear", &FlowLoader::makeClear},
    };
    if (named(element, "inline")) {
        parent.addChild(makeInline(element));
        return;
    }
    if (named(element, "demo")) {
        readDemoSettings(element);
        if (options_.settingsRead)
            options_.settingsRead();
        return;
    }
    for (const auto& [name, maker] : makers)
        if (named(element, name)) {
            parent.addChild((this->*maker)(element));
            return;
        }
    addVisualFromRegistry(element, parent, isParameter);
}

void FlowLoader::addVisualFromRegistry(const XMLElement& element, Node& parent, bool isParameter)
{
    Visual* visual = demo_.createVisual(element);
    if (!visual) {
        if (isParameter)
            return;
        // Nothing is placed for a name no effect answers to; say so, since it is most often a typo.
        std::fprintf(stderr, "%s: unknown element \"%s\" ignored\n", location(element).c_str(), element.Name());
        return;
    }
    auto* node = dynamic_cast<Node*>(visual);
    if (!node)
        throw elementError(element, "the effect registry made a visual that is not a flow node");
    parent.addBorrowedChild(node);
    if (options_.visualPlaced)
        options_.visualPlaced(*node, element.Name());
}

// A node joins the progress root only once its element is complete, and nothing below it changes
// afterwards, so each subtree is counted once, as it joins: loading stays linear in the flow's size.
void FlowLoader::countJoined(const Node& parent, size_t firstNew)
{
    const std::vector<Node*>& children = parent.children();
    for (size_t i = firstNew; i < children.size(); ++i)
        joinedCount_ += children[i]->countNodes();
}

void FlowLoader::reportProgress() const
{
    if (options_.progress)
        options_.progress(10.0f + float(70 * joinedCount_) / float(expectedCount_));
}

std::unique_ptr<ParentNode> FlowLoader::makeInline(const XMLElement& element)
{
    const char* file = element.Attribute("file");
    if (!file)
        throw elementError(element, "needs a \"file\" attribute");
    std::string path = demo_.dataFolder + file;
    std::filesystem::path identity = identityOf(path);
    for (const std::filesystem::path& open : openPaths_)
        if (open == identity)
            throw elementError(element,
                               "\"" + path + "\" is already being loaded: inline files cannot include themselves");
    if (openPaths_.size() >= size_t(MaxInlineDepth))
        throw elementError(element, "inlines files more than " + std::to_string(MaxInlineDepth) + " deep");
    warnAboutIgnoredChildren(element, {});
    return loadFile(path);
}

void FlowLoader::readDemoSettings(const XMLElement& element)
{
    warnAboutIgnoredChildren(element, {"data_folder", "music", "bpm"});
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (named(*child, "data_folder")) {
            demo_.dataFolder = requiredText(*child);
        } else if (named(*child, "music")) {
            demo_.musicFileName = requiredText(*child);
        } else if (named(*child, "bpm")) {
            const char* text = requiredText(*child);
            float bpm = parseValue(text, demo_);
            if (!(bpm >= MinTempo && bpm <= MaxTempo))
                throw elementError(*child,
                                   "needs a positive tempo, not \"" + std::string(text) + "\" ("
                                       + std::to_string(int(MinTempo)) + " to " + std::to_string(int(MaxTempo))
                                       + " bpm)");
            warnAboutText(*child, nullptr, text, valueTextProblem(text), bpm);
            demo_.bpm = bpm;
        }
    }
}

std::unique_ptr<Node> FlowLoader::makeAt(const XMLElement& element)
{
    float time = timeAttribute(element, "time", 0.0f);
    float length = timeAttribute(element, "length", 3.0f);
    if (time < 0.0f)
        warn(element, "starts before the demo does, at " + std::to_string(time) + " s");
    if (!(length > 0.0f))
        warn(element, "has a length of " + std::to_string(length) + " s, so its children never run");
    auto at = std::make_unique<AtNode>(time, length);
    parseChildren(element.FirstChildElement(), *at);
    return at;
}

std::unique_ptr<Node> FlowLoader::makeTimeStretch(const XMLElement& element)
{
    float offset = timeAttribute(element, "offset", 0.0f);
    float factor = valueAttribute(element, "factor", 1.0f);
    if (factor == 0.0f)
        warn(element, "has a factor of 0, which stops the time of its children");
    auto stretch = std::make_unique<TimeStretch>(factor, offset);
    parseChildren(element.FirstChildElement(), *stretch);
    return stretch;
}

std::unique_ptr<Node> FlowLoader::makeQuad(const XMLElement& element)
{
    auto quad = std::make_unique<Quad>(&demo_);
    std::initializer_list<ParameterSlot> slots
        = {{"x", &quad->x}, {"y", &quad->y}, {"width", &quad->width}, {"height", &quad->height}};
    readParameterAttributes(element, slots);
    if (const char* texture = element.Attribute("texture"))
        quad->texture = textureNamed(element, texture);
    warnAboutIgnoredChildren(element, {"x", "y", "width", "height", "color", "texture"});
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (readParameterChild(*child, *quad, slots))
            continue;
        if (named(*child, "color"))
            quad->color = quad->addChild(parseColor(*child));
        else if (named(*child, "texture"))
            quad->texture = textureNamed(*child, requiredText(*child));
    }
    return quad;
}

std::unique_ptr<Node> FlowLoader::makeOrtho(const XMLElement& element)
{
    auto ortho = std::make_unique<Ortho>(&demo_);
    ortho->left = valueAttribute(element, "left", ortho->left);
    ortho->right = valueAttribute(element, "right", ortho->right);
    ortho->top = valueAttribute(element, "top", ortho->top);
    ortho->bottom = valueAttribute(element, "bottom", ortho->bottom);
    if (ortho->left == ortho->right || ortho->top == ortho->bottom)
        warn(element, "has an empty box (left = right or top = bottom), which makes no projection");
    parseChildren(element.FirstChildElement(), *ortho);
    return ortho;
}

std::unique_ptr<Node> FlowLoader::makeCamera(const XMLElement& element)
{
    auto camera = std::make_unique<CameraNode>();
    parseChildren(element.FirstChildElement(), *camera, {"position", "target", "up"});
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (named(*child, "position"))
            camera->position = camera->addChild(parseVector(*child));
        else if (named(*child, "target"))
            camera->target = camera->addChild(parseVector(*child));
        else if (named(*child, "up"))
            camera->up = camera->addChild(parseVector(*child));
    }
    return camera;
}

std::unique_ptr<Node> FlowLoader::makePerspective(const XMLElement& element)
{
    auto perspective = std::make_unique<PerspectiveNode>(&demo_);
    std::initializer_list<ParameterSlot> slots = {{"fov", &perspective->fov},
                                                  {"aspect", &perspective->aspect},
                                                  {"near_plane", &perspective->nearPlane},
                                                  {"far_plane", &perspective->farPlane}};
    readParameterAttributes(element, slots);
    parseChildren(element.FirstChildElement(), *perspective, {"fov", "aspect", "near_plane", "far_plane"});
    readParameterChildren(element, *perspective, slots);
    warnAboutDegenerateProjection(element, *perspective);
    return perspective;
}

std::unique_ptr<Node> FlowLoader::makeTranslate(const XMLElement& element)
{
    auto translate = std::make_unique<Translate>(&demo_);
    std::initializer_list<ParameterSlot> slots = {{"x", &translate->x}, {"y", &translate->y}, {"z", &translate->z}};
    readParameterAttributes(element, slots);
    parseChildren(element.FirstChildElement(), *translate, {"x", "y", "z"});
    readParameterChildren(element, *translate, slots);
    return translate;
}

std::unique_ptr<Node> FlowLoader::makeRotate(const XMLElement& element)
{
    auto rotate = std::make_unique<Rotate>(&demo_);
    readParameterAttributes(element, {{"angle", &rotate->angle}});
    parseChildren(element.FirstChildElement(), *rotate, {"angle", "axis"});
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (readParameterChild(*child, *rotate, {{"angle", &rotate->angle}}))
            continue;
        if (named(*child, "axis"))
            rotate->axis = rotate->addChild(parseVector(*child));
    }
    return rotate;
}

std::unique_ptr<Node> FlowLoader::makeBlend(const XMLElement& element)
{
    auto blend = std::make_unique<Blend>(&demo_);
    blend->src = parseBlendSource(element.Attribute("src"), blend->src);
    blend->dst = parseBlendDestination(element.Attribute("dst"), blend->dst);
    parseChildren(element.FirstChildElement(), *blend);
    return blend;
}

std::unique_ptr<Node> FlowLoader::makeClear(const XMLElement& element)
{
    auto clear = std::make_unique<ClearNode>(&demo_);
    warnAboutIgnoredChildren(element, {"color", "depth"});
    // Replacements are owned but, unlike other parameters, not listed: they do not count.
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (named(*child, "color"))
            clear->color = clear->keepUnlisted(parseColor(*child));
        else if (named(*child, "depth"))
            clear->depth = clear->keepUnlisted(parseParameter(*child));
    }
    return clear;
}

std::unique_ptr<Node> FlowLoader::parseParameter(const XMLElement& element)
{
    if (const XMLElement* inner = element.FirstChildElement()) {
        for (const XMLElement* extra = inner->NextSiblingElement(); extra; extra = extra->NextSiblingElement())
            warn(*extra, "is ignored: only the first element inside <" + std::string(element.Name()) + "> counts");
        return parseParameterElement(*inner);
    }
    const char* text = element.GetText();
    if (!text)
        throw elementError(element, "needs a value or a fade/scurve element, or a sync element reading a track");
    float value = parseValue(text, demo_);
    warnAboutText(element, nullptr, text, valueTextProblem(text), value);
    return std::make_unique<Node>(value);
}

std::unique_ptr<Node> FlowLoader::parseParameterElement(const XMLElement& element)
{
    if (named(element, "fade"))
        return parseFade(element, FadeMode::Linear);
    if (named(element, "scurve"))
        return parseFade(element, FadeMode::SCurve);
    if (named(element, "sync"))
        return parseSync(element);
    throw Exception("unknown tag: " + std::string(element.Name()) + " (" + location(element)
                    + "); a parameter holds a value or one of <fade>, <scurve>, <sync>");
}

std::unique_ptr<Fade> FlowLoader::parseFade(const XMLElement& element, FadeMode mode)
{
    float start = requiredTimeAttribute(element, "start");
    float stop = requiredTimeAttribute(element, "stop");
    float from = requiredTimeAttribute(element, "from");
    float to = requiredTimeAttribute(element, "to");
    warnAboutIgnoredChildren(element, {});
    if (start == stop)
        warn(element, "starts and stops at the same time, so it jumps from \"from\" to \"to\" there");
    return std::make_unique<Fade>(mode, start, stop, from, to);
}

std::unique_ptr<SyncValue> FlowLoader::parseSync(const XMLElement& element)
{
    int track = syncTrackAttribute(element);
    int component = syncComponentAttribute(element);
    float scale = valueAttribute(element, "scale", 1.0f);
    float offset = valueAttribute(element, "offset", 0.0f);
    warnAboutIgnoredChildren(element, {});
    return std::make_unique<SyncValue>(demo_, track, component, scale, offset);
}

int FlowLoader::syncTrackAttribute(const XMLElement& element) const
{
    const char* text = element.Attribute("track");
    if (!text)
        throw elementError(element, "needs a \"track\" attribute (0 to " + std::to_string(Sync::SyncTrackCount - 1) + ")");
    int track = -1;
    const char* end = text + std::strlen(text);
    auto [stop, problem] = std::from_chars(text, end, track);
    if (problem != std::errc() || stop != end || track < 0 || track >= Sync::SyncTrackCount)
        throw elementError(element, "reads track \"" + std::string(text) + "\", which is not a number from 0 to "
                                        + std::to_string(Sync::SyncTrackCount - 1));
    return track;
}

int FlowLoader::syncComponentAttribute(const XMLElement& element) const
{
    const char* text = element.Attribute("component");
    if (!text)
        return 0;
    static const char* const names[] = {"x", "y", "z", "w"};
    for (int component = 0; component < 4; ++component)
        if (std::strcmp(text, names[component]) == 0)
            return component;
    throw elementError(element, "has the component \"" + std::string(text) + "\", which is not x, y, z or w");
}

std::unique_ptr<Color> FlowLoader::parseColor(const XMLElement& element)
{
    auto color = std::make_unique<Color>(1.0f, 1.0f, 1.0f, 1.0f);
    struct Component {
        const char* shortName;
        const char* longName;
        Node** slot;
    };
    const Component components[]
        = {{"r", "red", &color->r}, {"g", "green", &color->g}, {"b", "blue", &color->b}, {"a", "alpha", &color->a}};
    warnAboutIgnoredChildren(element, {"r", "red", "g", "green", "b", "blue", "a", "alpha"});
    for (const Component& component : components) {
        // The long spelling is read second, so it wins when both are given.
        (*component.slot)->value = valueAttribute(element, component.shortName, (*component.slot)->value);
        (*component.slot)->value = valueAttribute(element, component.longName, (*component.slot)->value);
    }
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
        for (const Component& component : components)
            if (named(*child, component.shortName) || named(*child, component.longName))
                *component.slot = color->addChild(parseParameter(*child));
    return color;
}

std::unique_ptr<VectorNode> FlowLoader::parseVector(const XMLElement& element)
{
    auto vector = std::make_unique<VectorNode>(0.0f, 0.0f, 0.0f);
    std::initializer_list<ParameterSlot> slots = {{"x", &vector->x}, {"y", &vector->y}, {"z", &vector->z}};
    readParameterAttributes(element, slots);
    warnAboutIgnoredChildren(element, {"x", "y", "z"});
    readParameterChildren(element, *vector, slots);
    return vector;
}

void FlowLoader::readParameterAttributes(const XMLElement& element, std::initializer_list<ParameterSlot> slots) const
{
    // The kept nodes are still the constructor's constants here: set their values.
    for (const ParameterSlot& parameter : slots)
        (*parameter.slot)->value = valueAttribute(element, parameter.name, (*parameter.slot)->value);
}

void FlowLoader::readParameterChildren(const XMLElement& element, Node& owner,
                                       std::initializer_list<ParameterSlot> slots)
{
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
        readParameterChild(*child, owner, slots);
}

bool FlowLoader::readParameterChild(const XMLElement& child, Node& owner, std::initializer_list<ParameterSlot> slots)
{
    for (const ParameterSlot& parameter : slots)
        if (named(child, parameter.name)) {
            *parameter.slot = owner.addChild(parseParameter(child));
            return true;
        }
    return false;
}

float FlowLoader::valueAttribute(const XMLElement& element, const char* name, float fallback) const
{
    const char* text = element.Attribute(name);
    if (!text)
        return fallback;
    float value = parseValue(text, demo_);
    warnAboutText(element, name, text, valueTextProblem(text), value);
    return value;
}

float FlowLoader::timeAttribute(const XMLElement& element, const char* name, float fallback) const
{
    const char* text = element.Attribute(name);
    if (!text)
        return fallback;
    float time = parseTime(text, demo_);
    warnAboutText(element, name, text, timeTextProblem(text), time);
    return time;
}

float FlowLoader::requiredTimeAttribute(const XMLElement& element, const char* name) const
{
    const char* text = element.Attribute(name);
    if (!text)
        throw elementError(element, std::string("needs a \"") + name + "\" attribute");
    float time = parseTime(text, demo_);
    warnAboutText(element, name, text, timeTextProblem(text), time);
    return time;
}

const char* FlowLoader::requiredText(const XMLElement& element) const
{
    const char* text = element.GetText();
    if (!text)
        throw elementError(element, "needs text");
    return text;
}

Orvane::Texture* FlowLoader::textureNamed(const XMLElement& element, const char* name) const
{
    if (!options_.loadTexture)
        throw elementError(element,
                           std::string("names the texture \"") + name + "\" but textures cannot be loaded here");
    Orvane::Texture* texture = options_.loadTexture(name);
    if (!texture)
        throw elementError(element, std::string("names the texture \"") + name + "\", which could not be loaded");
    return texture;
}

std::string FlowLoader::location(const XMLElement& element) const
{
    return files_.back() + ":" + std::to_string(element.GetLineNum());
}

void FlowLoader::warn(const XMLElement& element, const std::string& problem) const
{
    std::fprintf(stderr, "%s: <%s> %s\n", location(element).c_str(), element.Name(), problem.c_str());
}

// Read the way C reads numbers, as before, but a text that is not read whole is most often a typo.
void FlowLoader::warnAboutText(const XMLElement& element, const char* name, const char* text,
                               const std::optional<std::string>& problem, float readAs) const
{
    if (!problem)
        return;
    std::string what = name ? std::string(name) + "=\"" + text + "\"" : "\"" + std::string(text) + "\"";
    warn(element, what + " " + *problem + "; read as " + std::to_string(readAs));
}

void FlowLoader::warnAboutDegenerateProjection(const XMLElement& element, const PerspectiveNode& perspective) const
{
    std::optional<float> fov = constantOf(perspective.fov);
    std::optional<float> aspect = constantOf(perspective.aspect);
    std::optional<float> nearPlane = constantOf(perspective.nearPlane);
    std::optional<float> farPlane = constantOf(perspective.farPlane);
    if (fov && !(*fov > 0.0f && *fov < 180.0f))
        warn(element, "has a field of view of " + std::to_string(*fov) + " degrees, which makes no projection");
    if (aspect && *aspect == 0.0f)
        warn(element, "has an aspect ratio of 0, which makes no projection");
    if (nearPlane && farPlane && *nearPlane == *farPlane)
        warn(element, "has its near and far planes at the same distance, which makes no projection");
}

// A child no reader asks for would vanish without a trace.
void FlowLoader::warnAboutIgnoredChildren(const XMLElement& element, std::initializer_list<const char*> readNames) const
{
    for (const XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement())
        if (std::none_of(readNames.begin(), readNames.end(), [child](const char* name) { return named(*child, name); }))
            std::fprintf(stderr, "%s: unknown element \"%s\" inside <%s> ignored\n", location(*child).c_str(),
                         child->Name(), element.Name());
}

Exception FlowLoader::elementError(const XMLElement& element, const std::string& problem) const
{
    return Exception(location(element) + ": <" + element.Name() + "> " + problem);
}

}

std::unique_ptr<ParentNode> loadFlow(const std::string& fileName, Demo& demo, const LoadOptions& options)
{
    return FlowLoader(demo, options).load(fileName);
}

}

#include "tavrin/flow/ValueSyntax.h"

#include "tavrin/Demo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Tavrin::Flow {

namespace {

constexpr int NoField = -1;

// One "%i" field; strtol with base 0 reads the same forms without scanf's undefined overflow. A
// number beyond an int is clamped, and clamped says so.
bool readIntegerField(const char*& cursor, int& field, bool& clamped)
{
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(cursor, &end, 0);
    if (end == cursor)
        return false;
    cursor = end;
    clamped = clamped || errno == ERANGE || parsed > INT_MAX || parsed < INT_MIN;
    field = parsed > INT_MAX ? INT_MAX : (parsed < INT_MIN ? INT_MIN : int(parsed));
    return true;
}

// Returns the number of fields read; end, when given, receives the end of the text read (a field
// of -1 included, since it is part of the form), and clamped whether a field was out of range.
int readTimeFields(const char* text, int fields[4], const char** end = nullptr, bool* clamped = nullptr)
{
    bool anyClamped = false;
    int count = 0;
    const char* cursor = text;
    const char* consumed = text;
    while (count < 4) {
        if (count > 0 && *cursor++ != ':')
            break;
        int field = NoField;
        bool read = readIntegerField(cursor, field, anyClamped);
        if (read)
            consumed = cursor;
        if (!read || field == NoField)
            break;
        fields[count++] = field;
    }
    if (end)
        *end = consumed;
    if (clamped)
        *clamped = anyClamped;
    return count;
}

// The fields right-aligned into sixteenth notes: the last field is rows, the one before beats, and
// so on; all stay 0 for a text without a time.
void alignTimeFields(const char* text, float aligned[4])
{
    if (!text)
        return;
    int fields[4];
    int count = readTimeFields(text, fields);
    for (int i = 0; i < count; ++i)
        aligned[4 - count + i] = float(fields[i]);
}

bool isBlank(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    return *text == '\0';
}

bool isSymbol(const char* text)
{
    return std::strcmp(text, "#resolution.x") == 0 || std::strcmp(text, "#resolution.y") == 0
        || std::strcmp(text, "#aspect") == 0;
}

using Orvane::BlendOperandEnum;

struct BlendWord {
    const char* word;
    BlendOperandEnum source;
    BlendOperandEnum destination;
};

constexpr BlendWord blendWords[] = {
    {"alpha", BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha},
    {"one", BlendOperandEnum::One, BlendOperandEnum::One},
    {"invalpha", BlendOperandEnum::OneMinusSrcAlpha, BlendOperandEnum::OneMinusSrcAlpha},
    {"color", BlendOperandEnum::SrcColor, BlendOperandEnum::SrcColor},
    {"invcolor", BlendOperandEnum::OneMinusSrcColor, BlendOperandEnum::OneMinusSrcColor},
    {"dstcolor", BlendOperandEnum::DstColor, BlendOperandEnum::DstColor},
    {"invdstcolor", BlendOperandEnum::OneMinusDstColor, BlendOperandEnum::OneMinusDstColor},
};

const BlendWord* findBlendWord(const char* word)
{
    if (!word)
        return nullptr;
    for (const BlendWord& entry : blendWords)
        if (std::strcmp(entry.word, word) == 0)
            return &entry;
    return nullptr;
}

}

float parseTime(const char* text, const Demo& demo)
{
    if (timeFieldCount(text) == 0)
        return 0.0f;
    float aligned[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    alignTimeFields(text, aligned);
    return demo.beatsToSeconds(aligned[0], aligned[1], aligned[2], aligned[3]);
}

float parseRows(const char* text)
{
    float aligned[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    alignTimeFields(text, aligned);
    return ((aligned[0] * 4 + aligned[1]) * 4 + aligned[2]) * 4 + aligned[3];
}

int timeFieldCount(const char* text)
{
    int fields[4];
    return text ? readTimeFields(text, fields) : 0;
}

float parseValue(const char* text, const Demo& demo)
{
    if (!text)
        return 0.0f;
    if (std::strcmp(text, "#resolution.x") == 0)
        return float(demo.width);
    if (std::strcmp(text, "#resolution.y") == 0)
        return float(demo.height);
    if (std::strcmp(text, "#aspect") == 0)
        return demo.aspect;
    char* end = nullptr;
    float parsed = std::strtof(text, &end);
    return end == text ? 0.0f : parsed;
}

std::optional<std::string> timeTextProblem(const char* text)
{
    if (!text)
        return std::nullopt;
    int fields[4];
    const char* end = text;
    bool clamped = false;
    int count = readTimeFields(text, fields, &end, &clamped);
    if (count == 0 && end == text)
        return "is not a time";
    if (clamped)
        return "is out of range: a count beyond " + std::to_string(INT_MAX) + " was cut to it";
    if (!isBlank(end))
        return "has trailing text \"" + std::string(end) + "\"";
    return std::nullopt;
}

std::optional<std::string> valueTextProblem(const char* text)
{
    if (!text || isSymbol(text))
        return std::nullopt;
    char* end = nullptr;
    float parsed = std::strtof(text, &end);
    if (end == text)
        return "is not a number";
    if (!std::isfinite(parsed))
        return "is not a finite number";
    if (!isBlank(end))
        return "has trailing text \"" + std::string(end) + "\"";
    return std::nullopt;
}

Orvane::BlendOperandEnum parseBlendSource(const char* word, Orvane::BlendOperandEnum fallback)
{
    const BlendWord* entry = findBlendWord(word);
    return entry ? entry->source : fallback;
}

Orvane::BlendOperandEnum parseBlendDestination(const char* word, Orvane::BlendOperandEnum fallback)
{
    const BlendWord* entry = findBlendWord(word);
    return entry ? entry->destination : fallback;
}

}

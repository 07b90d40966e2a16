#include "Pattern.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace Nightglass::Synth {

namespace {

double parseNoteName(std::string_view token)
{
    static constexpr int semitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    auto bad = [&] { return std::invalid_argument("malformed note \"" + std::string(token) + "\""); };
    if (token.size() < 2)
        throw bad();
    char letter = char(std::toupper(static_cast<unsigned char>(token[0])));
    if (letter < 'A' || letter > 'G')
        throw bad();
    int pitch = semitones[letter - 'A'];
    size_t at = 1;
    if (token[at] == '#' || token[at] == 'b') {
        pitch += token[at] == '#' ? 1 : -1;
        ++at;
    }
    if (at + 1 != token.size() || !std::isdigit(static_cast<unsigned char>(token[at])))
        throw bad();
    return 12.0 * (token[at] - '0' + 1) + pitch;
}

}

Pattern parseMelody(std::string_view text)
{
    Pattern pattern;
    int sounding = -1;
    size_t at = 0;
    while (at < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        std::string_view token = text.substr(at, end - at);
        at = end;
        if (token == "|")
            continue;
        if (token == ".") {
            if (sounding >= 0)
                ++pattern.notes[sounding].length;
        } else if (token == "-") {
            sounding = -1;
        } else {
            pattern.notes.push_back({pattern.rows, 1, parseNoteName(token)});
            sounding = int(pattern.notes.size()) - 1;
        }
        ++pattern.rows;
    }
    return pattern;
}

std::vector<Hit> parseHits(std::string_view text)
{
    std::vector<Hit> hits;
    int row = 0;
    for (char c : text) {
        if (c == ' ' || c == '|')
            continue;
        if (c == 'x' || c == 'o')
            hits.push_back({row, c == 'x' ? 1.0f : 0.55f});
        else if (c != '.')
            throw std::invalid_argument(std::string("malformed drum hit '") + c + "'");
        ++row;
    }
    return hits;
}

}

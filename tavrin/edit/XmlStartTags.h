#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Tavrin::Edit {

// Where an attribute's value stands in the text: the characters between its quotes.
struct XmlAttributeSpan {
    std::string name;
    size_t valueBegin = 0;
    size_t valueEnd = 0;
};

// One start tag as written: where it begins, its attributes in their order, and where a new
// attribute goes (after the last one, or after the name).
struct XmlStartTag {
    size_t begin = 0;
    size_t insertAt = 0;
    std::vector<XmlAttributeSpan> attributes;

    const XmlAttributeSpan* attribute(const std::string& name) const;
};

// The start tags of the elements with this name, in document order, outside comments, CDATA
// sections, processing instructions and declarations. Reads text that an XML parser accepted;
// in other text it finds what it can.
std::vector<XmlStartTag> findStartTags(const std::string& text, const std::string& elementName);

// The text with the tag's attributes set to these values: an attribute it has keeps its place and
// quotes and only its value changes; a missing one is added after its last attribute. Values are
// written as given, so they must need no escaping. Every other character stays.
std::string withAttributeValues(const std::string& text, const XmlStartTag& tag,
                                const std::vector<std::pair<std::string, std::string>>& values);

}

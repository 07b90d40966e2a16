#include "tavrin/edit/XmlStartTags.h"

#include <algorithm>
#include <cstring>

namespace Tavrin::Edit {

namespace {

bool isNameCharacter(char c)
{
    return !std::strchr(" \t\r\n/>=\"'", c) && c != '\0';
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one start tag from its '<'; at returns past its '>'.
class TagReader {
public:
    TagReader(const std::string& text, size_t at)
        : text_(text)
        , at_(at)
    {}

    std::string readName()
    {
        size_t begin = ++at_;
        while (at_ < text_.size() && isNameCharacter(text_[at_]))
            ++at_;
        return text_.substr(begin, at_ - begin);
    }

    // Attributes up to the end of the tag, and where a new one would go.
    void readAttributes(XmlStartTag& tag)
    {
        tag.insertAt = at_;
        for (;;) {
            skipSpace();
            if (at_ >= text_.size() || text_[at_] == '>' || text_[at_] == '/')
                break;
            size_t nameBegin = at_;
            while (at_ < text_.size() && isNameCharacter(text_[at_]))
                ++at_;
            std::string name = text_.substr(nameBegin, at_ - nameBegin);
            skipSpace();
            if (name.empty() || at_ >= text_.size() || text_[at_] != '=')
                break;
            ++at_;
            skipSpace();
            if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\''))
                break;
            size_t close = text_.find(text_[at_], at_ + 1);
            if (close == std::string::npos)
                break;
            tag.attributes.push_back({name, at_ + 1, close});
            at_ = close + 1;
            tag.insertAt = at_;
        }
    }

    size_t end() const
    {
        size_t close = text_.find('>', at_);
        return close == std::string::npos ? text_.size() : close + 1;
    }

private:
    void skipSpace()
    {
        while (at_ < text_.size() && isSpace(text_[at_]))
            ++at_;
    }

    const std::string& text_;
    size_t at_;
};

// Past the end of markup that holds no elements, or npos when at is not at such markup.
size_t skipNonElement(const std::string& text, size_t at)
{
    static const std::pair<const char*, const char*> kinds[]
        = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}, {"</", ">"}};
    for (const auto& [open, close] : kinds) {
        if (text.compare(at, std::strlen(open), open) != 0)
            continue;
        size_t end = text.find(close, at + std::strlen(open));
        return end == std::string::npos ? text.size() : end + std::strlen(close);
    }
    return std::string::npos;
}

}

const XmlAttributeSpan* XmlStartTag::attribute(const std::string& name) const
{
    auto found = std::find_if(attributes.begin(), attributes.end(),
                              [&](const XmlAttributeSpan& span) { return span.name == name; });
    return found == attributes.end() ? nullptr : &*found;
}

std::vector<XmlStartTag> findStartTags(const std::string& text, const std::string& elementName)
{
    std::vector<XmlStartTag> tags;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at)) {
        if (size_t skipped = skipNonElement(text, at); skipped != std::string::npos) {
            at = skipped;
            continue;
        }
        TagReader reader(text, at);
        XmlStartTag tag;
        tag.begin = at;
        bool wanted = reader.readName() == elementName;
        reader.readAttributes(tag);
        if (wanted)
            tags.push_back(std::move(tag));
        at = reader.end();
    }
    return tags;
}

std::string withAttributeValues(const std::string& text, const XmlStartTag& tag,
                                const std::vector<std::pair<std::string, std::string>>& values)
{
    // Replaced from the end backwards, so the positions still ahead stay valid.
    struct Change {
        size_t begin, end;
        std::string replacement;
    };
    std::vector<Change> changes;
    std::string added;
    for (const auto& [name, value] : values) {
        if (const XmlAttributeSpan* span = tag.attribute(name))
            changes.push_back({span->valueBegin, span->valueEnd, value});
        else
            added += " " + name + "=\"" + value + "\"";
    }
    if (!added.empty())
        changes.push_back({tag.insertAt, tag.insertAt, added});
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.begin > b.begin; });
    std::string result = text;
    for (const Change& change : changes)
        result.replace(change.begin, change.end - change.begin, change.replacement);
    return result;
}

}

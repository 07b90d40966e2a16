#include "tavrin/edit/ReloadErrors.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace Tavrin::Edit {

int lineNamedIn(const std::string& message, const std::string& file)
{
    std::smatch match;
    // GLSL compilers number the source string first: Mesa writes "0:LINE(COLUMN)", others "0(LINE)".
    static const std::regex glsl(R"((?:^|\s)0[:(](\d+)[()])");
    if (std::regex_search(message, match, glsl))
        return std::stoi(match[1]);
    std::string::size_type at = message.find(file + ":");
    if (at == std::string::npos)
        return 0;
    static const std::regex leadingNumber(R"(^(\d+):)");
    std::string rest = message.substr(at + file.size() + 1);
    return std::regex_search(rest, match, leadingNumber) ? std::stoi(match[1]) : 0;
}

void ReloadErrors::fail(const std::string& file, const std::string& message)
{
    errors_[file] = {file, lineNamedIn(message, file), message};
    std::fprintf(stderr, "Reload of %s failed, the last good version stays: %s\n", file.c_str(), message.c_str());
}

void ReloadErrors::succeed(const std::string& file) { errors_.erase(file); }

std::vector<std::string> ReloadErrors::lines() const
{
    std::vector<std::string> result;
    for (const auto& [file, error] : errors_) {
        result.push_back(file + (error.line > 0 ? ":" + std::to_string(error.line) : std::string())
                         + ": reload failed");
        std::istringstream text(error.message);
        for (std::string line; std::getline(text, line);)
            if (!line.empty())
                result.push_back("  " + line);
    }
    return result;
}

}

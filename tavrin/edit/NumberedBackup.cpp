#include "tavrin/edit/NumberedBackup.h"

#include "orvane/exceptions/Exception.h"

#include <charconv>
#include <filesystem>
#include <fstream>

namespace Tavrin::Edit {

namespace fs = std::filesystem;

namespace {

int highestBackup(const fs::path& path)
{
    int highest = 0;
    std::error_code error;
    const std::string prefix = path.filename().string() + ".~";
    for (const auto& entry : fs::directory_iterator(path.parent_path().empty() ? "." : path.parent_path(), error)) {
        std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with('~') || name.size() <= prefix.size() + 1)
            continue;
        int number = 0;
        const char* first = name.data() + prefix.size();
        const char* last = name.data() + name.size() - 1;
        auto [stop, problem] = std::from_chars(first, last, number);
        if (problem == std::errc() && stop == last)
            highest = std::max(highest, number);
    }
    return highest;
}

}

void saveWithNumberedBackup(const std::string& path, const std::string& text)
{
    std::error_code error;
    if (fs::exists(path, error)) {
        std::string backup = path + ".~" + std::to_string(highestBackup(path) + 1) + "~";
        fs::copy_file(path, backup, error);
        if (error)
            throw Orvane::Exceptions::Exception("Cannot keep " + path + " as " + backup + ": " + error.message());
    }
    saveReplacing(path, text);
}

void saveReplacing(const std::string& path, const std::string& text)
{
    std::error_code error;
    std::string temporary = path + ".saving";
    {
        std::ofstream file(temporary, std::ios::binary);
        file << text;
        if (!file.flush())
            throw Orvane::Exceptions::Exception("Cannot write " + temporary);
    }
    fs::rename(temporary, path, error);
    if (error)
        throw Orvane::Exceptions::Exception("Cannot replace " + path + ": " + error.message());
}

}

#include "DataMirror.h"

#include <filesystem>

namespace NightglassTest {

DataMirror::DataMirror(const std::set<std::string>& leftOut)
{
    namespace fs = std::filesystem;
    const fs::path data = fs::path(NIGHTGLASS_SOURCE_DIR) / "data";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file())
            continue;
        fs::path relative = fs::relative(entry.path(), data);
        if (leftOut.count(relative.generic_string()))
            continue;
        fs::path link = directory_.path() / relative;
        fs::create_directories(link.parent_path());
        fs::create_symlink(entry.path(), link);
    }
}

}

#include "tavrin/install/DataLocation.h"

#include "orvane/exceptions/Exception.h"

#include <unistd.h>

namespace Tavrin::Install {

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder / "data", error);
}

}

fs::path findBaseFolder(const fs::path& currentFolder, const fs::path& executable)
{
    if (holdsData(currentFolder))
        return currentFolder;
    fs::path installed = executable.parent_path().parent_path() / "share" / "nightglass";
    if (holdsData(installed))
        return installed;
    throw Orvane::Exceptions::FileNotFoundException("No data folder found: looked for "
                                                    + (currentFolder / "data").string() + " and "
                                                    + (installed / "data").string());
}

bool isWritable(const fs::path& folder) { return access(folder.c_str(), W_OK) == 0; }

std::string nodeCountLocation(bool dataWritable, const char* xdgCacheHome, const char* home)
{
    if (dataWritable)
        return "data/lol.dat";
    fs::path cache;
    if (xdgCacheHome && *xdgCacheHome == '/')
        cache = xdgCacheHome;
    else if (home && *home)
        cache = fs::path(home) / ".cache";
    else
        return "data/lol.dat";
    std::error_code error;
    fs::create_directories(cache / "nightglass", error);
    return (cache / "nightglass" / "lol.dat").string();
}

fs::path executablePath()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

}

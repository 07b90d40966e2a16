#pragma once

#include <filesystem>
#include <string>

namespace Tavrin::Install {

// Where the demo's fixed relative paths ("data/...") are rooted: the current folder when it holds
// data/ (a run from the source tree), else the installed share/nightglass beside the executable's
// bin/ folder, so a relocated install works too. Throws FileNotFoundException listing the places
// searched when neither holds data/.
std::filesystem::path findBaseFolder(const std::filesystem::path& currentFolder,
                                     const std::filesystem::path& executable);

// The node-count file: "data/lol.dat" while the data folder is writable, else in the user's cache
// folder ($XDG_CACHE_HOME when absolute, or ~/.cache, then "nightglass/lol.dat"), created on demand.
std::string nodeCountLocation(bool dataWritable, const char* xdgCacheHome, const char* home);
bool isWritable(const std::filesystem::path& folder);

// The running program's own path (Linux /proc/self/exe).
std::filesystem::path executablePath();

}

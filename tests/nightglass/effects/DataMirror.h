#pragma once

#include "support/TempDir.h"

#include <set>
#include <string>

namespace NightglassTest {

// A data folder made of links to every file of the project's data folder but the left-out ones,
// so a test can take one asset away, or put a damaged one in its place, without touching data/.
class DataMirror {
public:
    explicit DataMirror(const std::set<std::string>& leftOut);

    // The folder, with a trailing slash, as Demo::dataFolder wants it.
    std::string folder() const { return directory_.path().string() + "/"; }
    std::string file(const std::string& name) const { return directory_.file(name); }

private:
    TestSupport::TempDir directory_;
};

}

#pragma once

#include <string>

namespace Tavrin::Flow {

// The node count of the previous load, kept so that the next load's progress bar knows the
// total: one little-endian int32.
class NodeCountFile {
public:
    static constexpr int FallbackCount = 100;

    explicit NodeCountFile(std::string path)
        : path_(std::move(path))
    {}

    // The remembered count; FallbackCount when the file is missing, short, or holds a count of
    // 0 or less (a damaged file must not become a divisor).
    int read() const;

    // Failing to write only costs the next run an accurate bar, so it is not an error.
    void write(int count) const;

private:
    std::string path_;
};

}

#pragma once

#include <map>
#include <string>
#include <vector>

namespace Tavrin::Edit {

struct ReloadError {
    std::string file;
    int line = 0;  // 0 where the message names none
    std::string message;
};

// The files whose last reload failed, each until it reloads successfully.
class ReloadErrors {
public:
    // Also prints the error on stderr.
    void fail(const std::string& file, const std::string& message);
    void succeed(const std::string& file);

    bool empty() const { return errors_.empty(); }
    const std::map<std::string, ReloadError>& all() const { return errors_; }
    // "file:line: message" per error, the message cut into its lines.
    std::vector<std::string> lines() const;

private:
    std::map<std::string, ReloadError> errors_;
};

// The line a compiler or parser message points at ("0:12(5): ...", "0(12) : ...", "file:12: ..."),
// or 0.
int lineNamedIn(const std::string& message, const std::string& file);

}

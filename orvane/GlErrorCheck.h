#pragma once

#include <functional>
#include <string>

namespace Orvane {

// Finds GL errors while a debugging run draws: after each step the caller names, the GL error
// flags are read and every error is reported with that name. Where the driver has KHR_debug, its
// message for the error (which call, which value) is added to the report. Process-wide, like the
// GL context it watches; off until enabled.
class GlErrorCheck {
public:
    using Reporter = std::function<void(const std::string& report)>;

    // Needs a current context. Without a reporter, reports go to stderr.
    static void enable(Reporter reporter = {});
    static void disable();
    static bool enabled();

    // Reports every error raised since the last check as caused by step; returns how many.
    static int check(const std::string& step);
    static int errorCount();

    // "GL_INVALID_ENUM" and the like.
    static std::string errorName(unsigned error);
};

}

#include "orvane/GlErrorCheck.h"

#include "orvane/ProcessState.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>

namespace Orvane {

namespace {

// A lost context may answer every glGetError with an error; the bound keeps a check finite.
constexpr int MaxErrorsPerCheck = 16;

ProcessState::GlErrors& state() { return processState().glErrors; }

void GLAPIENTRY keepErrorMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei, const GLchar* message, const void*)
{
    if (type == GL_DEBUG_TYPE_ERROR)
        state().driverMessage = message;
}

bool hasExtension(const char* name)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions)
        return false;
    size_t length = std::strlen(name);
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + length, name))
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

// Synchronous output, so the message arrives inside the call that failed, before the check.
void installDebugCallback()
{
    if (!hasExtension("GL_KHR_debug"))
        return;
    auto callback = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(SDL_GL_GetProcAddress("glDebugMessageCallback"));
    if (!callback)
        return;
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    callback(keepErrorMessage, nullptr);
}

void removeDebugCallback()
{
    if (!hasExtension("GL_KHR_debug"))
        return;
    auto callback = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(SDL_GL_GetProcAddress("glDebugMessageCallback"));
    if (callback)
        callback(nullptr, nullptr);
    glDisable(GL_DEBUG_OUTPUT);
}

}

bool GlErrorCheck::enabled() { return state().enabled; }
int GlErrorCheck::errorCount() { return state().errorCount; }

void GlErrorCheck::enable(Reporter report)
{
    state().reporter
        = report ? std::move(report) : [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    // Errors from before are nobody's we could name.
    for (int i = 0; i < MaxErrorsPerCheck && glGetError() != GL_NO_ERROR; ++i) {
    }
    installDebugCallback();
    state().enabled = true;
}

void GlErrorCheck::disable()
{
    if (!state().enabled)
        return;
    removeDebugCallback();
    state().enabled = false;
    state().reporter = {};
}

int GlErrorCheck::check(const std::string& step)
{
    int found = 0;
    for (GLenum error = glGetError(); error != GL_NO_ERROR && found < MaxErrorsPerCheck; error = glGetError()) {
        std::string report = "GL error " + errorName(error) + " in " + step;
        std::string& driverMessage = state().driverMessage;
        if (!driverMessage.empty())
            report += ": " + driverMessage;
        driverMessage.clear();
        ++found;
        if (state().reporter)
            state().reporter(report);
    }
    state().errorCount += found;
    return found;
}

std::string GlErrorCheck::errorName(unsigned error)
{
    switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    case GL_INVALID_FRAMEBUFFER_OPERATION: return "GL_INVALID_FRAMEBUFFER_OPERATION";
    default: {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%04X", error);
        return hex;
    }
    }
}

}

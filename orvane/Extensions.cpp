#include "orvane/Extensions.h"

#include "orvane/ProcessState.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace Orvane::Ext {

PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTexture;
PFNGLDISABLEVERTEXATTRIBARRAYARBPROC glDisableVertexAttribArrayARB;
PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT;
PFNGLVERTEXATTRIB4FVPROC glVertexAttrib4fv;
PFNGLMULTITEXCOORD4FVARBPROC glMultiTexCoord4fv;
PFNGLBINDATTRIBLOCATIONARBPROC glBindAttribLocationARB;
PFNGLACTIVETEXTUREARBPROC glActiveTextureARB;
PFNGLUSEPROGRAMPROC glUseProgram;
PFNGLLINKPROGRAMPROC glLinkProgram;
PFNGLATTACHSHADERPROC glAttachShader;
PFNGLDETACHSHADERPROC glDetachShader;
PFNGLUNIFORM1IPROC glUniform1i;
PFNGLUNIFORM1FPROC glUniform1f;
PFNGLUNIFORM4FVPROC glUniform4fv;
PFNGLUNIFORM3FVPROC glUniform3fv;
PFNGLUNIFORM2FVPROC glUniform2fv;
PFNGLUNIFORM1FVPROC glUniform1fv;
PFNGLUNIFORMMATRIX4FVPROC glUniformMatrix4fv;
PFNGLGETSHADERINFOLOGPROC glGetShaderInfoLog;
PFNGLCOMPILESHADERPROC glCompileShader;
PFNGLSHADERSOURCEPROC glShaderSource;
PFNGLCREATESHADERPROC glCreateShader;
PFNGLCREATEPROGRAMPROC glCreateProgram;
PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT;
PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT;
PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT;
PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT;
PFNGLGETUNIFORMLOCATIONPROC glGetUniformLocation;
PFNGLGENBUFFERSPROC glGenBuffers;
PFNGLBUFFERDATAPROC glBufferData;
PFNGLDELETEBUFFERSPROC glDeleteBuffers;
PFNGLBINDBUFFERPROC glBindBuffer;
PFNGLMAPBUFFERPROC glMapBuffer;
PFNGLUNMAPBUFFERPROC glUnmapBuffer;
PFNGLENABLEVERTEXATTRIBARRAYPROC glEnableVertexAttribArray;
PFNGLVERTEXATTRIBPOINTERPROC glVertexAttribPointer;
PFNGLGETSHADERIVPROC glGetShaderiv;
PFNGLGETPROGRAMIVPROC glGetProgramiv;
PFNGLGETPROGRAMINFOLOGPROC glGetProgramInfoLog;
PFNGLDELETESHADERPROC glDeleteShader;
PFNGLDELETEPROGRAMPROC glDeleteProgram;
PFNGLGETACTIVEUNIFORMPROC glGetActiveUniform;
PFNGLBUFFERSUBDATAPROC glBufferSubData;
PFNGLBLENDFUNCSEPARATEPROC glBlendFuncSeparate;

namespace {

struct Entry {
    const char* name;
    void** pointer;
};

template <typename T>
void** slot(T& pointer)
{
    return reinterpret_cast<void**>(&pointer);
}

// In lookup order. "wglChoosePixelFormatARB" has no counterpart here: SDL chooses the
// multisampled visual, so that name is left out.
const Entry table[] = {
    {"glClientActiveTexture", slot(glClientActiveTexture)},
    {"glDisableVertexAttribArrayARB", slot(glDisableVertexAttribArrayARB)},
    {"glBindFramebufferEXT", slot(glBindFramebufferEXT)},
    {"glVertexAttrib4fv", slot(glVertexAttrib4fv)},
    {"glMultiTexCoord4fv", slot(glMultiTexCoord4fv)},
    {"glBindAttribLocationARB", slot(glBindAttribLocationARB)},
    {"glActiveTextureARB", slot(glActiveTextureARB)},
    {"glUseProgram", slot(glUseProgram)},
    {"glLinkProgram", slot(glLinkProgram)},
    {"glAttachShader", slot(glAttachShader)},
    {"glDetachShader", slot(glDetachShader)},
    {"glUniform1i", slot(glUniform1i)},
    {"glUniform1f", slot(glUniform1f)},
    {"glUniform4fv", slot(glUniform4fv)},
    {"glUniform3fv", slot(glUniform3fv)},
    {"glUniform2fv", slot(glUniform2fv)},
    {"glUniform1fv", slot(glUniform1fv)},
    {"glUniformMatrix4fv", slot(glUniformMatrix4fv)},
    {"glGetShaderInfoLog", slot(glGetShaderInfoLog)},
    {"glCompileShader", slot(glCompileShader)},
    {"glShaderSource", slot(glShaderSource)},
    {"glCreateShader", slot(glCreateShader)},
    {"glCreateProgram", slot(glCreateProgram)},
    {"glGenFramebuffersEXT", slot(glGenFramebuffersEXT)},
    {"glDeleteFramebuffersEXT", slot(glDeleteFramebuffersEXT)},
    {"glFramebufferTexture2DEXT", slot(glFramebufferTexture2DEXT)},
    {"glCheckFramebufferStatusEXT", slot(glCheckFramebufferStatusEXT)},
    {"glGetUniformLocation", slot(glGetUniformLocation)},
    {"glGenBuffers", slot(glGenBuffers)},
    {"glBufferData", slot(glBufferData)},
    {"glDeleteBuffers", slot(glDeleteBuffers)},
    {"glBindBuffer", slot(glBindBuffer)},
    {"glMapBuffer", slot(glMapBuffer)},
    {"glUnmapBuffer", slot(glUnmapBuffer)},
    {"glEnableVertexAttribArray", slot(glEnableVertexAttribArray)},
    {"glVertexAttribPointer", slot(glVertexAttribPointer)},
    {"glGetShaderiv", slot(glGetShaderiv)},
    {"glGetProgramiv", slot(glGetProgramiv)},
    {"glGetProgramInfoLog", slot(glGetProgramInfoLog)},
    {"glDeleteShader", slot(glDeleteShader)},
    {"glDeleteProgram", slot(glDeleteProgram)},
    {"glGetActiveUniform", slot(glGetActiveUniform)},
    {"glBufferSubData", slot(glBufferSubData)},
    {"glBlendFuncSeparate", slot(glBlendFuncSeparate)},
};

bool hasExtension(const char* extensions, const char* name)
{
    size_t length = std::strlen(name);
    for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length) {
        bool startsWord = p == extensions || p[-1] == ' ';
        bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

}

bool contextSupportsTable(const char* version, const char* extensions)
{
    if (version == nullptr || extensions == nullptr)
        return false;
    int major = 0, minor = 0;
    if (std::sscanf(version, "%d.%d", &major, &minor) != 2)
        return false;
    // 2.0 brings buffer objects, multitexture, generic attributes and GLSL; the framebuffer and
    // ARB-suffixed names of the table come from their extensions.
    bool version20 = major > 2 || (major == 2 && minor >= 0);
    return version20 && hasExtension(extensions, "GL_EXT_framebuffer_object")
        && hasExtension(extensions, "GL_ARB_multitexture") && hasExtension(extensions, "GL_ARB_vertex_shader");
}

bool loadExtensions(const ProcLookup& lookup)
{
    bool& allPresent = processState().extensions.allPresent;
    for (const Entry& entry : table) {
        *entry.pointer = lookup(entry.name);
        if (*entry.pointer == nullptr)
            allPresent = false;
    }
    return allPresent;
}

bool loadExtensions()
{
    loadExtensions([](const char* name) { return SDL_GL_GetProcAddress(name); });
    auto version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    auto extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    bool& allPresent = processState().extensions.allPresent;
    if (!contextSupportsTable(version, extensions))
        allPresent = false;
    return allPresent;
}

}

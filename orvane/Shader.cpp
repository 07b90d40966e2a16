#include "orvane/Shader.h"

#include "orvane/Extensions.h"
#include "orvane/ProgramScope.h"
#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"

#include <optional>
#include <utility>

namespace Orvane {

namespace {

enum Reserved { Complete, World, View, Projection, WorldView, ViewProjection };

const char* const reservedNames[] = {
    "StateComplete", "StateWorld", "StateView", "StateProjection", "StateWorldView", "StateViewProjection",
};

constexpr int GenericAttributes = 16;

// Owns a compiled stage until the program that links it has taken it.
class StageObject {
public:
    explicit StageObject(GLenum stage)
        : name_(Ext::glCreateShader(stage))
    {}
    ~StageObject() { Ext::glDeleteShader(name_); }
    StageObject(const StageObject&) = delete;
    StageObject& operator=(const StageObject&) = delete;
    GLuint name() const { return name_; }

private:
    GLuint name_;
};

// The driver's info log of a shader or program, read through the matching pair of calls.
template <typename GetParameter, typename GetLog>
std::string infoLog(GLuint object, GetParameter getParameter, GetLog getLog)
{
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(std::size_t(length > 0 ? length : 0), '\0');
    GLsizei written = 0;
    if (length > 0)
        getLog(object, length, &written, log.data());
    log.resize(std::size_t(written));
    return log;
}

std::string shaderLog(GLuint shader) { return infoLog(shader, Ext::glGetShaderiv, Ext::glGetShaderInfoLog); }
std::string programLog(GLuint program) { return infoLog(program, Ext::glGetProgramiv, Ext::glGetProgramInfoLog); }

void compile(const StageObject& object, bool vertex, const std::string& source, const std::string& entry)
{
    // Both stages share one text, so the stage's define selects its half and the entry name the
    // loaders ask for becomes GLSL's main. Under GLSL 1.20 "#line 0" numbers the next line 1, so
    // the driver's messages give the lines of the file.
    std::string text = std::string("#version 120\n#define ") + (vertex ? "VERTEX" : "FRAGMENT") + "\n#define " + entry
        + " main\n#line 0\n" + source;
    const GLchar* pointer = text.c_str();
    Ext::glShaderSource(object.name(), 1, &pointer, nullptr);
    Ext::glCompileShader(object.name());
    GLint compiled = GL_FALSE;
    Ext::glGetShaderiv(object.name(), GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        std::string kind
            = std::string("The ") + (vertex ? "vertex" : "fragment") + " program \"" + entry + "\" failed to compile.";
        throw Exceptions::Exception(Shader::errorMessage(kind, shaderLog(object.name())));
    }
}

bool isSampler(GLenum type)
{
    switch (type) {
    case GL_SAMPLER_1D:
    case GL_SAMPLER_2D:
    case GL_SAMPLER_3D:
    case GL_SAMPLER_CUBE:
    case GL_SAMPLER_1D_SHADOW:
    case GL_SAMPLER_2D_SHADOW: return true;
    default: return false;
    }
}

}

std::string Shader::errorMessage(const std::string& kind, const std::string& listing)
{
    std::string message = kind + "\n" + listing + "\n\n";
    if (message.size() >= MessageCapacity)
        message.resize(MessageCapacity - 1);
    return message;
}

Shader::Shader(const std::string& source, const std::string& vertexEntry, const std::string& fragmentEntry)
    : Shader(source, source, vertexEntry, fragmentEntry)
{}

Shader::Shader(const std::string& vertexSource, const std::string& fragmentSource, const std::string& vertexEntry,
               const std::string& fragmentEntry)
{
    StageObject vertex(GL_VERTEX_SHADER);
    StageObject fragment(GL_FRAGMENT_SHADER);
    compile(vertex, true, vertexSource, vertexEntry);
    compile(fragment, false, fragmentSource, fragmentEntry);
    link(vertex.name(), fragment.name(), vertexEntry, fragmentEntry);
    findReservedParameters();
    assignTextureUnits();
}

// A program deleted while current lives on until another is made current, and is gone after:
// a ProgramScope that then restored it would raise GL_INVALID_VALUE.
Shader::~Shader() { release(); }

Shader::Shader(Shader&& other) noexcept
    : program_(std::exchange(other.program_, 0))
    , reserved_(other.reserved_)
    , samplers_(std::move(other.samplers_))
{}

Shader& Shader::operator=(Shader&& other) noexcept
{
    if (this != &other) {
        release();
        program_ = std::exchange(other.program_, 0);
        reserved_ = other.reserved_;
        samplers_ = std::move(other.samplers_);
    }
    return *this;
}

void Shader::release()
{
    if (program_ == 0)
        return;
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    if (GLuint(current) == program_)
        Ext::glUseProgram(0);
    Ext::glDeleteProgram(program_);
    program_ = 0;
}

void Shader::adoptProgram(Shader& replacement)
{
    std::swap(program_, replacement.program_);
    std::swap(reserved_, replacement.reserved_);
    std::swap(samplers_, replacement.samplers_);
}

void Shader::link(GLuint vertex, GLuint fragment, const std::string& vertexEntry, const std::string& fragmentEntry)
{
    program_ = Ext::glCreateProgram();
    Ext::glAttachShader(program_, vertex);
    Ext::glAttachShader(program_, fragment);
    for (int index = 0; index < GenericAttributes; ++index)
        Ext::glBindAttribLocationARB(program_, index, ("ATTR" + std::to_string(index)).c_str());
    Ext::glLinkProgram(program_);
    Ext::glDetachShader(program_, vertex);
    Ext::glDetachShader(program_, fragment);
    GLint linked = GL_FALSE;
    Ext::glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        std::string listing = programLog(program_);
        Ext::glDeleteProgram(program_);
        std::string kind = "The programs \"" + vertexEntry + "\" and \"" + fragmentEntry + "\" failed to link.";
        throw Exceptions::Exception(errorMessage(kind, listing));
    }
}

void Shader::findReservedParameters()
{
    for (int i = 0; i < int(reserved_.size()); ++i)
        reserved_[i] = Ext::glGetUniformLocation(program_, reservedNames[i]);
}

void Shader::assignTextureUnits()
{
    GLint count = 0, longest = 0;
    Ext::glGetProgramiv(program_, GL_ACTIVE_UNIFORMS, &count);
    Ext::glGetProgramiv(program_, GL_ACTIVE_UNIFORM_MAX_LENGTH, &longest);
    std::string name(std::size_t(longest > 0 ? longest : 1), '\0');
    ProgramScope scope(program_);
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        Ext::glGetActiveUniform(program_, GLuint(i), GLsizei(name.size()), &length, &size, &type, name.data());
        if (!isSampler(type))
            continue;
        GLint location = Ext::glGetUniformLocation(program_, name.c_str());
        GLenum unit = GLenum(samplers_.size());
        Ext::glUniform1i(location, GLint(unit));
        samplers_.push_back({location, unit, 0});
    }
}

int Shader::getTextureUnit(const std::string& name) const
{
    GLint location = Ext::glGetUniformLocation(program_, name.c_str());
    for (const Sampler& sampler : samplers_)
        if (location >= 0 && sampler.location == location)
            return int(sampler.unit);
    return -1;
}

void Shader::bindSamplerTexture(GLint location, GLuint texture)
{
    for (Sampler& sampler : samplers_) {
        if (sampler.location != location)
            continue;
        sampler.texture = texture;
        Ext::glActiveTextureARB(GL_TEXTURE0 + sampler.unit);
        glBindTexture(GL_TEXTURE_2D, texture);
        Ext::glActiveTextureARB(GL_TEXTURE0);
    }
}

void Shader::bind()
{
    Ext::glUseProgram(program_);
    for (const Sampler& sampler : samplers_) {
        if (sampler.texture == 0)
            continue;
        Ext::glActiveTextureARB(GL_TEXTURE0 + sampler.unit);
        glBindTexture(GL_TEXTURE_2D, sampler.texture);
    }
    Ext::glActiveTextureARB(GL_TEXTURE0);
    State::Matrices& state = State::matrices();
    state.worldDirty = state.viewDirty = state.projectionDirty = true;
}

ShaderParameter Shader::getParameter(const std::string& name)
{
    return ShaderParameter(this, program_, Ext::glGetUniformLocation(program_, name.c_str()));
}

void Shader::updateState()
{
    State::Matrices& state = State::matrices();
    const bool world = state.worldDirty, view = state.viewDirty, projection = state.projectionDirty;
    if (!world && !view && !projection)
        return;

    ProgramScope scope(program_);
    auto upload = [this](Reserved which, bool changed, auto value) {
        if (changed && reserved_[which] >= 0)
            Ext::glUniformMatrix4fv(reserved_[which], 1, GL_FALSE, value().data());
    };
    std::optional<Matrix4> worldView;
    auto viewTimesWorld = [&]() -> const Matrix4& {
        if (!worldView)
            worldView = state.view * state.world;
        return *worldView;
    };
    upload(World, world, [&]() -> const Matrix4& { return state.world; });
    upload(View, view, [&]() -> const Matrix4& { return state.view; });
    upload(Projection, projection, [&]() -> const Matrix4& { return state.projection; });
    upload(WorldView, world || view, viewTimesWorld);
    upload(ViewProjection, view || projection, [&] { return state.view * state.projection; });
    upload(Complete, true, [&] { return state.projection * viewTimesWorld(); });
    state.worldDirty = state.viewDirty = state.projectionDirty = false;
}

}

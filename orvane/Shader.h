#pragma once

#include "orvane/ShaderParameter.h"

#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

namespace Orvane {

// A linked GLSL program made of one vertex and one fragment stage. Each stage is compiled from
// text that holds both stages behind "#ifdef VERTEX" and "#ifdef FRAGMENT", with the stage's
// entry function renamed to main. The program receives the render state's matrices through the
// reserved mat4 uniforms "StateComplete", "StateWorld", "StateView", "StateProjection",
// "StateWorldView" and "StateViewProjection".
class Shader {
public:
    // Both stages from one text.
    Shader(const std::string& source, const std::string& vertexEntry, const std::string& fragmentEntry);
    Shader(const std::string& vertexSource, const std::string& fragmentSource, const std::string& vertexEntry,
           const std::string& fragmentEntry);
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    // Moving hands the program over; the moved-from shader holds none.
    Shader(Shader&& other) noexcept;
    Shader& operator=(Shader&& other) noexcept;

    // Makes the program current, binds again the textures last set on its samplers and marks all
    // three state matrices dirty, so the next updateState sends everything.
    void bind();
    // Sends the reserved matrices whose inputs changed since the last upload, then clears the
    // state's dirty flags.
    void updateState();
    ShaderParameter getParameter(const std::string& name);
    // Takes over replacement's program, leaving it this one's to delete: everyone holding this
    // object draws with the new program from the next bind on.
    void adoptProgram(Shader& replacement);

    GLuint getProgram() const { return program_; }
    // The texture unit a sampler uniform was given at link time; -1 for other names.
    int getTextureUnit(const std::string& name) const;

    // The biggest message an error may carry, its terminating zero included.
    static constexpr std::size_t MessageCapacity = 65536;
    // What compile and link failures throw: the kind of error, the driver's listing, a blank line.
    static std::string errorMessage(const std::string& kind, const std::string& listing);

private:
    friend class ShaderParameter;

    struct Sampler {
        GLint location;
        GLenum unit;
        GLuint texture;
    };

    void release();
    void link(GLuint vertex, GLuint fragment, const std::string& vertexEntry, const std::string& fragmentEntry);
    void findReservedParameters();
    void assignTextureUnits();
    void bindSamplerTexture(GLint location, GLuint texture);

    GLuint program_ = 0;
    std::array<GLint, 6> reserved_{};
    std::vector<Sampler> samplers_;
};

}

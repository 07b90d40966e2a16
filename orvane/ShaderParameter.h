#pragma once

#include <GL/gl.h>

namespace Orvane {

class Matrix4;
class Shader;
class Texture;

// One uniform of a linked program, found by name. A name the program does not declare gives a
// parameter whose setters do nothing. A small value, valid as long as its Shader.
class ShaderParameter {
public:
    ShaderParameter() = default;
    ShaderParameter(Shader* shader, GLuint program, GLint location)
        : shader_(shader)
        , program_(program)
        , location_(location)
    {}

    bool isDeclared() const { return location_ >= 0; }

    void setFloat(float value) const;
    void setFloat2(const float* values) const;
    void setFloat3(const float* values) const;
    void setFloat4(const float* values) const;
    // Column-major, as Matrix4 stores it.
    void setMatrix(const Matrix4& matrix) const;
    // Only for sampler uniforms: binds the texture on the sampler's unit and keeps it for the
    // program's next bind.
    void setTexture(const Texture& texture) const;

private:
    Shader* shader_ = nullptr;
    GLuint program_ = 0;
    GLint location_ = -1;
};

}

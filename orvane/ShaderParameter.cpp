#include "orvane/ShaderParameter.h"

#include "orvane/Matrix4.h"
#include "orvane/ProgramScope.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"

namespace Orvane {

void ShaderParameter::setFloat(float value) const
{
    if (!isDeclared())
        return;
    ProgramScope scope(program_);
    Ext::glUniform1f(location_, value);
}

void ShaderParameter::setFloat2(const float* values) const
{
    if (!isDeclared())
        return;
    ProgramScope scope(program_);
    Ext::glUniform2fv(location_, 1, values);
}

void ShaderParameter::setFloat3(const float* values) const
{
    if (!isDeclared())
        return;
    ProgramScope scope(program_);
    Ext::glUniform3fv(location_, 1, values);
}

void ShaderParameter::setFloat4(const float* values) const
{
    if (!isDeclared())
        return;
    ProgramScope scope(program_);
    Ext::glUniform4fv(location_, 1, values);
}

void ShaderParameter::setMatrix(const Matrix4& matrix) const
{
    if (!isDeclared())
        return;
    ProgramScope scope(program_);
    Ext::glUniformMatrix4fv(location_, 1, GL_FALSE, matrix.data());
}

void ShaderParameter::setTexture(const Texture& texture) const
{
    if (isDeclared())
        shader_->bindSamplerTexture(location_, texture.getName());
}

}

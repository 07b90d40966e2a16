#pragma once

#include "orvane/Extensions.h"

namespace Orvane {

// Makes a program current for the lifetime of the scope and then restores the one that was
// current before. GL 2.1 sets uniforms only on the current program, so a parameter of a program
// that is not bound has to be set this way.
class ProgramScope {
public:
    explicit ProgramScope(GLuint program)
    {
        glGetIntegerv(GL_CURRENT_PROGRAM, &previous_);
        switched_ = GLuint(previous_) != program;
        if (switched_)
            Ext::glUseProgram(program);
    }

    ~ProgramScope()
    {
        if (switched_)
            Ext::glUseProgram(GLuint(previous_));
    }

    ProgramScope(const ProgramScope&) = delete;
    ProgramScope& operator=(const ProgramScope&) = delete;

private:
    GLint previous_ = 0;
    bool switched_ = false;
};

}

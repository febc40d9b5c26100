#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "render/ShaderProgram.h"

using velmora::ShaderProgram;

namespace {

// Writes a shader source into a temporary file and returns its path.
std::string writeShader(const std::string& name, const std::string& source) {
    const std::string path = testing::TempDir() + "/" + name;
    std::ofstream(path) << source;
    return path;
}

const char* const kVertex = R"(#version 150
in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
)";

const char* const kFragment = R"(#version 150
uniform vec4 tint;
out vec4 colorRender;
out vec4 colorAlpha;
void main() { colorRender = tint; colorAlpha = vec4(1.0); }
)";

// Fatal failures print to standard output; death tests match standard error,
// so route one into the other, and give the pause no terminal to wait on.
void quietConsole() {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (!std::freopen("/dev/null", "r", stdin)) {
        std::abort();
    }
}

}  // namespace

TEST(ShaderProgram, LinksBothOutputsToFixedColourNumbers) {
    ShaderProgram shader(writeShader("ok.vert", kVertex), writeShader("ok.frag", kFragment));
    EXPECT_NE(shader.program, 0u);
    EXPECT_NE(shader.vertexShader, 0u);
    EXPECT_NE(shader.fragmentShader, 0u);
    EXPECT_EQ(shader.geometryShader, 0u);
    EXPECT_EQ(glGetFragDataLocation(shader.program, "colorRender"), 0);
    EXPECT_EQ(glGetFragDataLocation(shader.program, "colorAlpha"), 1);
    EXPECT_GE(shader.uniformLocation("tint"), 0);
    EXPECT_EQ(shader.uniformLocation("noSuchUniform"), -1);
}

TEST(ShaderProgram, ProgramWithOnlyColorRenderStillLinks) {
    const char* onlyRender = R"(#version 150
out vec4 colorRender;
void main() { colorRender = vec4(1.0); }
)";
    ShaderProgram shader(writeShader("one.vert", kVertex), writeShader("one.frag", onlyRender));
    EXPECT_EQ(glGetFragDataLocation(shader.program, "colorRender"), 0);
    EXPECT_EQ(glGetFragDataLocation(shader.program, "colorAlpha"), -1);
}

TEST(ShaderProgram, DestructionReleasesProgramAndStages) {
    auto* shader = new ShaderProgram(writeShader("rel.vert", kVertex),
                                     writeShader("rel.frag", kFragment));
    const GLuint program = shader->program;
    const GLuint vertex = shader->vertexShader;
    const GLuint fragment = shader->fragmentShader;
    delete shader;
    EXPECT_EQ(glIsProgram(program), GL_FALSE);
    EXPECT_EQ(glIsShader(vertex), GL_FALSE);
    EXPECT_EQ(glIsShader(fragment), GL_FALSE);
}

TEST(ShaderProgram, TransformFeedbackFormCapturesTheParticleRecord) {
    const char* vertex = R"(#version 150
in float Type;
out float Type0;
void main() { Type0 = Type; }
)";
    const char* geometry = R"(#version 150
layout(points) in;
layout(points, max_vertices = 1) out;
in float Type0[];
out float Type1;
out vec3 Position1;
out vec3 Velocity1;
out float Age1;
out vec3 Acceleration1;
out float Lifetime1;
void main() {
    Type1 = Type0[0]; Position1 = vec3(1.0); Velocity1 = vec3(2.0);
    Age1 = 3.0; Acceleration1 = vec3(4.0); Lifetime1 = 5.0;
    EmitVertex(); EndPrimitive();
}
)";
    ShaderProgram* shader = ShaderProgram::transformFeedback(writeShader("tf.vert", vertex),
                                                            writeShader("tf.geom", geometry));
    EXPECT_EQ(shader->fragmentShader, 0u);
    EXPECT_NE(shader->geometryShader, 0u);
    GLint mode = 0;
    GLint count = 0;
    glGetProgramiv(shader->program, GL_TRANSFORM_FEEDBACK_BUFFER_MODE, &mode);
    glGetProgramiv(shader->program, GL_TRANSFORM_FEEDBACK_VARYINGS, &count);
    EXPECT_EQ(mode, GL_INTERLEAVED_ATTRIBS);
    ASSERT_EQ(count, 6);
    const char* expected[6] = {"Type1", "Position1", "Velocity1", "Age1", "Acceleration1",
                               "Lifetime1"};
    for (GLuint i = 0; i < 6; ++i) {
        char name[64] = {};
        GLsizei size = 0;
        GLenum type = 0;
        glGetTransformFeedbackVarying(shader->program, i, sizeof(name), nullptr, &size, &type,
                                      name);
        EXPECT_STREQ(name, expected[i]);
    }
    delete shader;
}

using ShaderProgramDeathTest = testing::Test;

TEST_F(ShaderProgramDeathTest, MissingFileEndsWithItsMessageAndStatusMinusOne) {
    const std::string fragment = writeShader("m.frag", kFragment);
    EXPECT_EXIT(
        {
            quietConsole();
            ShaderProgram shader("Shader/does-not-exist.vert", fragment);
        },
        testing::ExitedWithCode(255), "^failed to open shader file\\.\\.\\.\n$");
}

TEST_F(ShaderProgramDeathTest, CompileFailurePrintsTheLog) {
    const std::string broken = writeShader("broken.vert", "#version 150\nvoid main() { oops }\n");
    const std::string fragment = writeShader("c.frag", kFragment);
    EXPECT_EXIT(
        {
            quietConsole();
            ShaderProgram shader(broken, fragment);
        },
        testing::ExitedWithCode(255), "^Failed to compile shader\n.*error.*");
}

TEST_F(ShaderProgramDeathTest, LinkFailurePrintsTheLog) {
    // Both stages compile, but the fragment stage has no main.
    const std::string noMain =
        writeShader("nomain.frag", "#version 150\nout vec4 colorRender;\nvoid helper() {}\n");
    const std::string vertex = writeShader("l.vert", kVertex);
    EXPECT_EXIT(
        {
            quietConsole();
            ShaderProgram shader(vertex, noMain);
        },
        testing::ExitedWithCode(255), "^Failed to link shader program\n.+");
}

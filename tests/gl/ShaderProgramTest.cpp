#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/Console.h"
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

// A program that can't be built says why on standard output and throws for
// the shell to end the game with: the process itself goes on.
TEST(ShaderProgram, AFailedBuildPrintsWhyAndThrowsInsteadOfEndingTheProcess) {
    const std::string vertex = writeShader("f.vert", kVertex);
    const std::string fragment = writeShader("f.frag", kFragment);
    struct Case {
        std::string vertex;
        std::string fragment;
        std::string firstLine;
        const char* log;  // what the driver's log says after it; null: no log follows
    };
    const Case cases[] = {
        {"Shader/does-not-exist.vert", fragment, "failed to open shader file...\n", nullptr},
        {writeShader("broken.vert", "#version 150\nvoid main() { oops }\n"), fragment,
         "Failed to compile shader\n", "error"},
        // Both stages compile, but the fragment stage has no main.
        {vertex, writeShader("nomain.frag", "#version 150\nout vec4 colorRender;\nvoid helper() {}\n"),
         "Failed to link shader program\n", ""},
    };
    for (const Case& test : cases) {
        testing::internal::CaptureStdout();
        glDisable(GL_DEBUG_OUTPUT);  // the driver reports the failed build as a GL error too
        EXPECT_THROW(ShaderProgram(test.vertex, test.fragment), velmora::platform::FatalFailure);
        glEnable(GL_DEBUG_OUTPUT);
        const std::string printed = testing::internal::GetCapturedStdout();
        SCOPED_TRACE(printed);
        EXPECT_EQ(printed.rfind(test.firstLine, 0), 0u);
        if (test.log == nullptr) {
            EXPECT_EQ(printed, test.firstLine);
        } else {
            EXPECT_GT(printed.size(), test.firstLine.size() + 1);
            EXPECT_NE(printed.find(test.log, test.firstLine.size()), std::string::npos);
        }
    }
}

#include "render/ShaderProgram.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "platform/Console.h"

namespace velmora {

namespace {

[[noreturn]] void fail(const char* message) {
    std::cout << message << std::endl;
    throw platform::FatalFailure(message);
}

[[noreturn]] void failWithLog(const char* message, const std::vector<GLchar>& log) {
    std::cout << message << std::endl;
    std::cout << (log.empty() ? "" : log.data()) << std::endl;
    throw platform::FatalFailure(message);
}

}  // namespace

const char* const ShaderProgram::feedbackVaryings[6] = {
    "Type1", "Position1", "Velocity1", "Age1", "Acceleration1", "Lifetime1"};

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    build([&] {
        vertexShader = compileStage(vertexPath, GL_VERTEX_SHADER);
        fragmentShader = compileStage(fragmentPath, GL_FRAGMENT_SHADER);
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
    });
}

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                             const std::string& geometryPath) {
    build([&] {
        vertexShader = compileStage(vertexPath, GL_VERTEX_SHADER);
        fragmentShader = compileStage(fragmentPath, GL_FRAGMENT_SHADER);
        geometryShader = compileStage(geometryPath, GL_GEOMETRY_SHADER);
        glAttachShader(program, vertexShader);
        glAttachShader(program, fragmentShader);
        glAttachShader(program, geometryShader);
    });
}

ShaderProgram* ShaderProgram::transformFeedback(const std::string& vertexPath,
                                                const std::string& geometryPath) {
    auto* shader = new ShaderProgram();
    try {
        shader->build([&] {
            shader->vertexShader = shader->compileStage(vertexPath, GL_VERTEX_SHADER);
            shader->geometryShader = shader->compileStage(geometryPath, GL_GEOMETRY_SHADER);
            glTransformFeedbackVaryings(shader->program, 6, feedbackVaryings, GL_INTERLEAVED_ATTRIBS);
            glAttachShader(shader->program, shader->vertexShader);
            glAttachShader(shader->program, shader->geometryShader);
        });
    } catch (...) {
        delete shader;
        throw;
    }
    return shader;
}

ShaderProgram::~ShaderProgram() { release(); }

template <typename Stages>
void ShaderProgram::build(Stages stages) {
    // A constructor that throws runs no destructor: what was made so far is
    // released here, so a failed start-up leaves nothing on the GPU.
    try {
        createProgram();
        stages();
        link();
    } catch (...) {
        release();
        throw;
    }
}

void ShaderProgram::release() {
    // Deleting name 0 is ignored, so a half-built program is released alike.
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    glDeleteShader(geometryShader);
    program = vertexShader = fragmentShader = geometryShader = 0;
}

GLint ShaderProgram::uniformLocation(const std::string& name) const {
    return glGetUniformLocation(program, name.c_str());
}

void ShaderProgram::createProgram() {
    program = glCreateProgram();
    if (program == 0) {
        fail("could not retrieve program handle!");
    }
}

GLuint ShaderProgram::compileStage(const std::string& path, GLenum stage) {
    std::ifstream file(path);
    if (!file) {
        fail("failed to open shader file...");
    }
    const std::string source((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    file.close();

    const GLuint shader = glCreateShader(stage);
    if (shader == 0) {
        fail("failed to create shader");
    }
    const GLchar* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);

    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == 0 || glIsShader(shader) != GL_TRUE) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        failWithLog("Failed to compile shader", log);
    }
    return shader;
}

void ShaderProgram::link() {
    glBindFragDataLocation(program, 0, "colorRender");
    glBindFragDataLocation(program, 1, "colorAlpha");
    glLinkProgram(program);

    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == 0) {
        GLint length = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::vector<GLchar> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
        glGetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
        failWithLog("Failed to link shader program", log);
    }
}

}  // namespace velmora

#pragma once
// One linked GPU program built from GLSL files under Shader/. Creation only
// returns on success: a missing file, a failed compile or a failed link prints
// its lines, releases what it had made and throws platform::FatalFailure, so a
// running game always has whole programs and the shell decides how to end.

#include <GL/glew.h>

#include <string>

namespace velmora {

class ShaderProgram {
public:
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);
    ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath,
                  const std::string& geometryPath);
    // A vertex and a geometry stage whose outputs are captured by transform
    // feedback into one interleaved particle record; no fragment stage.
    static ShaderProgram* transformFeedback(const std::string& vertexPath,
                                            const std::string& geometryPath);

    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;
    ~ShaderProgram();

    // -1 when the program has no active uniform of that name (also when the
    // compiler dropped it because nothing reads it). Never cached.
    GLint uniformLocation(const std::string& name) const;

    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;  // stays 0 in the transform-feedback form
    GLuint geometryShader = 0;  // 0 unless a geometry file is given

    // The transform-feedback outputs, in record order.
    static const char* const feedbackVaryings[6];

private:
    ShaderProgram() = default;
    // Builds through `stages`; on a failure releases what was made and throws on.
    template <typename Stages>
    void build(Stages stages);
    void release();
    void createProgram();
    GLuint compileStage(const std::string& path, GLenum stage);
    void link();
};

}  // namespace velmora

#include "world/ScenePrograms.h"

#include <glm/gtc/type_ptr.hpp>

#include "render/ShaderProgram.h"

namespace velmora {

namespace {

const glm::vec3 kDefaultMaterialColor(1.0f, 0.0f, 0.0f);
const float kMaterialSpecFactor = 128.0f;
const GLint kShadowCubeUnit = 2;

GLint location(const ShaderProgram* program, const char* name) {
    return glGetUniformLocation(program->program, name);
}

}  // namespace

ScenePrograms::ScenePrograms() {
    // A constructor that throws runs no destructor.
    try {
        phong = new ShaderProgram("Shader/basic.vert", "Shader/phongShading.frag");
        mark = new ShaderProgram("Shader/basic.vert", "Shader/mark.frag");
        texture = new ShaderProgram("Shader/tex.vert", "Shader/tex.frag");
        shadow = new ShaderProgram("Shader/shadow.vert", "Shader/shadow.frag");
        depth = new ShaderProgram("Shader/depthPrepass.vert", "Shader/depthPrepass.frag");
        // The depth walk draws through each object's shadow vertex array,
        // which feeds the shadow program's position: this one reads it there too.
        const GLint shadowPosition = glGetAttribLocation(shadow->program, "position");
        if (shadowPosition >= 0 && glGetAttribLocation(depth->program, "position") != shadowPosition) {
            glBindAttribLocation(depth->program, static_cast<GLuint>(shadowPosition), "position");
            glLinkProgram(depth->program);
        }
        particleUpdate =
            ShaderProgram::transformFeedback("Shader/PassParticle.vert", "Shader/TransformParticle.geom");
        particleDraw = new ShaderProgram("Shader/PassCopy.vert", "Shader/ParticleDraw.frag",
                                         "Shader/ParticleTex.geom");
    } catch (...) {
        release();
        throw;
    }
}

ScenePrograms::~ScenePrograms() { release(); }

void ScenePrograms::release() {
    for (ShaderProgram** program : {&phong, &mark, &texture, &shadow, &depth, &particleUpdate, &particleDraw}) {
        delete *program;
        *program = nullptr;
    }
    current = nullptr;
}

void ScenePrograms::useForScene(ShaderProgram* program, const SceneUniforms& uniforms) {
    if (program == current) {
        return;
    }
    glUseProgram(program->program);
    current = program;
    glUniformMatrix4fv(location(program, "VP"), 1, GL_FALSE, glm::value_ptr(uniforms.viewProjection));
    glUniformMatrix4fv(location(program, "Camera"), 1, GL_FALSE, glm::value_ptr(uniforms.camera));
    glUniformMatrix4fv(location(program, "View"), 1, GL_FALSE, glm::value_ptr(uniforms.view));
    glUniform3fv(location(program, "defaultMaterialColor"), 1, glm::value_ptr(kDefaultMaterialColor));
    glUniform1f(location(program, "materialSpecFactor"), kMaterialSpecFactor);
    glUniform2fv(location(program, "near_far"), 1, glm::value_ptr(uniforms.nearFar));
    glUniform4fv(location(program, "l_pos"), 1, glm::value_ptr(uniforms.light));
    const GLint cubeLocation = location(program, "cm_z_tex");
    if (cubeLocation != -1) {
        glActiveTexture(GL_TEXTURE0 + kShadowCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, uniforms.shadowCube);
        glUniform1i(cubeLocation, kShadowCubeUnit);
        glActiveTexture(GL_TEXTURE0);
    }
}

void ScenePrograms::useForShadow(const glm::mat4& faceMatrix, glm::vec2 nearFar, glm::vec4 light) {
    if (current != shadow) {
        glUseProgram(shadow->program);
        current = shadow;
    }
    glUniformMatrix4fv(location(shadow, "transformationMatrix"), 1, GL_FALSE, glm::value_ptr(faceMatrix));
    glUniform2fv(location(shadow, "near_far"), 1, glm::value_ptr(nearFar));
    glUniform4fv(location(shadow, "l_pos"), 1, glm::value_ptr(light));
}

}  // namespace velmora

#pragma once
// The renderer's seven programs, built once with it, and which of them had its
// per-call uniforms set last, so a program is set up once per call however
// many objects it draws.

#include <GL/glew.h>

#include <glm/glm.hpp>

namespace velmora {

class ShaderProgram;

// What every scene program is given once per renderScene call.
struct SceneUniforms {
    glm::mat4 camera{1.0f};  // camera-to-world
    glm::mat4 view{1.0f};
    glm::mat4 viewProjection{1.0f};
    glm::vec2 nearFar{1.0f, 65.0f};  // of the shadow cube
    glm::vec4 light{0.0f, 0.0f, 0.0f, 1.0f};
    GLuint shadowCube = 0;
};

class ScenePrograms {
public:
    // A program that fails to build throws; those built before it are released.
    ScenePrograms();
    ScenePrograms(const ScenePrograms&) = delete;
    ScenePrograms& operator=(const ScenePrograms&) = delete;
    // The world's objects keep pointers to the programs, but never use them
    // again: a world outlives its renderer only to be released.
    ~ScenePrograms();

    // Makes the program current with the call's uniforms, unless it already
    // is (its uniforms are then still those of this call).
    void useForScene(ShaderProgram* program, const SceneUniforms& uniforms);
    // Makes the shadow program current with one cube face's uniforms.
    void useForShadow(const glm::mat4& faceMatrix, glm::vec2 nearFar, glm::vec4 light);

    ShaderProgram* phong = nullptr;
    ShaderProgram* mark = nullptr;  // the marks round the player's spheres: lit, never shadowed
    ShaderProgram* texture = nullptr;
    ShaderProgram* shadow = nullptr;
    ShaderProgram* depth = nullptr;  // the scene pass's depth-only walk
    ShaderProgram* particleUpdate = nullptr;
    ShaderProgram* particleDraw = nullptr;
    // The program whose per-call uniforms were set last. Whoever makes
    // another program current behind the renderer's back clears it.
    ShaderProgram* current = nullptr;

private:
    void release();
};

}  // namespace velmora

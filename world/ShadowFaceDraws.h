#pragma once
// What one shadow cube face gets drawn: the list the traversal makes for it,
// and what else decides its depth. The light never moves, so a face whose
// record equals last frame's still holds exactly the depth a redraw would
// give it.

#include <GL/glew.h>

#include <vector>

#include <glm/glm.hpp>

namespace velmora {

namespace scene {
class SceneObject;
}

struct ShadowDraw {
    scene::SceneObject* object = nullptr;
    GLuint vertexArray = 0;  // the object's shadow vertex array when it was listed
    bool visible = true;     // its own say after its per-draw update
    glm::mat4 model{1.0f};

    bool operator==(const ShadowDraw& other) const {
        return object == other.object && vertexArray == other.vertexArray &&
               visible == other.visible && model == other.model;
    }
};

struct ShadowFaceRecord {
    bool known = false;  // false until the face was cleared and drawn through the record
    bool drawn = false;  // false: only cleared (shadows off)
    bool wireframe = false;
    GLuint cubeTexture = 0;
    glm::mat4 faceMatrix{1.0f};
    std::vector<ShadowDraw> draws;

    bool sameDepthAs(const ShadowFaceRecord& other) const {
        return known && other.known && drawn == other.drawn && wireframe == other.wireframe &&
               cubeTexture == other.cubeTexture && faceMatrix == other.faceMatrix &&
               draws == other.draws;
    }
};

}  // namespace velmora

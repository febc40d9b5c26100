#pragma once
// What one shadow cube face gets drawn: the list the traversal makes for it,
// and what else decides its depth. The light never moves, so a face whose
// record equals last frame's still holds exactly the depth a redraw would
// give it.

#include <GL/glew.h>

#include <vector>

#include <glm/glm.hpp>

namespace velmora {

class DrawNode;
namespace scene {
class SceneObject;
}

struct ShadowDraw {
    DrawNode* node = nullptr;
    scene::SceneObject* object = nullptr;  // whose node it is; its per-draw hook runs at the draw
    GLuint vertexArray = 0;  // the object's shadow vertex array when it was listed
    bool visible = true;     // its say after its per-draw update
    glm::mat4 model{1.0f};

    bool operator==(const ShadowDraw& other) const {
        return node == other.node && vertexArray == other.vertexArray &&
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

#pragma once
// The six faces of the light's shadow cube: what each face sees of the main
// world, listed in one walk; each face's shadow call planned with
// ShadowFaceCache when the frame loop asks about the face, and drawn as
// planned.

#include <GL/glew.h>

#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "render/Frustum.h"
#include "world/ShadowFaceCache.h"
#include "world/ShapeWalk.h"

namespace velmora {

class ScenePrograms;

class ShadowFaces final : private ShapeWalk {
public:
    // What a face is drawn with, as the renderer's fields say at the call.
    struct Light {
        std::array<glm::mat4, 6> faceMatrices;
        glm::vec2 nearFar{1.0f, 65.0f};
        glm::vec4 position{0.0f, 0.0f, 0.0f, 1.0f};
        GLuint cubeTexture = 0;
        bool wireframe = false;
        bool transparency = true;
        float drawAlpha = 1.0f;
    };

    // All three must outlive it.
    ShadowFaces(const Simulation& simulation, LevelDressing& dressing, ScenePrograms& programs);

    // Plans the face's next shadow call from what the face would get
    // compared with last frame (drawn: whether that call follows); true when
    // the face must be cleared first.
    bool needsClear(scene::SceneObject& root, int face, bool drawn, const Light& light);
    // The face's shadow call: as planned, or everything when unplanned.
    void draw(scene::SceneObject& root, int face, const Light& light);
    // The next question about any face lists all six anew.
    void startListing() { listedFaces_ = 0; }

private:
    static constexpr unsigned kAllFaces = 0x3f;

    // Lists the draws of the given faces (one bit each) in draws_; touches
    // no GL. Returns the faces.
    unsigned list(scene::SceneObject& root, unsigned faces, bool askVisibility, const Light& light);
    void drawList(const std::vector<ShadowDraw>& draws, int face, const Light& light);

    bool enter(scene::SceneObject& object) override;
    unsigned facesSeeing(const physics::Shape& shape) override;
    void handOn(scene::SceneObject& object, DrawNode& node, const glm::mat4& model, unsigned faces) override;

    ScenePrograms& programs_;
    ShadowFaceCache cache_;
    // The listing walk: the faces it lists, their frustums and what it
    // listed for each.
    unsigned faces_ = 0;
    std::array<FrustumPlanes, 6> planes_{};
    std::array<std::vector<ShadowDraw>, 6> draws_;
    // The listing is kept to compare with next frame's: each object's update
    // then gives its visibility now, not only when it is drawn.
    bool askVisibility_ = false;
    unsigned listedFaces_ = 0;  // faces whose listing in draws_ is still unasked
};

}  // namespace velmora

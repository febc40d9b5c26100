#pragma once
// The omnidirectional shadow map: one depth cube texture of 2048 x 2048 per
// face and a depth-only framebuffer that takes one face at a time.

#include <GL/glew.h>

namespace velmora::app {

struct ShadowCubeMap {
    static constexpr int faceSize = 2048;

    GLuint texture = 0;
    GLuint framebuffer = 0;

    // Creates both; leaves framebuffer 0 bound and no cube texture bound.
    static ShadowCubeMap create();

    // Binds the framebuffer, selects front-face culling and the face-sized viewport.
    void beginPass() const;
    // Attaches level 0 of face i (0..5, +X, -X, +Y, -Y, +Z, -Z) and clears its depth.
    void attachAndClearFace(int face) const;
    // Attaches it only: the face keeps the depth it holds.
    void attachFace(int face) const;
};

}  // namespace velmora::app

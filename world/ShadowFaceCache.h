#pragma once
// Keeps the shadow cube faces from being drawn again where nothing changed.
// The light never moves, and the depth a face ends up with does not depend on
// the order of its draws (each texel keeps the nearest), so:
// - a face whose draws are those of last frame still holds the right depth;
// - otherwise the draws that stood still since last frame are kept as a depth
//   image of their own, which is copied back into the face before only the
//   draws that moved are drawn over it.

#include <GL/glew.h>

#include <array>
#include <vector>

#include "world/ShadowFaceDraws.h"

namespace velmora {

class ShadowFaceCache {
public:
    // What the next shadow call of a face does, decided before the frame
    // loop clears the face.
    struct Plan {
        enum Kind {
            DrawAll,   // nothing to go by: draw `draws` on the cleared face
            Keep,      // the face already holds this depth: draw nothing
            Restore,   // copy the kept image back, then draw `draws` (the moved ones)
            Rebuild,   // on the cleared face draw `still`, keep that image, then `draws`
        };
        Kind kind = DrawAll;
        std::vector<ShadowDraw> still;
        std::vector<ShadowDraw> draws;
        ShadowFaceRecord keep;  // Rebuild: what the kept image will hold
    };

    ShadowFaceCache() = default;
    ShadowFaceCache(const ShadowFaceCache&) = delete;
    ShadowFaceCache& operator=(const ShadowFaceCache&) = delete;
    ~ShadowFaceCache();

    // Takes the face's record for this frame and plans its shadow call. True
    // when the face must be cleared before that call.
    bool plan(int face, ShadowFaceRecord now);
    // The plan for the face, once; DrawAll of nothing when none was made.
    bool takePlan(int face, Plan& plan);
    // The face was drawn over without a plan: nothing is known about it.
    void forget(int face);

    // Copies between the face attached to the bound framebuffer and the
    // face's kept image (size x size); the bound framebuffer stays bound.
    // keepImage notes what the image now holds.
    void keepImage(int face, int size, const ShadowFaceRecord& record);
    void restoreImage(int face, int size);

private:
    struct Kept {
        ShadowFaceRecord record;  // known only while the image holds its depth
        GLuint texture = 0;
    };

    void copy(GLuint from, GLuint to, int size) const;
    GLuint keptFramebuffer();

    std::array<ShadowFaceRecord, 6> last_;
    std::array<Kept, 6> kept_;
    int plannedFace_ = -1;
    Plan plan_;
    GLuint framebuffer_ = 0;
};

}  // namespace velmora

#pragma once
// The walk the scene pass and the shadow listing share over an object tree:
// every shape of every object with an actor, in draw order, with the pose it
// is drawn with. The object's mesh is drawn with the shape's pose, not its
// geometry; the shapes of one actor mostly share the actor's pose (a level
// object's solid and its twin or trigger volume, the second sphere's halo),
// and the same triangles at the same depth once more could only fail the
// depth test, so such a shape is handed on once per pose (and face).

#include <vector>

#include <glm/glm.hpp>

#include "physics/Physics.h"

namespace velmora {

class DrawNode;
class LevelDressing;
class Simulation;
namespace scene {
class SceneObject;
}

class ShapeWalk {
protected:
    // Both must outlive it.
    ShapeWalk(const Simulation& simulation, LevelDressing& dressing);
    ~ShapeWalk() = default;

    // transparentPass: the blended pass's walk from one see-through object.
    void walk(scene::SceneObject& object, bool transparentPass);

    // Whether the object can be drawn now; readies what draws it.
    virtual bool enter(scene::SceneObject& object) = 0;
    // The faces (one bit each; bit 0 alone in the scene pass) that see the
    // shape; 0 passes it over.
    virtual unsigned facesSeeing(const physics::Shape& shape) = 0;
    // A shape with a pose already handed on for the object.
    virtual void samePoseAgain() {}
    // The shape to draw or list, with the matrix its object's mesh is drawn with.
    virtual void handOn(scene::SceneObject& object, DrawNode& node, const glm::mat4& model, unsigned faces) = 0;

    LevelDressing& dressing_;
    // Fixed for a whole walk by whoever starts it.
    bool transparency_ = true;
    float drawAlpha_ = 1.0f;  // where moving bodies are drawn between the last two steps

private:
    // A pose of the object already handed on in this walk, and to which faces.
    struct HandedPose {
        physics::Transform pose;
        unsigned faces = 0;
    };

    void walkShape(physics::Shape& shape, scene::SceneObject& object, std::vector<HandedPose>& handed);

    const Simulation& simulation_;
};

}  // namespace velmora

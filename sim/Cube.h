#pragma once
// Base of doors and triggers: without a modelled mesh it is a unit cube.

#include "sim/SceneObject.h"

namespace velmora::scene {

class Cube : public SceneObject {
public:
    using SceneObject::SceneObject;

    // Attaches the unit cube centred on the origin: 24 vertices with face
    // normals, 12 triangles, no texture coordinates, opacity 1.0.
    void createDefaultMesh() override;
};

}  // namespace velmora::scene

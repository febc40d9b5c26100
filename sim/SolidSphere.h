#pragma once
// The two player spheres. They differ only in their type; their creation,
// materials and steering live with the sphere factory.

#include "sim/SceneObject.h"

namespace velmora::scene {

class SolidSphere : public SceneObject {
public:
    using SceneObject::SceneObject;
};

class MainSphere : public SolidSphere {
public:
    using SolidSphere::SolidSphere;
};

class SecondSphere : public SolidSphere {
public:
    using SolidSphere::SolidSphere;
};

}  // namespace velmora::scene

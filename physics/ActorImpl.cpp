#include "physics/ActorImpl.h"

#include "physics/PhysicsImpl.h"
#include "physics/SceneImpl.h"

namespace velmora::physics {

ShapeImpl* ActorImpl::addShape(const Geometry& geometry, Material& material, const Transform& localPose) {
    shapes_.push_back(std::make_unique<ShapeImpl>(*this, geometry, material, localPose, physics_.nextShapeId()));
    return shapes_.back().get();
}

Scene* ActorImpl::sceneInterface() const { return scene_; }

}  // namespace velmora::physics

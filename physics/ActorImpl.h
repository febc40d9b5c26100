#pragma once
// What static and dynamic actors share: shapes, name, scene membership. The
// scene talks to actors through this interface only.

#include <memory>
#include <string>
#include <vector>

#include "physics/Physics.h"
#include "physics/ShapeImpl.h"

namespace velmora::physics {

class PhysicsImpl;
class SceneImpl;

class ActorImpl {
public:
    virtual ~ActorImpl() = default;
    virtual RigidActor& asActor() = 0;
    virtual Transform pose() const = 0;
    // Puts the actor's collision objects into / takes them out of a scene.
    virtual void enterWorld(SceneImpl& scene) = 0;
    virtual void leaveWorld() = 0;
    virtual void shapeFlagsChanged(ShapeImpl& shape, uint32_t oldFlags) = 0;
    // Kinematic actors only: puts their shapes where the coming step moves
    // them to, and afterwards takes that place as their pose.
    virtual bool isKinematicActor() const { return false; }
    virtual void beforeStep() {}
    virtual void afterStep() {}

    bool isDynamicActor() const { return dynamic_; }
    SceneImpl* scene() const { return scene_; }
    const std::vector<std::unique_ptr<ShapeImpl>>& shapes() const { return shapes_; }

protected:
    ActorImpl(PhysicsImpl& physics, bool dynamic) : physics_(physics), dynamic_(dynamic) {}
    ShapeImpl* addShape(const Geometry& geometry, Material& material, const Transform& localPose);
    Scene* sceneInterface() const;

    PhysicsImpl& physics_;
    bool dynamic_;
    SceneImpl* scene_ = nullptr;
    std::vector<std::unique_ptr<ShapeImpl>> shapes_;
    std::string name_;
};

// The RigidActor calls that are the same for both kinds of actor.
template <class Interface>
class ActorCommon : public Interface, public ActorImpl {
public:
    RigidActor& asActor() override { return *this; }
    bool isDynamic() const override { return dynamic_; }
    uint32_t getNbShapes() const override { return static_cast<uint32_t>(shapes_.size()); }
    uint32_t getShapes(Shape** buffer, uint32_t bufferSize, uint32_t startIndex) const override {
        uint32_t written = 0;
        for (size_t i = startIndex; i < shapes_.size() && written < bufferSize; ++i) buffer[written++] = shapes_[i].get();
        return written;
    }
    void setName(const std::string& name) override { name_ = name; }
    const std::string& getName() const override { return name_; }
    Scene* getScene() const override { return sceneInterface(); }

protected:
    ActorCommon(PhysicsImpl& physics, bool dynamic) : ActorImpl(physics, dynamic) {}
};

}  // namespace velmora::physics

#pragma once
// The physics object: owner of every material, mesh, actor and scene.

#include <memory>
#include <vector>

#include "physics/Physics.h"

namespace velmora::physics {

class ActorImpl;
class SceneImpl;
class TriangleMeshImpl;

class PhysicsImpl : public Physics {
public:
    explicit PhysicsImpl(const ToleranceScale& scale);
    ~PhysicsImpl() override;

    const ToleranceScale& getTolerancesScale() const override { return scale_; }
    Material* createMaterial(float staticFriction, float dynamicFriction, float restitution) override;
    Scene* createScene(const SceneDesc& desc) override;
    RigidStatic* createRigidStatic(const Transform& pose) override;
    RigidDynamic* createRigidDynamic(const Transform& pose) override;
    void release() override;

    TriangleMesh* adoptMesh(std::unique_ptr<TriangleMeshImpl> mesh);
    void destroyScene(SceneImpl* scene);
    uint32_t nextShapeId() { return nextShapeId_++; }

private:
    ToleranceScale scale_;
    uint32_t nextShapeId_ = 0;
    // Declared so that scenes go first, then actors, then what shapes use.
    std::vector<std::unique_ptr<Material>> materials_;
    std::vector<std::unique_ptr<TriangleMeshImpl>> meshes_;
    std::vector<std::unique_ptr<ActorImpl>> actors_;
    std::vector<std::unique_ptr<SceneImpl>> scenes_;
};

}  // namespace velmora::physics

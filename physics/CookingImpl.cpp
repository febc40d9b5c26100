// Cooking and the CPU dispatcher token: both thin, since Bullet needs no
// offline mesh format and has no worker threads here (see Physics.h).

#include "physics/PhysicsImpl.h"
#include "physics/TriangleMeshImpl.h"

namespace velmora::physics {

namespace {

class CookingImpl : public Cooking {
public:
    explicit CookingImpl(PhysicsImpl& physics) : physics_(physics) {}
    TriangleMesh* cookTriangleMesh(const TriangleMeshDesc& desc) override {
        auto mesh = cookMesh(desc);
        return mesh ? physics_.adoptMesh(std::move(mesh)) : nullptr;
    }
    void release() override { delete this; }

private:
    PhysicsImpl& physics_;
};

class InlineDispatcher : public CpuDispatcher {
public:
    explicit InlineDispatcher(uint32_t workers) : workers_(workers) {}
    uint32_t getWorkerCount() const override { return workers_; }
    void release() override { delete this; }

private:
    uint32_t workers_;
};

}  // namespace

Cooking* createCooking(Physics* physics) {
    return physics ? new CookingImpl(static_cast<PhysicsImpl&>(*physics)) : nullptr;
}

CpuDispatcher* createCpuDispatcher(uint32_t workerThreads) { return new InlineDispatcher(workerThreads); }

}  // namespace velmora::physics

#include "physics/SteppingWorld.h"

#include "physics/DynamicActor.h"

namespace velmora::physics {

void SteppingWorld::integrateTransforms(btScalar timeStep) {
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        if (!body->isActive()) continue;
        static_cast<DynamicActor*>(body->getUserPointer())->applyDamping(timeStep);
    }
    btDiscreteDynamicsWorld::integrateTransforms(timeStep);
}

}  // namespace velmora::physics

#pragma once
// Bullet's discrete world with the layer's damping slotted in where it
// belongs: after the solver has added forces, gravity and contacts to the
// velocities, before those velocities move the bodies.

#include <btBulletDynamicsCommon.h>

namespace velmora::physics {

class SteppingWorld : public btDiscreteDynamicsWorld {
public:
    using btDiscreteDynamicsWorld::btDiscreteDynamicsWorld;

protected:
    void integrateTransforms(btScalar timeStep) override;
};

}  // namespace velmora::physics

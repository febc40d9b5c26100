#include "physics/ShapeImpl.h"

#include <algorithm>

#include "physics/ActorImpl.h"
#include "physics/BulletMath.h"
#include "physics/TriangleMeshImpl.h"

namespace velmora::physics {

namespace {

std::unique_ptr<btCollisionShape> makeBox(const glm::vec3& halfExtents) {
    // Bullet keeps a margin inside the box; a flat rectangle has no inside,
    // so its margin shrinks to the thinnest extent (zero for a flat one).
    const float thinnest = std::min({halfExtents.x, halfExtents.y, halfExtents.z});
    const btScalar margin = std::min(btScalar(CONVEX_DISTANCE_MARGIN), btScalar(thinnest));
    auto box = std::make_unique<btBoxShape>(btVector3(0, 0, 0));
    box->setMargin(margin);
    // setMargin keeps the inner size; set the outer size with the new margin.
    box->setImplicitShapeDimensions(toBullet(halfExtents) - btVector3(margin, margin, margin));
    return box;
}

}  // namespace

ShapeImpl::ShapeImpl(ActorImpl& actor, const Geometry& geometry, Material& material, const Transform& localPose,
                     uint32_t id)
    : actor_(actor), geometry_(geometry), material_(&material), localPose_(localPose), id_(id) {
    switch (geometry.type) {
    case GeometryType::Sphere:
        ownedShape_ = std::make_unique<btSphereShape>(geometry.radius);
        break;
    case GeometryType::Box:
        ownedShape_ = makeBox(geometry.halfExtents);
        break;
    case GeometryType::TriangleMesh:
        bulletShape_ = static_cast<TriangleMeshImpl*>(geometry.mesh)->shapeForScale(geometry.meshScale);
        break;
    }
    if (ownedShape_) bulletShape_ = ownedShape_.get();

    if (!actor.isDynamicActor()) {
        // A rigid body of no mass: it can be made kinematic later and then
        // hands its velocity to the contacts it is in.
        object_ = std::make_unique<btRigidBody>(btRigidBody::btRigidBodyConstructionInfo(0.0f, nullptr, bulletShape_));
        object_->setCollisionShape(bulletShape_);
        object_->setUserIndex(static_cast<int>(ObjectKind::StaticShape));
        object_->setUserPointer(this);
        object_->setFriction(material.getDynamicFriction());
        object_->setRestitution(material.getRestitution());
        object_->setWorldTransform(toBullet(actor.pose() * localPose_));
    }
}

ShapeImpl::~ShapeImpl() = default;

RigidActor* ShapeImpl::getActor() const { return &actor_.asActor(); }

void ShapeImpl::setFlag(ShapeFlag flag, bool value) {
    const uint32_t before = flags_;
    if (value) {
        flags_ |= static_cast<uint32_t>(flag);
    } else {
        flags_ &= ~static_cast<uint32_t>(flag);
    }
    if (flags_ != before) actor_.shapeFlagsChanged(*this, before);
}

bool ShapeImpl::sameSurfaceAs(const ShapeImpl& other) const {
    const Geometry& g = other.geometry_;
    const bool sameGeometry = g.type == geometry_.type && g.radius == geometry_.radius &&
                              g.halfExtents == geometry_.halfExtents && g.mesh == geometry_.mesh &&
                              g.meshScale == geometry_.meshScale;
    const Material& m = *other.material_;
    const bool sameMaterial = m.getDynamicFriction() == material_->getDynamicFriction() &&
                              m.getRestitution() == material_->getRestitution();
    return sameGeometry && sameMaterial && other.localPose_.p == localPose_.p && other.localPose_.q == localPose_.q;
}

Transform ShapeImpl::getGlobalPose() const { return actor_.pose() * localPose_; }

Bounds ShapeImpl::getWorldBounds() const {
    btVector3 lo, hi;
    bulletShape_->getAabb(toBullet(getGlobalPose()), lo, hi);
    return Bounds{toGlm(lo), toGlm(hi)};
}

}  // namespace velmora::physics

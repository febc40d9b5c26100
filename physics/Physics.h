#pragma once
// The game's physics layer: rigid spheres rolling over static level geometry,
// trigger volumes and doors, built on Bullet. This header is the whole face of
// the layer; nothing outside physics/ includes a Bullet header.
//
// Behaviour the rest of the game can rely on:
//
// Threads. The engine we build on has no worker threads here, so a
// CpuDispatcher is only a token that remembers the thread count it was asked
// for: no thread is ever started. The whole step runs on the calling thread,
// inside Scene::simulate. Scene::fetchResults then delivers that step's trigger
// reports, also on the calling thread, and returns. So "simulate, then
// fetchResults(true)" keeps its meaning (one step done and reported when
// fetchResults returns) and the callbacks may touch game state without locks.
// Poses read between simulate and fetchResults are already the new ones.
//
// Stepping. simulate(dt) runs exactly one step of length dt: no interpolation,
// no sub-stepping, no accumulated remainder. Forces added before simulate act
// in that step and are then forgotten. The same inputs give bit-identical
// poses.
//
// Damping. setLinearDamping(c) means: after each step's forces, gravity and
// contacts, the velocity is multiplied by max(0, 1 - dt*c), before the positions
// move. c = 10 at 60 Hz keeps 5/6 of the velocity per step: strong drag, not a
// stop. A steady force F on mass m tends to v = F/m*dt*(1 - dt*c)/(dt*c).
// Angular velocity gets the same treatment with the angular damping, which
// starts at 0.05 for every dynamic actor.
//
// Mass. createDynamic takes mass and inertia from its first shape (a solid
// sphere of the given density, centre of mass at the actor's origin); later
// shapes change neither. setMass replaces the mass and keeps that inertia.
//
// Materials. Each contact combines the two shapes' materials by the average:
// friction (f0 + f1)/2 and restitution (r0 + r1)/2, without clamping. The
// solver has one friction coefficient per contact; it is taken from the
// dynamic frictions (the game gives its materials equal static and dynamic
// friction). A dynamic actor contacts with the material of its first shape.
//
// Kinematic bodies. A static actor given a kinematic target becomes a
// kinematic body for good. In the next step it moves from its pose to the
// target at the one constant linear and angular velocity (about each shape's
// origin) that gets it there, like an infinitely heavy body: contacts in
// that step are found at the target, the spheres it meets are pushed along
// with the velocity of the surface that meets them, and nothing pushes it
// back. getGlobalPose gives the old pose until that step and the target
// after it. A step without a new target leaves it standing still; a
// setGlobalPose puts it somewhere without any velocity and drops a pending
// target. It never sleeps, so it wakes the sleeping spheres it touches. Its
// shapes keep their flags: a trigger shape on it reports and moves with it.
// The turning mill of the level is made of such bodies.
//
// Bounces. An impact bounces (with the combined restitution) only when the
// two bodies approach each other along the contact normal at 2 m/s or more;
// slower ones come to rest without a hop, so a sphere rolling off a step or
// touching a wall gently stays where it lands.
//
// Triggers. A shape with the trigger flag reports other shapes that overlap
// it exactly (the true shape, not its bounding box; touching counts as
// overlapping). Each overlap that starts during a step is one touch-found pair,
// each that ends is one touch-lost pair; a shape resting inside reports nothing
// more, asleep or awake. Only colliding shapes of dynamic actors set off
// triggers: static-static pairs never report, a trigger never reports another
// trigger, and a trigger shape never collides. Trigger shapes belong on static
// actors; on a dynamic actor the flag only stops the shape from colliding. All
// pairs of one step arrive in one onTrigger call inside fetchResults: found
// pairs first, then lost ones, each in the shapes' creation order. Switching
// a trigger off, or a shape inside it out of simulation, ends its overlaps:
// touch-lost at the next step.
//
// Shape flags. A shape collides while its simulation flag is set and its
// trigger flag is not. Flags may be switched at any time between steps, also
// inside onTrigger; the change holds from the next step on, and no contact of
// the old setting survives it. Turning a static shape's simulation off wakes
// the dynamic actors touching it, so a sphere resting on a door falls at once.
//
// Duplicate shapes. A shape identical to an earlier colliding shape of the
// same actor (geometry, local pose and material values) collides as one with
// it: the contacts would only be doubled. Trigger reports still name each
// shape, so a sphere carrying its collision sphere twice gives two pairs.
//
// Edges. Spheres roll over the shared (internal) edges of a triangle mesh
// without bumping. Each mesh records its edge angles when first used with a
// scale. A sphere contact at a seam between coplanar triangles, or at a corner
// where only such seams meet, takes the face normal; other edge contacts are
// corrected by Bullet's internal-edge utility. Both work from either side of
// the mesh, since level meshes need not be closed.
//
// Mirrored scale. A triangle mesh shape may carry a scale with negative
// components. The scale is baked into the mesh's vertices; when it mirrors
// (odd number of negative components) each triangle's winding is flipped too,
// so the faces keep pointing the way the mirrored surface faces and the edge
// angles keep their convex/concave sense.
//
// Tolerances. The tolerance speed sets the sleep thresholds; the length must
// be positive but scales nothing, because Bullet's margins and contact
// distances are already tuned for a metre-sized world (length 1).
//
// Fast motion. A dynamic actor whose colliding shapes come down to one sphere
// is swept along its path whenever a step would move it more than half its
// radius, and stops where it first meets a colliding surface: a sphere pushed
// hard on a slow frame never passes through a thin wall or a flat floor. Open
// doors and trigger volumes do not stop it. (A trigger thinner than one step's
// motion can still be passed without a report.)
//
// Contacts. Each step the scene reports the contacts of dynamic actors with
// colliding bodies (static, kinematic or dynamic) that began or ended in it:
// one report per dynamic actor and shape it touches (a static actor of two
// shapes can touch a sphere twice), not per contact point, the dynamic actor
// first. A contact begins when the two come within 1 cm of each other, so a
// sphere rolling along a floor stays in one contact; rolling from one body
// onto the next begins a new one. A beginning carries the place, the normal
// (from the other body towards the actor) and the normal speed: how fast the
// two approached along that normal just before they met, never negative. A
// hard landing or a sphere hitting a wall begins with metres per second, a
// sphere rolling onto a flat neighbour with nearly none. Reports come in
// onContact inside fetchResults, before onTrigger. Watching contacts changes
// nothing in the physics: the same inputs give the same poses, bit for bit.
//
// Sphere sweeps. Scene::sweepSphere moves a probe sphere in a straight line
// and reports how far it gets before it first touches a colliding shape of a
// static or kinematic actor (level geometry, closed doors, the mill where it
// stands after the last step). Dynamic actors, trigger shapes and shapes with
// the simulation flag off (open doors) never stop it. It reads the scene and
// changes nothing, so it may be called at any time between steps without
// touching the run. A probe that starts already overlapping a surface may be
// stopped at once: start it from a clear place (a sphere's centre).
//
// Sleeping. Dynamic actors fall asleep after two seconds slower than 1% of
// the tolerance speed (0.1 m/s and 0.2 rad/s at speed 10). Forces and poses
// with autowake, and doors opening under them, wake them.

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace velmora::physics {

// A rigid transform: rotate by q, then move by p.
struct Transform {
    glm::quat q{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 p{0.0f};

    Transform() = default;
    explicit Transform(const glm::vec3& position) : p(position) {}
    Transform(const glm::vec3& position, const glm::quat& rotation) : q(rotation), p(position) {}

    // this * other: apply other first, then this (pose of a child in world).
    Transform operator*(const Transform& other) const;
    glm::vec3 transform(const glm::vec3& point) const;
    glm::mat4 toMatrix() const;
};

// World-space axis-aligned box.
struct Bounds {
    glm::vec3 minimum{0.0f};
    glm::vec3 maximum{0.0f};
};

// The size and speed of typical objects; metres and metres per second.
struct ToleranceScale {
    float length = 1.0f;
    float speed = 10.0f;
};

class TriangleMesh;

enum class GeometryType { Sphere, Box, TriangleMesh };

// What a shape is. A box may have one half extent 0: a flat rectangle that
// still stops a sphere. A triangle mesh scale may have negative components.
struct Geometry {
    GeometryType type = GeometryType::Sphere;
    float radius = 0.0f;
    glm::vec3 halfExtents{0.0f};
    TriangleMesh* mesh = nullptr;
    glm::vec3 meshScale{1.0f};

    static Geometry sphere(float radius);
    static Geometry box(const glm::vec3& halfExtents);
    static Geometry triangleMesh(TriangleMesh* mesh, const glm::vec3& scale);

    // Finite, positive sizes (a box may have at most one zero half extent),
    // a mesh present and no zero scale component.
    bool isValid() const;
};

class Material {
public:
    Material(float staticFriction, float dynamicFriction, float restitution)
        : staticFriction_(staticFriction), dynamicFriction_(dynamicFriction), restitution_(restitution) {}
    float getStaticFriction() const { return staticFriction_; }
    float getDynamicFriction() const { return dynamicFriction_; }
    float getRestitution() const { return restitution_; }

private:
    float staticFriction_;
    float dynamicFriction_;
    float restitution_;
};

enum class ShapeFlag : uint32_t {
    Simulation = 1,  // collides with other shapes
    Trigger = 4,     // reports overlaps instead (set simulation off first)
};

class RigidActor;

class Shape {
public:
    virtual ~Shape() = default;
    virtual RigidActor* getActor() const = 0;
    virtual const Geometry& getGeometry() const = 0;
    virtual Material* getMaterial() const = 0;
    virtual Transform getLocalPose() const = 0;
    virtual void setFlag(ShapeFlag flag, bool value) = 0;
    virtual bool getFlag(ShapeFlag flag) const = 0;
    // The actor's pose times the shape's local pose.
    virtual Transform getGlobalPose() const = 0;
    // A box that contains the whole shape where the actor is now.
    virtual Bounds getWorldBounds() const = 0;
};

class Scene;

class RigidActor {
public:
    virtual ~RigidActor() = default;
    virtual bool isDynamic() const = 0;
    // Adds a shape; null when the geometry is invalid or not allowed here
    // (dynamic actors take spheres only). Shapes keep their creation order.
    virtual Shape* createShape(const Geometry& geometry, Material& material,
                               const Transform& localPose = Transform()) = 0;
    virtual uint32_t getNbShapes() const = 0;
    // Copies up to bufferSize shapes from startIndex on; returns how many.
    virtual uint32_t getShapes(Shape** buffer, uint32_t bufferSize, uint32_t startIndex = 0) const = 0;
    virtual void setName(const std::string& name) = 0;
    virtual const std::string& getName() const = 0;
    virtual Transform getGlobalPose() const = 0;
    // Moves the actor; velocities stay as they are.
    virtual void setGlobalPose(const Transform& pose, bool autowake = true) = 0;
    // The scene the actor is in, or null.
    virtual Scene* getScene() const = 0;
};

class RigidStatic : public RigidActor {
public:
    // Makes the actor a kinematic body that reaches pose at the end of the
    // next step (see "Kinematic bodies"). A later call before that step
    // replaces the target.
    virtual void setKinematicTarget(const Transform& pose) = 0;
    // Where the actor will be after the next step: the pending target, or
    // its pose when none is pending.
    virtual Transform getKinematicTarget() const = 0;
    virtual bool isKinematic() const = 0;
};

class RigidDynamic : public RigidActor {
public:
    virtual void setLinearDamping(float damping) = 0;
    virtual float getLinearDamping() const = 0;
    virtual void setAngularDamping(float damping) = 0;
    virtual float getAngularDamping() const = 0;
    // Replaces the mass; the inertia tensor stays what it was.
    virtual void setMass(float mass) = 0;
    virtual float getMass() const = 0;
    // Diagonal inertia in the body's own frame.
    virtual glm::vec3 getMassSpaceInertiaTensor() const = 0;
    // A force (newtons) applied during the next step, then forgotten.
    virtual void addForce(const glm::vec3& force, bool autowake = true) = 0;
    virtual glm::vec3 getLinearVelocity() const = 0;
    virtual glm::vec3 getAngularVelocity() const = 0;
    // Replace the velocity outright, for a body put back somewhere; the
    // forces added for the next step stay.
    virtual void setLinearVelocity(const glm::vec3& velocity) = 0;
    virtual void setAngularVelocity(const glm::vec3& velocity) = 0;
    virtual bool isSleeping() const = 0;
};

enum class PairFlag : uint32_t {
    TouchFound = 4,
    TouchLost = 16,
};

struct TriggerPair {
    Shape* triggerShape;
    RigidActor* triggerActor;
    Shape* otherShape;
    RigidActor* otherActor;
    PairFlag status;
};

// A contact of a dynamic actor that began or ended in the last step (see
// "Contacts"). Point, normal and normalSpeed are set for a beginning only.
struct ContactReport {
    RigidActor* actor;  // the dynamic one (the first of two dynamic ones)
    RigidActor* other;
    glm::vec3 point;
    glm::vec3 normal;   // from other towards actor
    float normalSpeed;  // metres per second of approach, >= 0
    bool began;         // false: the two no longer touch
};

// Receives the scene's reports inside fetchResults, on the calling thread.
// Only onContact and onTrigger are ever called by this layer: it has no
// joints to break, and does not announce sleeping or waking.
class SimulationEventCallback {
public:
    virtual ~SimulationEventCallback() = default;
    virtual void onConstraintBreak() {}
    virtual void onWake(RigidActor** /*actors*/, uint32_t /*count*/) {}
    virtual void onSleep(RigidActor** /*actors*/, uint32_t /*count*/) {}
    virtual void onContact(const ContactReport* /*reports*/, uint32_t /*count*/) {}
    virtual void onTrigger(TriggerPair* pairs, uint32_t count) = 0;
};

// A token for the worker threads the scene may use; see "Threads" above.
class CpuDispatcher {
public:
    virtual ~CpuDispatcher() = default;
    virtual uint32_t getWorkerCount() const = 0;
    virtual void release() = 0;
};

// Never null: no threads are started, so nothing can fail.
CpuDispatcher* createCpuDispatcher(uint32_t workerThreads);

struct SceneDesc {
    glm::vec3 gravity{0.0f};
    CpuDispatcher* cpuDispatcher = nullptr;  // may be null; see "Threads"
    SimulationEventCallback* simulationEventCallback = nullptr;
};

class Scene {
public:
    virtual ~Scene() = default;
    // An actor is in at most one scene; adding it twice does nothing.
    virtual void addActor(RigidActor& actor) = 0;
    // Its pending trigger overlaps are forgotten without a report.
    virtual void removeActor(RigidActor& actor) = 0;
    virtual uint32_t getNbActors() const = 0;
    virtual void setGravity(const glm::vec3& gravity) = 0;
    virtual glm::vec3 getGravity() const = 0;
    virtual SimulationEventCallback* getSimulationEventCallback() const = 0;
    // Runs one step of elapsedTime seconds (see "Threads" and "Stepping").
    virtual void simulate(float elapsedTime) = 0;
    // The share of the way from `from` to `to` (0..1) that a sphere of this
    // radius travels before it touches a static or kinematic colliding shape;
    // 1 when nothing is in the way (see "Sphere sweeps").
    virtual float sweepSphere(const glm::vec3& from, const glm::vec3& to, float radius) const = 0;
    // Delivers the reports of the last step; false when no step was started
    // since the last fetch. The step is already done, so block changes nothing.
    virtual bool fetchResults(bool block) = 0;
    // Takes the actors out of the scene and destroys it.
    virtual void release() = 0;
};

// Positions are three floats per point, triangles three 32-bit indices each.
struct TriangleMeshDesc {
    const float* points = nullptr;
    uint32_t pointCount = 0;
    const uint32_t* triangles = nullptr;
    uint32_t triangleCount = 0;
};

class TriangleMesh {
public:
    virtual ~TriangleMesh() = default;
    virtual uint32_t getNbVertices() const = 0;
    virtual uint32_t getNbTriangles() const = 0;
};

// Turns triangle soup into a mesh the scene can collide with.
class Cooking {
public:
    virtual ~Cooking() = default;
    // Null on failure: no points or triangles, missing arrays, non-finite
    // points, an index out of range, or no triangle with an area left after
    // the zero-area ones are dropped. Never crashes on bad input.
    virtual TriangleMesh* cookTriangleMesh(const TriangleMeshDesc& desc) = 0;
    virtual void release() = 0;
};

// Owns everything made through it: materials, meshes, actors, scenes.
// Releasing it destroys them all.
class Physics {
public:
    virtual ~Physics() = default;
    virtual const ToleranceScale& getTolerancesScale() const = 0;
    virtual Material* createMaterial(float staticFriction, float dynamicFriction, float restitution) = 0;
    virtual Scene* createScene(const SceneDesc& desc) = 0;
    virtual RigidStatic* createRigidStatic(const Transform& pose) = 0;
    virtual RigidDynamic* createRigidDynamic(const Transform& pose) = 0;
    virtual void release() = 0;
};

// Null when the scale is not positive and finite.
Physics* createPhysics(const ToleranceScale& scale);
// Null when physics is null. Meshes it cooks belong to that physics.
Cooking* createCooking(Physics* physics);

// A static actor with one shape; null when the geometry is invalid.
RigidStatic* createStatic(Physics& physics, const Transform& pose, const Geometry& geometry,
                          Material& material, const Transform& shapeOffset = Transform());
// A dynamic actor with one sphere shape whose mass and inertia follow from the
// density; null when the geometry is not a valid sphere or the density is not
// positive.
RigidDynamic* createDynamic(Physics& physics, const Transform& pose, const Geometry& geometry,
                            Material& material, float density, const Transform& shapeOffset = Transform());

}  // namespace velmora::physics

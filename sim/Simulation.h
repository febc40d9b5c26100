#pragma once
// The game's rules and motion, apart from drawing: the physics world, the
// two spheres, the level's triggers and doors, the turning mill and the run.
// It steps only through step(), one fixed 1/60 s step with that step's input,
// and touches no GL: the level's objects it builds carry their meshes but
// nothing on the GPU, so it runs headless (tests, the replay checker) as well
// as under the renderer, which uploads those same objects for drawing.
//
// Determinism: the same input from the same start gives the same poses, bit
// for bit, at every step. A restart (StepInput::restart) rebuilds the whole
// physics world from the level's geometry, exactly as the first build did.

#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "level/LevelTile.h"
#include "level/LevelLoader.h"
#include "level/LevelSet.h"
#include "physics/Physics.h"
#include "sim/ActorType.h"
#include "sim/SimulationEvent.h"
#include "sim/StepInput.h"

namespace velmora {

struct World;

class Simulation : public physics::SimulationEventCallback {
public:
    // The length of every step.
    static constexpr float kStep = 0.016666668f;
    // The mill's turn per second of game time.
    static constexpr float kMillDegreesPerSecond = 200.0f;

    // Imports the tiles into the world (its root gets one child per tile,
    // then the two spheres) and builds the physics. The world must be empty.
    Simulation(World& world, const std::vector<LevelTile>& tiles,
               const LevelPlaces& places = LevelPlaces{});
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;
    ~Simulation() override;

    // One step: a restart first when asked, then the push, the magnet and
    // the mill's turn (while the run is on), then the physics and the
    // triggers. Events of the step are added to events().
    void step(const StepInput& input);

    // Steps since the build or the last restart, and whether the goal was
    // reached in them (the run is over: no more push, magnet or mill).
    // The world the level and the spheres were built in.
    World& world() const { return world_; }

    long steps() const { return steps_; }
    bool won() const { return won_; }
    bool coupled() const { return coupled_; }
    // The mill's angle after the last step, in radians.
    float millAngle() const;
    // Where the mill's hub stands, when the level has a mill.
    std::optional<glm::vec3> millPosition() const;
    // The sphere touched something within the last few steps: brief hops
    // over a seam don't count as leaving the ground.
    bool touching(ActorType type) const;

    // What happened since the last takeEvents, in step order.
    std::vector<SimulationEvent> takeEvents();

    // An actor's pose between the last two steps: alpha 0 gives the pose
    // before the last step, 1 the pose after it. Actors that never move give
    // their pose; a sphere put back somewhere doesn't sweep across the level.
    physics::Transform drawnPose(const physics::RigidActor& actor, float alpha) const;
    // A sphere's body (null when it couldn't be built) and position.
    physics::RigidDynamic* sphere(ActorType type) const;
    glm::vec3 spherePosition(ActorType type, float alpha = 1.0f) const;

    // Everything back as a fresh build has it, now (what a step asked to
    // restart does first).
    void restart();

    // For tests and tools that set up a situation directly: moves both
    // spheres, keeping their velocities; stops both.
    void placeSpheres(glm::vec3 mainPosition, glm::vec3 secondPosition);
    void stopSpheres();
    // For tests that build their own scenery: the level is about to be
    // taken out of the world, so rebuilds make only the spheres from now on.
    void forgetLevel();
    // Ends the run as the goal does / puts the spheres back as a hazard does.
    void winGame();
    void resetGame(const std::string& text);

    const LevelPlaces& places() const { return places_; }
    // Whether it plays a level (tests that build their own scenery forget it).
    bool hasLevel() const { return !bodies_.empty(); }

    physics::Physics* physics() const { return physics_; }
    physics::Scene* scene() const { return scene_; }

    void onTrigger(physics::TriggerPair* pairs, uint32_t count) override;
    // Impacts of the spheres, and whether they touch anything.
    void onContact(const physics::ContactReport* reports, uint32_t count) override;

private:
    struct TrackedPose {
        const physics::RigidActor* actor = nullptr;
        physics::Transform previous;
        physics::Transform current;
    };

    void importLevel(const std::vector<LevelTile>& tiles);
    void createSphereObjects();
    // Everything physical from nothing: the physics, the level's bodies in
    // import order, the spheres, the mill; doors closed, the run at zero.
    void buildPhysics();
    void releasePhysics();
    void createSphereBody(ActorType type);
    void applyMagnet();
    void turnMill();
    void recordPoses(bool jumped);
    void reportDoorChanges();
    // Keeps lastTouched_ up to date for spheres resting in a contact.
    void noteTouches();

    World& world_;
    LevelPlaces places_;
    std::vector<LevelBodyRecipe> bodies_;
    std::vector<std::pair<physics::RigidStatic*, physics::Transform>> millParts_;
    std::vector<TrackedPose> tracked_;
    std::vector<SimulationEvent> events_;
    std::vector<bool> doorsOpen_;
    physics::Physics* physics_ = nullptr;
    physics::CpuDispatcher* dispatcher_ = nullptr;
    physics::Cooking* cooking_ = nullptr;
    physics::Scene* scene_ = nullptr;
    long steps_ = 0;
    long millSteps_ = 0;  // steps the mill has turned in this run
    bool firstBuild_ = true;
    bool won_ = false;
    bool coupled_ = true;
    bool burstArmed_ = true;  // a pull may set off a burst; every push re-arms it
    bool jumped_ = false;     // the spheres were put somewhere during this step
    int contacts_[2] = {0, 0};          // per sphere (main, second): bodies touching it now
    long lastTouched_[2] = {-100, -100};  // the last step each touched something
};

}  // namespace velmora

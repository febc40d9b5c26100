#pragma once
// A main world with a RenderLogic around it, and boxes made the way the level
// makes objects: a mesh on the GPU placed by a static physics actor.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "physics/Physics.h"
#include "sim/Cube.h"
#include "sim/ObjectRegistry.h"
#include "world/RenderLogic.h"

namespace velmora::test {

// A cube that notes its name in a shared log each time the renderer draws
// it (it calls update first), so tests can see the draw order.
class LoggingCube : public scene::Cube {
public:
    explicit LoggingCube(std::vector<std::string>* log) : log_(log) {}
    void update() override { log_->push_back(name); }

private:
    std::vector<std::string>* log_;
};

// Starts every test from a main world without the shipped level and without
// the player spheres.
class WorldFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    World& world() { return *registry->mainWorld(); }

    // An axis-aligned box of the given size, uploaded, with one box shape.
    // It is not yet linked into any tree.
    LoggingCube* makeBox(const std::string& name, const glm::vec3& center, const glm::vec3& size,
                         float opacity = 1.0f);
    // makeBox, then appended to the parent (the world's root when null).
    LoggingCube* addBox(const std::string& name, const glm::vec3& center, const glm::vec3& size,
                        float opacity = 1.0f, scene::SceneObject* parent = nullptr);

    // Camera-to-world matrix of a camera at eye looking at target.
    static glm::mat4 cameraAt(const glm::vec3& eye, const glm::vec3& target);
    glm::mat4 projection() const;

    // One frame's worth of drawing: six shadow faces (when shadows are on)
    // into the cube, then the scene pass, as the frame loop does. Without a
    // cube texture the shadow calls draw into the current framebuffer.
    void renderFrame(const glm::mat4& camera, double dt = 0.016);

    Simulation& simulation() { return *sim; }

    std::unique_ptr<ObjectRegistry> registry;
    std::unique_ptr<Simulation> sim;  // the game's: the renderer only reads it
    RenderOptions options;  // what the renderer reads, as the shell's F7 and F9 leave them
    std::unique_ptr<RenderLogic> logic;
    physics::Material* material = nullptr;
    std::vector<std::unique_ptr<scene::SceneObject>> objects;
    std::vector<std::string> drawLog;
};

}  // namespace velmora::test

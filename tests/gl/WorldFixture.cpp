#include "tests/gl/WorldFixture.h"

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>

#include "level/MeshData.h"
#include "world/DrawNode.h"
#include "render/RenderOptions.h"
#include "tests/gl/EmptyWorld.h"
#include "tests/gl/GlContext.h"
#include "sim/PhysicsSetup.h"

namespace velmora::test {

void WorldFixture::SetUp() {
    registry = std::make_unique<ObjectRegistry>();
    testing::internal::CaptureStdout();  // the creation time line
    sim = std::make_unique<Simulation>(world(), shippedLevelTiles());
    logic = std::make_unique<RenderLogic>(*sim);
    testing::internal::GetCapturedStdout();
    removeLevel(world(), simulation(), *logic);
    removeSpheres(world(), simulation().scene());
    material = simulation().physics()->createMaterial(0.5f, 0.5f, 0.1f);
    shadowsEnabled = true;
    transparencyEnabled = true;
}

void WorldFixture::TearDown() {
    logic.reset();
    // The fixture's objects are its own, not their trees': taken out of the
    // trees before the world releases what is left in them.
    std::vector<scene::SceneObject*>& top = world().root->children;
    for (const auto& object : objects) {
        object->children.clear();
        top.erase(std::remove(top.begin(), top.end(), object.get()), top.end());
    }
    objects.clear();
    sim.reset();
    registry.reset();
    shadowsEnabled = true;
    transparencyEnabled = true;
    glUseProgram(0);
}

LoggingCube* WorldFixture::makeBox(const std::string& name, const glm::vec3& center,
                                   const glm::vec3& size, float opacity) {
    auto box = std::make_unique<LoggingCube>(&drawLog);
    box->name = name;
    box->localMatrix = glm::scale(glm::mat4(1.0f), size);
    box->createDefaultMesh();
    box->mesh->opacity = opacity;
    DrawNode& node = drawNodeOf(*box);
    node.objectProgram = logic->phongProgram;
    node.objectShadowProgram = logic->shadowProgram;
    node.setMesh(box->mesh);
    node.isDressed = node.upload();
    placeStaticBox(simulation(), *box, center, size, *material);
    LoggingCube* raw = box.get();
    objects.push_back(std::move(box));
    return raw;
}

LoggingCube* WorldFixture::addBox(const std::string& name, const glm::vec3& center,
                                  const glm::vec3& size, float opacity, scene::SceneObject* parent) {
    LoggingCube* box = makeBox(name, center, size, opacity);
    (parent != nullptr ? parent : world().root)->addChild(box);
    if (opacity < 1.0f) {
        logic->transparentObjects.push_back(box);
    }
    return box;
}

glm::mat4 WorldFixture::cameraAt(const glm::vec3& eye, const glm::vec3& target) {
    return glm::inverse(glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f)));
}

glm::mat4 WorldFixture::projection() const {
    const float aspect = static_cast<float>(contextWidth()) / static_cast<float>(contextHeight());
    return glm::perspective(glm::radians(60.0f), aspect, 0.1f, 500.0f);
}

void WorldFixture::renderFrame(const glm::mat4& camera, double dt) {
    if (shadowsEnabled) {
        for (int face = 0; face < 6; ++face) {
            logic->renderScene(true, camera, projection(), dt);
        }
    }
    logic->renderScene(false, camera, projection(), dt);
}

}  // namespace velmora::test

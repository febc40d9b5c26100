// An open door is not drawn: the rules open it (their own tests are in the
// unit tier), the scene pass then leaves its triangles out.

#include <gtest/gtest.h>

#include <memory>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include "tests/gl/GlContext.h"
#include "tests/gl/UploadedObject.h"
#include "tests/unit/TriggerLayout.h"
#include "world/RenderLogic.h"

namespace velmora::test {

class OpenDoorsDrawn : public TriggerLayoutFixture {
protected:
    void SetUp() override {
        TriggerLayoutFixture::SetUp();
        testing::internal::CaptureStdout();  // the creation time line
        logic = std::make_unique<RenderLogic>(simulation(), options);
        testing::internal::GetCapturedStdout();
        logic->frustumCullingEnabled = false;  // so the scene pass draws everything there is
    }
    void TearDown() override {
        logic.reset();
        TriggerLayoutFixture::TearDown();
        glUseProgram(0);
    }

    // Triangles that reach the rasteriser in one scene pass: a hidden door
    // takes its twelve with it from both the depth walk and the shaded one.
    // What the test added is uploaded first.
    GLuint sceneTriangles() {
        for (const auto& object : objects) {
            uploadForDrawing(*object, logic->phongProgram, logic->shadowProgram);
        }
        const glm::mat4 camera =
            glm::inverse(glm::lookAt(glm::vec3(0, 10, -8), glm::vec3(2, 0, 5), glm::vec3(0.0f, 1.0f, 0.0f)));
        const float aspect = static_cast<float>(contextWidth()) / static_cast<float>(contextHeight());
        const glm::mat4 projection = glm::perspective(glm::radians(60.0f), aspect, 0.1f, 500.0f);
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        logic->renderScene(false, camera, projection, 0.016);
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint count = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
        glDeleteQueries(1, &query);
        return count;
    }

    RenderOptions options;
    std::unique_ptr<RenderLogic> logic;
};

TEST_F(OpenDoorsDrawn, SwitchOpensItsDoorWhileASphereIsOnItAndTheDoorBlocksAgainAfterwards) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize);
    addPad({{"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);

    push(second, kForward, 90);
    EXPECT_LT(second->getGlobalPose().p.z, kBlockedBefore);
    const GLuint closedTriangles = sceneTriangles();

    ASSERT_TRUE(pushUntil(main, kForward, [&] { return gate->isOpen; }));
    EXPECT_FALSE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles - 2 * 12);
    push(second, kForward, 90);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
    EXPECT_TRUE(gate->isOpen) << "the main sphere rests on the switch";

    ASSERT_TRUE(pushUntil(main, -kForward, [&] { return !gate->isOpen; }));
    EXPECT_TRUE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles);
    push(second, -kForward, 90);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
}

TEST_F(OpenDoorsDrawn, SteadyDoorStaysOpenAfterTheSphereLeaves) {
    scene::Door* gate = addDoor("Gate", kGateCenter, kGateSize, true);
    addPad({{"open", {"Gate"}}});
    physics::RigidDynamic* main = addSphere(MainActorType, kMainStart, 0.5f);
    physics::RigidDynamic* second = addSphere(SecondActorType, kSecondStart, 1.0f);
    const GLuint closedTriangles = sceneTriangles();

    moveTo(main, kPadCenter + glm::vec3(0, 0.25f, 0));
    moveTo(main, kMainStart);
    EXPECT_TRUE(gate->isOpen);
    EXPECT_FALSE(colliding(gate));
    EXPECT_EQ(sceneTriangles(), closedTriangles - 2 * 12);
    push(second, kForward, 150);
    EXPECT_GT(second->getGlobalPose().p.z, kBlockedAfter);
}

}  // namespace velmora::test

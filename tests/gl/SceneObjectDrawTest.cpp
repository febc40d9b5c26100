#include <gtest/gtest.h>

#include <functional>

#include <glm/gtc/matrix_transform.hpp>

#include "level/MeshData.h"
#include "render/ShaderProgram.h"
#include "tests/gl/WorldFixture.h"
#include "sim/Door.h"
#include "tests/gl/UploadedObject.h"

namespace velmora::test {

namespace {

// Triangles that reached the rasteriser while the callable ran.
GLuint trianglesDrawnBy(const std::function<void()>& draw) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint count = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
    glDeleteQueries(1, &query);
    return count;
}

GLint bufferSize(GLuint buffer) {
    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return size;
}

float uniformFloat(const ShaderProgram* program, const char* name) {
    float value = -1.0f;
    glGetUniformfv(program->program, program->uniformLocation(name), &value);
    return value;
}

}  // namespace

using SceneObjectDraw = WorldFixture;

TEST_F(SceneObjectDraw, UploadPutsTheMeshIntoSeparateBuffers) {
    const DrawNode& box = drawNodeOf(*makeBox("box", glm::vec3(0), glm::vec3(1)));
    EXPECT_TRUE(box.isInitialised);
    EXPECT_NE(box.vertexArray, 0u);
    EXPECT_NE(box.shadowVertexArray, 0u);
    EXPECT_NE(box.vertexArray, box.shadowVertexArray);
    EXPECT_EQ(bufferSize(box.positionBuffer), 24 * 12);
    EXPECT_EQ(bufferSize(box.normalBuffer), 24 * 12);
    EXPECT_EQ(bufferSize(box.indexBuffer), 12 * 12);
    EXPECT_EQ(box.texCoordBuffer, 0u);  // the cube has no texture coordinates
}

TEST_F(SceneObjectDraw, MeshWithoutNormalsOrUvsDrawsUntextured) {
    scene::SceneObject object(glm::mat4(1.0f));
    object.mesh = new MeshData();
    object.mesh->positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    object.mesh->indices = {0, 1, 2};
    object.mesh->vertexCount = 3;
    object.mesh->faceCount = 1;
    object.hasMesh = true;
    DrawNode& node = uploadForDrawing(object, logic->textureProgram, logic->shadowProgram);
    node.isTextured = true;
    *node.textureName = 12345;  // never a live texture: binding it would be an error
    ASSERT_TRUE(node.isInitialised);
    EXPECT_EQ(node.normalBuffer, 0u);
    EXPECT_EQ(node.texCoordBuffer, 0u);

    GLuint sentinel = 0;
    glGenTextures(1, &sentinel);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sentinel);
    glUseProgram(logic->textureProgram->program);
    // Two sampler types may not share a unit: the shadow cube lives on unit 2.
    glUniform1i(logic->textureProgram->uniformLocation("cm_z_tex"), 2);
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(trianglesDrawnBy([&] { node.draw(false, true); }), 1u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), sentinel);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &sentinel);
}

TEST_F(SceneObjectDraw, OpacityIsTheMaterialsOnlyWhenAskedFor) {
    const DrawNode& glass = drawNodeOf(*makeBox("glass", glm::vec3(0), glm::vec3(1), 0.3f));
    glUseProgram(logic->phongProgram->program);
    glass.draw(false, true);
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "opacity"), 0.3f);
    glass.draw(false, false);
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "opacity"), 1.0f);
}

TEST_F(SceneObjectDraw, OpenDoorIsDrawnInNeitherPassAndReturnsWhenClosed) {
    auto door = std::make_unique<scene::Door>(glm::mat4(1.0f));
    uploadForDrawing(*door, logic->phongProgram, logic->shadowProgram);
    door->actor = physics::createStatic(*simulation().physics(), physics::Transform(glm::vec3(0, 0, -5)),
                                        physics::Geometry::box(glm::vec3(0.5f)), *material);
    world().root->addChild(door.get());
    const glm::mat4 camera = cameraAt(glm::vec3(0, 0, 0), glm::vec3(0, 0, -5));
    logic->shadowFaceMatrices.fill(projection() * glm::inverse(camera));  // the light sees it too
    const auto shadowCall = [&] { logic->renderScene(true, camera, projection(), 0.0); };
    const auto sceneCall = [&] { logic->renderScene(false, camera, projection(), 0.0); };

    // The scene pass draws it twice: its depth, then shaded.
    EXPECT_EQ(trianglesDrawnBy(shadowCall), 12u);
    EXPECT_EQ(trianglesDrawnBy(sceneCall), 24u);
    door->open();
    EXPECT_EQ(trianglesDrawnBy(shadowCall), 0u);
    EXPECT_EQ(trianglesDrawnBy(sceneCall), 0u);
    door->close();
    EXPECT_EQ(trianglesDrawnBy(shadowCall), 12u);
    EXPECT_EQ(trianglesDrawnBy(sceneCall), 24u);
    objects.push_back(std::move(door));
}

}  // namespace velmora::test

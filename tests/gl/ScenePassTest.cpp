#include <gtest/gtest.h>

#include <fstream>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include "level/MeshData.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "tests/gl/WorldFixture.h"
#include "world/DrawNode.h"
#include "tests/gl/UploadedObject.h"

namespace velmora::test {

namespace {

glm::mat4 uniformMatrix(const ShaderProgram* program, const char* name) {
    glm::mat4 value(0.0f);
    glGetUniformfv(program->program, program->uniformLocation(name), &value[0][0]);
    return value;
}

float uniformFloat(const ShaderProgram* program, const char* name) {
    float value = -1.0f;
    glGetUniformfv(program->program, program->uniformLocation(name), &value);
    return value;
}

GLint boundOnUnit(GLenum unit, GLenum binding) {
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glActiveTexture(unit);
    GLint name = 0;
    glGetIntegerv(binding, &name);
    glActiveTexture(static_cast<GLenum>(active));
    return name;
}

// A particle burst that notes when it is updated, drawn and destroyed.
class LoggingParticles : public ParticleSystem {
public:
    LoggingParticles(std::vector<std::string>* log, const std::string& name)
        : log_(log), name_(name) {}
    ~LoggingParticles() override { log_->push_back(name_ + " destroyed"); }
    void update(double) override { log_->push_back(name_ + " update"); }
    void draw(const glm::mat4&, const glm::vec3& cameraPosition) override {
        log_->push_back(name_ + " draw");
        lastCameraPosition = cameraPosition;
    }
    glm::vec3 lastCameraPosition{0.0f};

private:
    std::vector<std::string>* log_;
    std::string name_;
};

}  // namespace

class ScenePass : public WorldFixture {
protected:
    void scene() { logic->renderScene(false, camera, projection(), 0.0); }
    void shadow() { logic->renderScene(true, camera, projection(), 0.0); }
    // Every shadow face culls against its own frustum; these tests give all
    // six the camera's, so what they put in front of the camera is drawn.
    void lightSeesWhatTheCameraSees() {
        logic->shadowFaceMatrices.fill(projection() * glm::inverse(camera));
    }

    // At (0, 2, 10), looking at the origin.
    glm::mat4 camera = cameraAt(glm::vec3(0, 2, 10), glm::vec3(0));
};

TEST_F(ScenePass, FirstShadowCallIsFaceZeroAndFacesCycleOnlyWithShadowCalls) {
    addBox("box", glm::vec3(0), glm::vec3(1));
    for (int call = 0; call < 8; ++call) {
        shadow();
        const int face = call % 6;
        EXPECT_EQ(logic->shadowFaceIndex, face);
        EXPECT_EQ(uniformMatrix(logic->shadowProgram, "transformationMatrix"),
                  logic->shadowFaceMatrices[face]);
    }
    // While shadows are off only scene calls come, and the face stands still.
    scene();
    scene();
    EXPECT_EQ(logic->shadowFaceIndex, 1);
}

TEST_F(ScenePass, DrawnObjectCountCountsShapes) {
    LoggingCube* box = addBox("box", glm::vec3(0), glm::vec3(1));
    box->actor->createShape(physics::Geometry::box(glm::vec3(0.5f)), *material,
                            physics::Transform(glm::vec3(2, 0, 0)));
    box->actor->createShape(physics::Geometry::box(glm::vec3(0.5f)), *material,
                            physics::Transform(glm::vec3(-2, 0, 0)));
    // A twin at the actor's own pose, as level objects and the second sphere
    // carry: counted, but the same triangles are not drawn again.
    box->actor->createShape(physics::Geometry::box(glm::vec3(0.5f)), *material);
    addBox("other", glm::vec3(0, 0, -3), glm::vec3(1));
    scene();
    EXPECT_EQ(logic->drawnObjectCount, 5);
    EXPECT_EQ(drawLog, (std::vector<std::string>{"box", "box", "box", "other"}));
    // Reset at every scene pass, untouched by shadow calls.
    scene();
    lightSeesWhatTheCameraSees();
    drawLog.clear();
    shadow();
    EXPECT_EQ(logic->drawnObjectCount, 5);
    EXPECT_EQ(drawLog, (std::vector<std::string>{"box", "box", "box", "other"}));
}

TEST_F(ScenePass, CullingSkipsShapesOutsideTheViewAndEveryShadowFaceCullsToItsOwn) {
    addBox("ahead", glm::vec3(0), glm::vec3(1));
    addBox("behind", glm::vec3(0, 2, 20), glm::vec3(1));
    addBox("beyondFar", glm::vec3(0, 0, -600), glm::vec3(10));
    addBox("crossing", glm::vec3(0, 2, 10), glm::vec3(4));  // the camera sits inside it
    scene();
    EXPECT_EQ(logic->drawnObjectCount, 2);
    EXPECT_EQ(drawLog, (std::vector<std::string>{"ahead", "crossing"}));

    // Face 0 of the light at (0, 20, -25) looks along +x: none of them is there.
    drawLog.clear();
    shadow();
    EXPECT_TRUE(drawLog.empty());
    lightSeesWhatTheCameraSees();
    drawLog.clear();
    shadow();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"ahead", "crossing"}));

    // The option is the player's view of the scene pass; the shadow faces
    // cull whatever it says, since a shape outside a face leaves no depth there.
    logic->frustumCullingEnabled = false;
    scene();
    EXPECT_EQ(logic->drawnObjectCount, 4);
    drawLog.clear();
    shadow();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"ahead", "crossing"}));
}

TEST_F(ScenePass, TransparentObjectsComeLastAfterTheParticlesAndNeitherCastsAShadow) {
    addBox("wall", glm::vec3(0), glm::vec3(1));
    LoggingCube* glass = addBox("glass", glm::vec3(0, 0, -2), glm::vec3(1), 0.5f);
    addBox("sticker", glm::vec3(0, 0, -2.6f), glm::vec3(0.2f), 1.0f, glass);
    addBox("nearGlass", glm::vec3(0, 0, 3), glm::vec3(1), 0.999f);
    addBox("clear", glm::vec3(1, 0, 0), glm::vec3(1), 0.0f);
    logic->particleSystems.push_back(new LoggingParticles(&drawLog, "burst"));

    lightSeesWhatTheCameraSees();
    shadow();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"wall", "sticker"}));

    drawLog.clear();
    scene();
    // List order, not distance: the nearer glass still comes after the farther.
    EXPECT_EQ(drawLog, (std::vector<std::string>{"wall", "sticker", "burst update", "burst draw",
                                                 "glass", "sticker", "nearGlass", "clear"}));
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "opacity"), 0.0f);
}

TEST_F(ScenePass, WithTransparencyOffTransparentObjectsAreDrawnInPlaceAndOpaque) {
    addBox("wall", glm::vec3(0), glm::vec3(1));
    LoggingCube* glass = addBox("glass", glm::vec3(0, 0, -2), glm::vec3(1), 0.5f);
    addBox("sticker", glm::vec3(0, 0, -2.6f), glm::vec3(0.2f), 1.0f, glass);
    options.transparencyEnabled = false;

    lightSeesWhatTheCameraSees();
    shadow();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"wall", "glass", "sticker"}));
    drawLog.clear();
    scene();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"wall", "glass", "sticker"}));
    // Drawn as if opaque: with the sticker gone the glass is drawn last.
    glass->children.clear();
    scene();
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "opacity"), 1.0f);
}

TEST_F(ScenePass, ParticlesAgeOncePerFrameInTheScenePassAndLeaveAfterTwentyFiveSeconds) {
    auto* old = new LoggingParticles(&drawLog, "old");
    auto* young = new LoggingParticles(&drawLog, "young");
    old->age = 24.9f;
    logic->particleSystems = {old, young};
    // The six shadow calls of a frame leave them alone.
    for (int face = 0; face < 6; ++face) logic->renderScene(true, camera, projection(), 0.2);
    EXPECT_TRUE(drawLog.empty());
    logic->currentProgram = logic->phongProgram;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    logic->renderScene(false, camera, projection(), 0.2);
    // The old burst is drawn one last time, removed, and the walk goes on.
    EXPECT_EQ(drawLog, (std::vector<std::string>{"old update", "old draw", "old destroyed",
                                                 "young update", "young draw"}));
    ASSERT_EQ(logic->particleSystems.size(), 1u);
    EXPECT_EQ(logic->particleSystems.front(), young);
    EXPECT_FLOAT_EQ(young->age, 1.2f);
    EXPECT_EQ(logic->currentProgram, nullptr);
    EXPECT_EQ(young->lastCameraPosition, glm::vec3(0, 2, 10));
    scene();
    EXPECT_FLOAT_EQ(young->age, 1.2f);  // dt 0 in scene()
    delete young;
    logic->particleSystems.clear();
}

TEST_F(ScenePass, EveryPassSetsItsProgramsUniformsTheDepthWalksAmongThem) {
    addBox("a", glm::vec3(0), glm::vec3(1));
    addBox("b", glm::vec3(1, 0, 0), glm::vec3(1));
    scene();
    const glm::mat4 viewProjection = projection() * glm::inverse(camera);
    EXPECT_EQ(uniformMatrix(logic->phongProgram, "VP"), viewProjection);
    // The depth laid down first is seen from the same place, or the shaded
    // walk finds no pixel where its surface is nearest.
    EXPECT_EQ(uniformMatrix(logic->depthProgram, "VP"), viewProjection);
    EXPECT_EQ(logic->currentProgram, logic->phongProgram);

    // The next pass sets them again: the depth walk made another program
    // current in between.
    glUseProgram(logic->phongProgram->program);
    const glm::mat4 marker(2.0f);
    glUniformMatrix4fv(logic->phongProgram->uniformLocation("VP"), 1, GL_FALSE, &marker[0][0]);
    glUseProgram(logic->depthProgram->program);
    glUniformMatrix4fv(logic->depthProgram->uniformLocation("VP"), 1, GL_FALSE, &marker[0][0]);
    scene();
    EXPECT_EQ(uniformMatrix(logic->phongProgram, "VP"), viewProjection);
    EXPECT_EQ(uniformMatrix(logic->depthProgram, "VP"), viewProjection);

    // Cleared by whoever used another program: everything is set again.
    logic->currentProgram = nullptr;
    scene();
    EXPECT_EQ(uniformMatrix(logic->phongProgram, "VP"), viewProjection);
    EXPECT_EQ(uniformMatrix(logic->phongProgram, "Camera"), camera);
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "materialSpecFactor"), 128.0f);
}

TEST_F(ScenePass, ShadowCubeGoesToUnitTwoOnlyForProgramsThatSampleIt) {
    GLuint cubes[2];
    glGenTextures(2, cubes);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubes[1]);
    glActiveTexture(GL_TEXTURE0);
    logic->shadowCubeTexture = cubes[0];

    // A program drawing plain colour, without the cube sampler.
    const std::string fragment = testing::TempDir() + "/flat.frag";
    std::ofstream(fragment) << "#version 150\nout vec4 colorRender;\n"
                               "void main() { colorRender = vec4(1.0); }\n";
    ShaderProgram flat("Shader/basic.vert", fragment);
    LoggingCube* plain = addBox("plain", glm::vec3(0), glm::vec3(1));
    drawNodeOf(*plain).objectProgram = &flat;
    scene();
    EXPECT_EQ(boundOnUnit(GL_TEXTURE2, GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(cubes[1]));

    drawNodeOf(*plain).objectProgram = logic->phongProgram;
    scene();
    EXPECT_EQ(boundOnUnit(GL_TEXTURE2, GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(cubes[0]));
    GLint unit = -1;
    glGetUniformiv(logic->phongProgram->program, logic->phongProgram->uniformLocation("cm_z_tex"),
                   &unit);
    EXPECT_EQ(unit, 2);
    logic->currentProgram = nullptr;
    glDeleteTextures(2, cubes);
}

TEST_F(ScenePass, WireframeIsBackToFilledAfterEveryCall) {
    addBox("box", glm::vec3(0), glm::vec3(1));
    logic->wireframeEnabled = true;
    for (bool shadowPass : {true, false}) {
        logic->renderScene(shadowPass, camera, projection(), 0.0);
        GLint modes[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], GL_FILL);
    }
}

TEST_F(ScenePass, ModelMatrixIsShapePoseTimesTransformTimesLocal) {
    LoggingCube* box = addBox("box", glm::vec3(0), glm::vec3(1));
    const glm::quat turn = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 1, 0));
    box->actor->setGlobalPose(physics::Transform(glm::vec3(1, 0.5f, -1), turn));
    box->transformMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0.25f, 0));
    box->localMatrix = glm::scale(glm::mat4(1.0f), glm::vec3(1, 2, 3));
    drawNodeOf(*box).specFactor = 0.75f;
    scene();
    const glm::mat4 pose = glm::translate(glm::mat4(1.0f), glm::vec3(1, 0.5f, -1)) * glm::mat4_cast(turn);
    const glm::mat4 expected = pose * box->transformMatrix * box->localMatrix;
    const glm::mat4 model = uniformMatrix(logic->phongProgram, "modelMatrix");
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_NEAR(model[column][row], expected[column][row], 1e-5f);
        }
    }
    EXPECT_FLOAT_EQ(uniformFloat(logic->phongProgram, "specFactor"), 0.75f);
}

TEST_F(ScenePass, MipmapModeSetsTheFilterOfTheObjectsOwnTexture) {
    auto quad = std::make_unique<scene::SceneObject>(glm::mat4(1.0f));
    quad->mesh = new MeshData();
    quad->mesh->positions = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    quad->mesh->normals = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    quad->mesh->texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
    quad->mesh->indices = {0, 1, 2, 0, 2, 3};
    quad->mesh->vertexCount = 4;
    quad->mesh->faceCount = 2;
    quad->hasMesh = true;
    uploadForDrawing(*quad, logic->textureProgram, logic->shadowProgram);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glGenerateMipmap(GL_TEXTURE_2D);
    *drawNodeOf(*quad).textureName = texture;
    drawNodeOf(*quad).isTextured = true;
    quad->actor = physics::createStatic(*simulation().physics(), physics::Transform(glm::vec3(0)),
                                        physics::Geometry::box(glm::vec3(1, 1, 0.01f)), *material);
    world().root->addChild(quad.get());

    const GLint expected[3][2] = {{GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR},
                                  {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST},
                                  {GL_NEAREST, GL_NEAREST}};
    for (int mode : {1, 2, 0}) {
        logic->mipmapMode = mode;
        scene();
        GLint minification = 0, magnification = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minification);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magnification);
        EXPECT_EQ(minification, expected[mode][0]) << mode;
        EXPECT_EQ(magnification, expected[mode][1]) << mode;
    }
    objects.push_back(std::move(quad));
    glDeleteTextures(1, &texture);
}

TEST_F(ScenePass, ObjectWithoutAnActorDrawsNothingButItsChildrenDo) {
    LoggingCube* orphan = addBox("orphan", glm::vec3(0), glm::vec3(1));
    orphan->actor = nullptr;  // its collision could not be built
    addBox("child", glm::vec3(0, 1, 0), glm::vec3(1), 1.0f, orphan);
    scene();
    lightSeesWhatTheCameraSees();
    shadow();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"child", "child"}));
    EXPECT_EQ(logic->drawnObjectCount, 1);
}

TEST_F(ScenePass, GroupingObjectsDrawNothingButTheirChildrenDo) {
    scene::SceneObject group(glm::mat4(1.0f));
    group.isGroup = true;
    world().root->addChild(&group);
    addBox("inner", glm::vec3(0), glm::vec3(1), 1.0f, &group);
    scene();
    EXPECT_EQ(drawLog, (std::vector<std::string>{"inner"}));
    EXPECT_EQ(logic->drawnObjectCount, 1);
    world().root->children.clear();
    group.children.clear();  // the fixture owns the box
}

}  // namespace velmora::test

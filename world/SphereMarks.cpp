#include "world/SphereMarks.h"

#include <GL/glew.h>

#include <utility>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "level/MeshData.h"
#include "level/TileFile.h"
#include "render/ShaderProgram.h"
#include "sim/Cube.h"
#include "world/DrawNode.h"
#include "sim/PlayerSpheres.h"
#include "world/ScenePrograms.h"
#include "sim/Simulation.h"
#include "sim/SolidSphere.h"

namespace velmora {

namespace {
const glm::vec3 kReachColour(0.35f, 0.75f, 1.0f);
const glm::vec3 kLinkColour(0.5f, 0.9f, 1.0f);
const glm::vec3 kOutlineColour(1.0f, 0.85f, 0.2f);
// The disc is the sphere model pressed flat: seen from above, only its upper
// half is drawn, at the opacity its two halves had laid over each other
// (1 - 0.7 * 0.7), for half the pixels.
constexpr float kReachOpacity = 0.51f;
constexpr float kReachGlow = 1.2f;  // enough to stand out on any floor
constexpr float kLinkThickness = 0.07f;
constexpr float kDiscLift = 0.03f;  // above the floor the second sphere rests on

void setUniform(const ShaderProgram& program, const char* name, float value) {
    const GLint location = glGetUniformLocation(program.program, name);
    if (location != -1) glUniform1f(location, value);
}
}  // namespace

SphereMarks::SphereMarks(ScenePrograms& programs) : programs_(programs) {
    const auto mark = [&programs](std::unique_ptr<MeshData> mesh) {
        auto node = std::make_unique<DrawNode>(std::move(mesh));
        node->objectProgram = programs.mark;
        node->objectShadowProgram = programs.shadow;
        if (node->mesh() != nullptr) node->upload();
        return node;
    };
    sphereMark_ = mark(loadModel(spheres::kModelFile));
    scene::Cube cube;
    cube.createDefaultMesh();
    linkMark_ = mark(std::unique_ptr<MeshData>(std::exchange(cube.mesh, nullptr)));
}

SphereMarks::~SphereMarks() = default;

void SphereMarks::drawMark(DrawNode& mark, const glm::mat4& model, glm::vec3 colour, float glow,
                           float opacity) {
    if (!mark.isInitialised) return;
    const ShaderProgram& program = *programs_.mark;
    glUniformMatrix4fv(glGetUniformLocation(program.program, "modelMatrix"), 1, GL_FALSE,
                       glm::value_ptr(model));
    mark.ownMesh()->opacity = opacity;
    glUniform3fv(glGetUniformLocation(program.program, "tint"), 1, glm::value_ptr(colour));
    setUniform(program, "glow", glow);
    glUniform3fv(glGetUniformLocation(program.program, "defaultMaterialColor"), 1,
                 glm::value_ptr(mark.plainColour));
    mark.draw(false, true);
}

void SphereMarks::draw(const Simulation& simulation, float drawAlpha, const SceneUniforms& uniforms) {
    if (simulation.sphere(MainActorType) == nullptr) return;
    const glm::vec3 main = simulation.spherePosition(MainActorType, drawAlpha);
    programs_.useForScene(programs_.mark, uniforms);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (simulation.sphere(SecondActorType) != nullptr && simulation.coupled() && !simulation.won()) {
        const glm::vec3 second = simulation.spherePosition(SecondActorType, drawAlpha);
        const float secondRadius = 0.5f * spheres::kSecondScale;
        // The disc the main sphere's centre must reach for the magnet to hold.
        const glm::vec3 discCentre = second - glm::vec3(0.0f, secondRadius - kDiscLift, 0.0f);
        const float discScale = 2.0f * spheres::kMagnetReach;  // the model's radius is 0.5
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        drawMark(*sphereMark_,
                 glm::scale(glm::translate(glm::mat4(1.0f), discCentre), glm::vec3(discScale, 0.01f, discScale)),
                 kReachColour, kReachGlow, kReachOpacity);
        glDisable(GL_CULL_FACE);
        const glm::vec3 between = second - main;
        const float distance = glm::length(between);
        const float gap = distance - 0.5f * spheres::kMainScale - secondRadius;
        if (distance <= spheres::kMagnetReach && gap > 0.0f) {
            // Surface to surface along the line between the centres.
            const glm::vec3 along = between / distance;
            const glm::vec3 middle = main + along * (0.5f * spheres::kMainScale + 0.5f * gap);
            const glm::quat turn = glm::quat(glm::vec3(0.0f, 0.0f, 1.0f), along);
            const glm::mat4 model = glm::translate(glm::mat4(1.0f), middle) * glm::mat4_cast(turn) *
                                    glm::scale(glm::mat4(1.0f), glm::vec3(kLinkThickness, kLinkThickness, gap));
            drawMark(*linkMark_, model, kLinkColour, 0.9f, 0.85f);
        }
    }
    // Only where something nearer already stands: the sphere's own visible
    // pixels are at its depth and, pulled a little nearer, fail the test.
    glDepthFunc(GL_GREATER);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-2.0f, -64.0f);
    // Its far side lies behind its own near side: only the near side counts.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    setUniform(*programs_.mark, "outline", 1.0f);
    // Drawn with the sphere's own pose, turn included, so its facets lie on
    // the drawn sphere's.
    const physics::Transform pose = simulation.drawnPose(*simulation.sphere(MainActorType), drawAlpha);
    drawMark(*sphereMark_, pose.toMatrix() * glm::scale(glm::mat4(1.0f), glm::vec3(spheres::kMainScale)),
             kOutlineColour, 0.0f, 1.0f);
    setUniform(*programs_.mark, "outline", 0.0f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
}

}  // namespace velmora

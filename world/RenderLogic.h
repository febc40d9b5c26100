#pragma once
// The one world object: physics, the scene renderer's programs and state, the
// option fields the keys switch, and whether the game still runs. The physics
// scene reports trigger touches to it.

#include <GL/glew.h>

#include <array>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "physics/Physics.h"
#include "render/Frustum.h"
#include "world/ShadowFaceCache.h"
#include "world/ActorType.h"

namespace velmora {

class ObjectRegistry;
class ParticleSystem;
class ShaderProgram;
struct PhysicsSetup;
struct PlayerActor;
struct World;
namespace scene {
class SceneObject;
}

class RenderLogic : public physics::SimulationEventCallback {
public:
    // Builds the programs and shadow matrices, the physics, the level and the
    // spheres. The object registry must exist first.
    RenderLogic();
    RenderLogic(const RenderLogic&) = delete;
    RenderLogic& operator=(const RenderLogic&) = delete;
    // Releases the physics scene, then the physics. The registry, its worlds
    // and their objects stay.
    ~RenderLogic() override;

    // Trigger touches of the last step, delivered inside fetchResults.
    void onTrigger(physics::TriggerPair* pairs, uint32_t count) override;

    // The goal was reached: the frame loop stops the game update.
    void winGame();
    // A hazard was touched: the spheres go back near the start and stop
    // there. The text is the hazard's annotation and changes nothing.
    void resetGame(std::string text);
    // A new run, also after the goal: both spheres at rest at their start,
    // every door closed with its holds cleared (steady doors too), the live
    // bursts released, the coupling as at start-up, and the game running.
    void restartRun();

    // The movement keys' push on the main sphere; f is scaled to newtons and
    // acts during the next physics step.
    void pushMainSphere(glm::vec3 f);
    // Once per input frame: pulls the second sphere towards the main one when
    // coupled and close, pushes it away when uncoupled and close. The first
    // pull after a push (or at the start) sets off a particle burst.
    void updateSecondSphere();
    // Moves both spheres; they keep the velocities they had.
    void placeSpheres(glm::vec3 mainPosition, glm::vec3 secondPosition);
    // Zero linear and angular velocity for both spheres.
    void stopSpheres();

    // Draws the main world into whatever framebuffer the caller bound. With
    // shadowPass set it draws the next of the six shadow cube faces (0 first,
    // then 1..5, round again); otherwise the scene seen by the camera, with
    // culling, particles and the transparent objects last. cameraMatrix is the
    // camera-to-world transform.
    void renderScene(bool shadowPass, glm::mat4 cameraMatrix, glm::mat4 projectionMatrix, double dt);

    // Asked by the frame loop about shadow face `face` (0..5) before the
    // shadow call for it; drawn says whether that call follows. Plans the
    // call from what the face would get compared with last frame (objects,
    // poses, visibility, options; see ShadowFaceCache) and says whether the
    // face must be cleared first. Shadow calls without the question always
    // draw everything (particles advance in every call either way).
    bool shadowFaceNeedsClear(int face, bool drawn);

    physics::Physics* physics = nullptr;
    ObjectRegistry* registry;
    std::list<ParticleSystem*> particleSystems;  // live bursts, oldest first
    ShaderProgram* phongProgram = nullptr;
    ShaderProgram* textureProgram = nullptr;
    ShaderProgram* shadowProgram = nullptr;
    ShaderProgram* particleUpdateProgram = nullptr;
    ShaderProgram* particleDrawProgram = nullptr;
    // The program whose per-program uniforms were set last. Whoever makes
    // another program current outside renderScene clears it.
    ShaderProgram* currentProgram = nullptr;
    bool spheresCoupled = true;
    // A pull may set off a burst only while armed; every push re-arms it.
    bool particleArmed = true;
    bool gameRunning = true;
    bool frustumCullingEnabled = true;
    bool wireframeEnabled = false;
    int mipmapMode = 0;  // 0 trilinear, 1 nearest mipmap, 2 nearest without mipmaps
    FrustumPlanes frustumPlanes{};
    glm::vec4 lightPosition{0.0f, 20.0f, -25.0f, 1.0f};
    glm::vec2 shadowNearFar{1.0f, 65.0f};
    std::array<glm::mat4, 6> shadowFaceMatrices;
    int shadowFaceIndex = -1;
    int drawnObjectCount = 0;  // shapes drawn in the current or last scene pass
    // The depth cube map the scene pass samples; the shell creates it after
    // this object and sets it here.
    GLuint shadowCubeTexture = 0;

    // Handed to the level, which copies them into every trigger.
    std::function<void()> winCallback;
    std::function<void(std::string)> resetCallback;

private:
    // A pose of an object already drawn in this traversal, and where.
    struct DrawnPose {
        physics::Transform pose;
        unsigned faces = 0;
    };
    static constexpr unsigned kAllShadowFaces = 0x3f;

    // What one renderScene call draws with, fixed for the whole call.
    struct Pass {
        bool shadow = false;
        bool transparency = true;
        GLuint shadowCube = 0;
        glm::mat4 camera{1.0f};
        glm::mat4 view{1.0f};
        glm::mat4 viewProjection{1.0f};
        // The shadow traversal: the faces it lists (one bit each), their
        // frustums and what it listed for each.
        unsigned shadowFaces = 0;
        std::array<FrustumPlanes, 6> shadowFacePlanes{};
        std::array<std::vector<ShadowDraw>, 6> shadowDraws;
        // The list is kept to compare with next frame's: each object's update
        // then gives its visibility now, not only when it is drawn.
        bool askVisibility = false;
    };


    void setUpPrograms();
    void initPhysics();
    // The three tiles below the main world's root, timed.
    void importLevel(const PhysicsSetup& setup);

    void renderObject(scene::SceneObject* object, bool transparentPass);
    // Draws the object's mesh with the shape's pose unless culled or already
    // drawn with the same pose (drawnPoses, per object and traversal).
    void renderShape(physics::Shape* shape, scene::SceneObject* object,
                     std::vector<DrawnPose>& drawnPoses);
    // The shadow traversal for the given faces (one bit each): lists their
    // draws in pass_.shadowDraws, touches no GL. Returns the faces.
    unsigned collectShadowDraws(unsigned faces, bool askVisibility);
    // One shadow call's drawing, as planned when the loop asked about the face.
    void renderShadowFace();
    void drawShadowFace(const std::vector<ShadowDraw>& draws);
    void useSceneProgram(ShaderProgram* program);
    void useShadowProgram();
    void applyTextureFilter(const scene::SceneObject* object) const;
    void advanceParticles(double dt);

    void createMainSphere(const std::string& actorName, glm::vec3 start, float scale);
    void createSecondSphere(const std::string& actorName, glm::vec3 start, float scale);
    // Builds one sphere's body and object; extraShape adds the larger,
    // non-colliding sphere the second sphere carries.
    void createSphere(scene::SceneObject* object, const std::string& actorName, glm::vec3 start,
                      float scale, const std::string& textureFile, bool extraShape, ActorType type);
    void registerPlayerActor(PlayerActor* entry, World& world, ActorType type);
    void spawnParticleBurst(glm::vec3 origin);

    Pass pass_;
    ShadowFaceCache shadowFaceCache_;
    unsigned listedShadowFaces_ = 0;  // faces whose listing in pass_ is still unasked
};

}  // namespace velmora

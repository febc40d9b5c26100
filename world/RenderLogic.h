#pragma once
// The one world object the frame loop draws through: the simulation it reads,
// the scene renderer's programs and state, the live particle bursts and the
// option fields the keys switch.

#include <GL/glew.h>

#include <array>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "level/LevelCheck.h"
#include "level/LevelTextures.h"
#include "physics/Physics.h"
#include "render/Frustum.h"
#include "world/ShadowFaceCache.h"
#include "world/StateLooks.h"
#include "world/ActorType.h"
#include "world/Simulation.h"

namespace velmora {

class ObjectRegistry;
class ParticleSystem;
class SkyBackdrop;
class ShaderProgram;
struct PhysicsSetup;
struct PlayerActor;
struct World;
namespace scene {
class SceneObject;
}

class RenderLogic {
public:
    // Builds the programs and shadow matrices, then the simulation of the
    // shipped level (or of the given tiles) in the registry's main world, and
    // dresses its objects for drawing. The object registry must exist first.
    RenderLogic();
    explicit RenderLogic(const std::vector<LevelTile>& tiles,
                         const LevelPlaces& places = LevelPlaces{});
    RenderLogic(const RenderLogic&) = delete;
    RenderLogic& operator=(const RenderLogic&) = delete;
    // Releases the bursts, then the simulation's physics. The registry, its
    // worlds and their objects stay.
    ~RenderLogic();

    // The game's rules and motion; the renderer only reads it.
    Simulation& simulation() { return *simulation_; }
    const Simulation& simulation() const { return *simulation_; }
    bool gameRunning() const;
    bool spheresCoupled() const;

    // A new run, also after the goal: the simulation rebuilt as at start-up
    // and the live bursts released.
    void restartRun();
    // What the simulation reported: bursts become particle systems; then the
    // switches and doors are shown as the steps left them (StateLooks).
    void showEvents(const std::vector<SimulationEvent>& events);

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

    ObjectRegistry* registry;
    std::list<ParticleSystem*> particleSystems;  // live bursts, oldest first
    GLuint particleSprite = 0;  // what every burst draws, loaded with the level (0: none)
    ShaderProgram* phongProgram = nullptr;
    ShaderProgram* textureProgram = nullptr;
    ShaderProgram* shadowProgram = nullptr;
    ShaderProgram* particleUpdateProgram = nullptr;
    ShaderProgram* particleDrawProgram = nullptr;
    // The program whose per-program uniforms were set last. Whoever makes
    // another program current outside renderScene clears it.
    ShaderProgram* currentProgram = nullptr;
    // Where the drawn poses of moving bodies lie between the simulation's
    // last two steps (0 the one before, 1 the last); set by the frame loop.
    float drawAlpha = 1.0f;
    // Where the best run's ghost is drawn this frame: a see-through main
    // sphere in the blended pass, casting no shadow; none when empty.
    std::optional<glm::vec3> ghostPosition;
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
    // What the destructor releases, also after a failed construction.
    void release();
    // Gives every object the simulation built its programs, texture and GPU
    // buffers; the spheres get their model.
    void dressForDrawing(scene::SceneObject* object, TextureCache& textures);

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
    // Ages the live bursts by dt and draws them; the scene pass calls it, so
    // they age once per frame whatever the number of shadow passes.
    void advanceParticles(double dt);
    void drawGhost();
    void createGhost();
    // The magnet's reach round the second sphere and its link to the main
    // one while coupled, and the main sphere's outline wherever something
    // hides it (RenderLogicMarks.cpp).
    void createMarks();
    void drawMarks();
    void drawMark(scene::SceneObject& mark, const glm::mat4& model, glm::vec3 colour, float glow,
                  float opacity);
    static constexpr float kGhostOpacity = 0.35f;
    void spawnParticleBurst(glm::vec3 origin);

    std::unique_ptr<Simulation> simulation_;
    std::unique_ptr<scene::SceneObject> ghost_;
    std::unique_ptr<SkyBackdrop> backdrop_;  // behind a level; scenery built by tests has none
    std::unique_ptr<scene::SceneObject> sphereMark_;  // the sphere model, untextured
    std::unique_ptr<scene::SceneObject> linkMark_;    // a unit cube
    Pass pass_;
    ShadowFaceCache shadowFaceCache_;
    StateLooks looks_;
    unsigned listedShadowFaces_ = 0;  // faces whose listing in pass_ is still unasked
};

}  // namespace velmora

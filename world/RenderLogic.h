#pragma once
// The one world object the frame loop draws through: the scene renderer's
// programs and state, the live particle bursts and the option fields the keys
// switch. It reads the game's simulation and never changes it: the game owns
// and steps it.

#include <GL/glew.h>

#include <array>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "world/LevelTextures.h"
#include "level/LevelTile.h"
#include "physics/Physics.h"
#include "render/Frustum.h"
#include "world/ShadowFaceCache.h"
#include "world/StateLooks.h"
#include "sim/ActorType.h"
#include "sim/Simulation.h"

namespace velmora {

class ObjectRegistry;
class ParticleSystem;
class SkyBackdrop;
class DrawNode;
class ShaderProgram;
struct PhysicsSetup;
struct PlayerActor;
struct World;
namespace scene {
class SceneObject;
}

class RenderLogic {
public:
    // Builds the programs and shadow matrices, then dresses for drawing what
    // the simulation built in the registry's main world. The object registry
    // and the simulation must exist first and outlive it.
    explicit RenderLogic(const Simulation& simulation);
    RenderLogic(const RenderLogic&) = delete;
    RenderLogic& operator=(const RenderLogic&) = delete;
    // Releases the bursts and the programs. The registry, its worlds and
    // their objects (with their draw nodes) stay.
    ~RenderLogic();

    // The game's rules and motion, as the renderer reads them.
    const Simulation& simulation() const { return simulation_; }
    bool gameRunning() const;
    bool spheresCoupled() const;

    // A new run, also after the goal (the game restarts the simulation): the
    // live bursts go.
    void clearBursts();
    // What the simulation reported: bursts become particle systems; then the
    // switches and doors are shown as the steps left them (StateLooks).
    void showEvents(const std::vector<SimulationEvent>& events);

    // Draws the main world into whatever framebuffer the caller bound. With
    // shadowPass set it draws the next of the six shadow cube faces (0 first,
    // then 1..5, round again); otherwise the scene seen by the camera, with
    // culling, particles and the transparent objects last. cameraMatrix is the
    // camera-to-world transform.
    void renderScene(bool shadowPass, glm::mat4 cameraMatrix, glm::mat4 projectionMatrix, double dt);

    // Dresses whatever was added to the main world since the last dressing
    // (a tile imported by hand, say) as the load dresses the level: programs,
    // textures shared through the level's cache, the see-through list.
    void dressWorld();

    // Asked by the frame loop about shadow face `face` (0..5) before the
    // shadow call for it; drawn says whether that call follows. Plans the
    // call from what the face would get compared with last frame (objects,
    // poses, visibility, options; see ShadowFaceCache) and says whether the
    // face must be cleared first. Shadow calls without the question always
    // draw everything (particles advance in every call either way).
    bool shadowFaceNeedsClear(int face, bool drawn);

    ObjectRegistry* registry;
    // The level's see-through objects, drawn blended after everything else
    // in this order (the import's).
    std::vector<scene::SceneObject*> transparentObjects;
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
    // Gives every object the simulation built a draw node (programs, texture,
    // GPU buffers); the spheres get their model. The see-through ones are
    // listed for the blended pass.
    void dressForDrawing(scene::SceneObject* object, TextureCache& textures);
    // The object's draw node, dressed on first use (objects added after the
    // load and not dressed through dressWorld are drawn untextured).
    DrawNode& dressed(scene::SceneObject& object, TextureCache* textures = nullptr);

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
    void applyTextureFilter(const DrawNode& node) const;
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
    void drawMark(DrawNode& mark, const glm::mat4& model, glm::vec3 colour, float glow, float opacity);
    static constexpr float kGhostOpacity = 0.35f;
    void spawnParticleBurst(glm::vec3 origin);

    const Simulation& simulation_;
    // The level's textures by file name: each file is read once per level.
    TextureCache levelTextures_;
    std::unique_ptr<DrawNode> ghost_;
    std::unique_ptr<SkyBackdrop> backdrop_;  // behind a level; scenery built by tests has none
    std::unique_ptr<DrawNode> sphereMark_;  // the sphere model, untextured
    std::unique_ptr<DrawNode> linkMark_;    // a unit cube
    Pass pass_;
    ShadowFaceCache shadowFaceCache_;
    StateLooks looks_;
    unsigned listedShadowFaces_ = 0;  // faces whose listing in pass_ is still unasked
};

}  // namespace velmora

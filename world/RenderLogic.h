#pragma once
// The one world object the frame loop draws through: it holds the option
// fields the keys switch and the light, and hands each call to its parts
// (programs, level dressing, scene pass, shadow faces, bursts, ghost, marks,
// state looks, sky). It reads the game's simulation and never changes it: the
// game owns and steps it.

#include <GL/glew.h>

#include <array>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "level/LevelLook.h"
#include "level/LevelTile.h"
#include "physics/Physics.h"
#include "render/Frustum.h"
#include "render/RenderOptions.h"
#include "sim/ActorType.h"
#include "sim/Simulation.h"
#include "world/LevelDressing.h"
#include "world/ParticleBursts.h"
#include "world/ScenePass.h"
#include "world/ScenePrograms.h"
#include "world/ShadowFaces.h"
#include "world/StateLooks.h"

namespace velmora {

class GhostSphere;
struct World;
class ParticleSystem;
class ShaderProgram;
class SkyBackdrop;
class SphereMarks;
namespace scene {
class SceneObject;
}

class RenderLogic {
public:
    // Builds the programs and shadow matrices, then dresses for drawing what
    // the simulation built in its world. The simulation and the options
    // (which the player switches while it draws) must outlive it.
    RenderLogic(const Simulation& simulation, const RenderOptions& options);
    RenderLogic(const RenderLogic&) = delete;
    RenderLogic& operator=(const RenderLogic&) = delete;
    // Releases the bursts and the programs (with the parts). The world and
    // its objects (with their draw nodes) stay.
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

    // The parts' state that the frame loop, the shell and the tests reach
    // through the renderer.
    // The level's see-through objects, drawn blended after everything else
    // in this order (the import's).
    std::vector<scene::SceneObject*>& transparentObjects = dressing_.transparentObjects;
    std::list<ParticleSystem*>& particleSystems = bursts_.systems;  // live bursts, oldest first
    GLuint& particleSprite = bursts_.sprite;  // what every burst draws, loaded with the level (0: none)
    ShaderProgram*& phongProgram = programs_.phong;
    ShaderProgram*& depthProgram = programs_.depth;
    ShaderProgram*& textureProgram = programs_.texture;
    ShaderProgram*& shadowProgram = programs_.shadow;
    ShaderProgram*& particleUpdateProgram = programs_.particleUpdate;
    ShaderProgram*& particleDrawProgram = programs_.particleDraw;
    // The program whose per-program uniforms were set last. Whoever makes
    // another program current outside renderScene clears it.
    ShaderProgram*& currentProgram = programs_.current;
    int& drawnObjectCount = scenePass_.drawnObjectCount;  // shapes drawn in the current or last scene pass
    FrustumPlanes& frustumPlanes = scenePass_.frustumPlanes;

    // Where the drawn poses of moving bodies lie between the simulation's
    // last two steps (0 the one before, 1 the last); set by the frame loop.
    float drawAlpha = 1.0f;
    // Where the best run's ghost is drawn this frame: a see-through main
    // sphere in the blended pass, casting no shadow; none when empty.
    std::optional<glm::vec3> ghostPosition;
    bool frustumCullingEnabled = true;
    bool wireframeEnabled = false;
    int mipmapMode = 0;  // 0 trilinear, 1 nearest mipmap, 2 nearest without mipmaps
    glm::vec4 lightPosition{0.0f, 20.0f, -25.0f, 1.0f};
    glm::vec2 shadowNearFar{1.0f, 65.0f};
    SkyColours skyColours;  // the level's, behind it
    std::array<glm::mat4, 6> shadowFaceMatrices;
    int shadowFaceIndex = -1;
    // The depth cube map the scene pass samples; the shell creates it after
    // this object and sets it here.
    GLuint shadowCubeTexture = 0;

private:
    SceneUniforms sceneUniforms(const glm::mat4& cameraMatrix, const glm::mat4& projectionMatrix) const;
    ShadowFaces::Light shadowLight() const;

    const RenderOptions& options_;
    // Built in this order, released in the reverse one.
    World& world_;  // the simulation's: the renderer dresses its objects
    const Simulation& simulation_;
    ScenePrograms programs_;
    ParticleBursts bursts_;
    LevelDressing dressing_;
    ScenePass scenePass_;
    ShadowFaces shadowFaces_;
    StateLooks looks_;
    std::unique_ptr<GhostSphere> ghost_;
    std::unique_ptr<SphereMarks> marks_;
    std::unique_ptr<SkyBackdrop> backdrop_;  // behind a level; scenery built by tests has none
};

}  // namespace velmora

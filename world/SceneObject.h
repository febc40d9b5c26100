#pragma once
// A node of the world's scene graph: one mesh on the GPU, the programs it is
// drawn with, the physics actor whose shapes place it, and its children. An
// object owns its children: the world's root takes the whole level with it.

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora {
class ShaderProgram;
struct MeshData;
namespace physics {
class RigidActor;
}
}  // namespace velmora

namespace velmora::scene {

// A cell for a GL texture name that deletes the texture, once it names one,
// when the last object sharing it goes.
std::shared_ptr<GLuint> textureCell();

class SceneObject {
public:
    // The programs may be null for grouping objects, which are never drawn.
    SceneObject(const glm::mat4& localMatrix, ShaderProgram* objectProgram,
                ShaderProgram* objectShadowProgram);
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;
    // Releases the children, the GPU buffers and the mesh; never the actor,
    // which belongs to the physics scene.
    virtual ~SceneObject();

    // Gives the object a mesh when none was attached; the base has none.
    virtual void createDefaultMesh();
    // Per-draw state change before the visibility test; nothing here.
    virtual void update();

    // Uploads the mesh (or the default mesh) to the GPU once it is attached.
    void init();
    // Draws the mesh once with the model matrix and program the caller set
    // up. In the scene pass it uploads "opacity" (the material's when
    // useMaterialOpacity, else 1.0) and binds its texture.
    void draw(bool shadowPass, bool useMaterialOpacity);

    void addChild(SceneObject* child);
    std::vector<SceneObject*> getChildren() const;
    std::string getName() const;

    // transformMatrix = m x transformMatrix, for the whole subtree if recursive.
    void transform(bool recursive, glm::mat4 m);
    // First object of that name depth first, a parent before its children; null if none.
    static SceneObject* findByName(std::string name, SceneObject* node);

    // The material opacity that decides the draw order; 1.0 without a mesh.
    float opacity() const;

    glm::mat4 localMatrix;
    float specFactor = 1.0f;
    // How the object shows the game's state (world/StateLooks.h): a colour
    // its lit surface is multiplied by, light of its own in that colour, and
    // a ring on textured pads.
    glm::vec3 tint{1.0f};
    float glow = 0.0f;
    bool ringMark = false;
    MeshData* mesh = nullptr;  // owned
    bool hasMesh = false;
    physics::RigidActor* actor = nullptr;  // not owned
    glm::mat4 transformMatrix{1.0f};
    ShaderProgram* objectProgram;        // scene pass, not owned
    ShaderProgram* objectShadowProgram;  // shadow pass, not owned
    bool isTextured = false;
    bool isInitialised = false;
    bool isVisible = true;
    bool isGroup = false;
    std::vector<SceneObject*> children;  // owned
    std::string name = "notSet";
    // Where a level object came from and the texture its name asks for, so
    // an object built without a context can be dressed for drawing later.
    std::string sourceFile;
    std::string nodeName;
    std::string textureFile;
    GLuint vertexArray = 0;
    GLuint shadowVertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint normalBuffer = 0;    // 0 when the mesh has no normals
    GLuint texCoordBuffer = 0;  // 0 when the mesh has no texture coordinates
    // GL texture name, shared with every object that uses the same file;
    // the texture goes with the last of them (see textureCell).
    std::shared_ptr<GLuint> textureName;

private:
    void uploadBuffers();
    void buildSceneVertexArray();
    void buildShadowVertexArray();
};

}  // namespace velmora::scene

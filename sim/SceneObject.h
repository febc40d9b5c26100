#pragma once
// A node of the world's scene graph: one mesh, the physics actor whose shapes
// place it, and its children. It is plain data: nothing here knows GL, so the
// simulation builds and steps a level headless. The renderer hangs its own
// draw node on each object it draws (drawing); an object owns its children,
// its mesh and that draw node, so the world's root takes the whole level
// with it.

#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora {
struct MeshData;
namespace physics {
class RigidActor;
}
}  // namespace velmora

namespace velmora::scene {

// What a renderer keeps for one object (its GPU buffers, its looks). Only
// the renderer knows the concrete type; the object just keeps it alive.
class Drawing {
public:
    virtual ~Drawing() = default;
};

class SceneObject {
public:
    explicit SceneObject(const glm::mat4& localMatrix = glm::mat4(1.0f));
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;
    // Releases the children, the draw node and the mesh; never the actor,
    // which belongs to the physics scene.
    virtual ~SceneObject();

    // Gives the object a mesh when none was attached; the base has none.
    virtual void createDefaultMesh();
    // Called by the renderer each time it draws the object; nothing here.
    virtual void update();

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
    MeshData* mesh = nullptr;  // owned
    bool hasMesh = false;
    physics::RigidActor* actor = nullptr;  // not owned
    glm::mat4 transformMatrix{1.0f};
    bool isGroup = false;
    std::vector<SceneObject*> children;  // owned
    std::string name = "notSet";
    // Where a level object came from and the texture its name asks for, so
    // the renderer can dress it and name it in its lines.
    std::string sourceFile;
    std::string nodeName;
    std::string textureFile;
    // The renderer's draw node for this object; null until it is drawn.
    std::unique_ptr<Drawing> drawing;
};

}  // namespace velmora::scene

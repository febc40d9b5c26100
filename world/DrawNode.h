#pragma once
// What the renderer keeps for one drawn object: its mesh on the GPU, the
// programs it is drawn with, its texture and how it shows the game's state.
// The level's objects carry theirs (SceneObject::drawing); the renderer's own
// marks and the ghost own one with a mesh of their own.

#include <GL/glew.h>

#include <memory>

#include <glm/glm.hpp>

#include "sim/SceneObject.h"

namespace velmora {

class ShaderProgram;
struct MeshData;

// A cell for a GL texture name that deletes the texture, once it names one,
// when the last draw node sharing it goes.
std::shared_ptr<GLuint> textureCell();

class DrawNode : public scene::Drawing {
public:
    // Draws mesh (not owned; the object's) with the given programs; the
    // programs may be set later, before upload.
    explicit DrawNode(const MeshData* mesh = nullptr);
    // Draws a mesh of its own.
    explicit DrawNode(std::unique_ptr<MeshData> ownMesh);
    DrawNode(const DrawNode&) = delete;
    DrawNode& operator=(const DrawNode&) = delete;
    ~DrawNode() override;

    // Uploads the mesh to the GPU, once; false (with a line) without a mesh.
    bool upload();
    // Draws the mesh once with the model matrix and program the caller set
    // up. In the scene pass it uploads "opacity" (the material's when
    // useMaterialOpacity, else 1.0) and binds its texture.
    void draw(bool shadowPass, bool useMaterialOpacity) const;

    const MeshData* mesh() const { return mesh_; }
    // Before upload: the object's mesh, once it has one.
    void setMesh(const MeshData* mesh) { mesh_ = mesh; }
    MeshData* ownMesh() { return ownMesh_.get(); }
    // The material opacity; 1.0 without a mesh.
    float opacity() const;

    ShaderProgram* objectProgram = nullptr;        // scene pass, not owned
    ShaderProgram* objectShadowProgram = nullptr;  // shadow pass, not owned
    bool isTextured = false;
    bool isInitialised = false;
    bool isDressed = false;  // the renderer gave it programs and tried the upload
    float specFactor = 1.0f;
    // The lit colour of an untextured surface: red marks one whose texture
    // is missing; glass has its own (world/SurfaceFinish.h).
    glm::vec3 plainColour{1.0f, 0.0f, 0.0f};
    // How the object shows the game's state (world/StateLooks.h): a colour
    // its lit surface is multiplied by, light of its own in that colour, a
    // ring on textured pads, and a move in the world (a switch sinking, a
    // door sliding) before its own transform.
    glm::vec3 tint{1.0f};
    float glow = 0.0f;
    bool ringMark = false;
    glm::mat4 lookMove{1.0f};
    // A door: how far open it is drawn, 0 closed to 1 open, while it slides;
    // negative: drawn as the door's state says, at once.
    float shownOpen = -1.0f;
    bool isVisible = true;
    GLuint vertexArray = 0;
    GLuint shadowVertexArray = 0;
    GLuint positionBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint normalBuffer = 0;    // 0 when the mesh has no normals
    GLuint texCoordBuffer = 0;  // 0 when the mesh has no texture coordinates
    // GL texture name, shared with every node that uses the same file; the
    // texture goes with the last of them (see textureCell).
    std::shared_ptr<GLuint> textureName;

private:
    void uploadBuffers();
    void buildSceneVertexArray();
    void buildShadowVertexArray();

    std::unique_ptr<MeshData> ownMesh_;
    const MeshData* mesh_ = nullptr;
};

// The object's draw node, made empty (nothing uploaded) on first asking.
DrawNode& drawNodeOf(scene::SceneObject& object);

}  // namespace velmora

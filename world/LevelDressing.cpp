#include "world/LevelDressing.h"

#include <iostream>
#include <memory>
#include <string>

#include "level/MeshData.h"
#include "level/NodeProblems.h"
#include "level/TextureProblem.h"
#include "level/TileFile.h"
#include "render/Texture.h"
#include "sim/PlayerSpheres.h"
#include "sim/SceneObject.h"
#include "sim/SolidSphere.h"
#include "world/DrawNode.h"
#include "world/ScenePrograms.h"
#include "world/SurfaceFinish.h"

namespace velmora {

LevelDressing::LevelDressing(const ScenePrograms& programs) : programs_(programs) {}

void LevelDressing::dress(scene::SceneObject& object) {
    if (!object.isGroup && !drawNodeOf(object).isDressed) {
        dressed(object, &levelTextures_);
        if (object.opacity() < 1.0f) transparentObjects.push_back(&object);
    }
    for (scene::SceneObject* child : object.getChildren()) {
        dress(*child);
    }
}

DrawNode& LevelDressing::dressed(scene::SceneObject& object, TextureCache* textures) {
    DrawNode& node = drawNodeOf(object);
    if (node.isDressed || object.isGroup) return node;
    node.isDressed = true;
    const bool sphere = dynamic_cast<scene::SolidSphere*>(&object) != nullptr;
    if (sphere) {
        if (object.mesh == nullptr) {
            if (std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile)) {
                object.mesh = mesh.release();
                object.hasMesh = true;
            }
        }
        node.isTextured = loadTexture(object.textureFile, node.textureName.get());
        node.objectProgram = programs_.texture;
    } else {
        if (!object.hasMesh) object.createDefaultMesh();
        node.objectProgram = programs_.phong;
        if (!object.textureFile.empty() && textures != nullptr) {
            attachLevelTexture(node, object.textureFile, *textures);
            if (node.isTextured) {
                node.objectProgram = programs_.texture;
            } else {
                // Shaded plainly rather than sampling whatever texture is bound.
                const std::string problem = levelTextureProblem(object.textureFile);
                std::cout << nodeProblemLine(object.sourceFile, object.nodeName,
                                             problem.empty() ? undecodableTextureMessage(object.textureFile)
                                                             : problem)
                          << std::endl;
            }
        }
    }
    if (!sphere) applySurfaceFinish(node, object.textureFile, object.opacity());
    node.objectShadowProgram = programs_.shadow;
    node.setMesh(object.mesh);
    node.upload();
    return node;
}

}  // namespace velmora

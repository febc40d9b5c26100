#include "world/GhostSphere.h"

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>

#include "level/MeshData.h"
#include "level/TileFile.h"
#include "render/Texture.h"
#include "sim/PlayerSpheres.h"
#include "world/DrawNode.h"
#include "world/NodeLook.h"
#include "world/ScenePrograms.h"

namespace velmora {

GhostSphere::GhostSphere(ScenePrograms& programs) : programs_(programs) {
    std::unique_ptr<MeshData> mesh = loadModel(spheres::kModelFile);
    if (mesh == nullptr) return;
    mesh->opacity = kOpacity;
    node_ = std::make_unique<DrawNode>(std::move(mesh));
    node_->objectProgram = programs.texture;
    node_->objectShadowProgram = programs.shadow;
    node_->isTextured = loadTexture(spheres::kMainTexture, node_->textureName.get());
    node_->upload();
}

GhostSphere::~GhostSphere() = default;

void GhostSphere::draw(glm::vec3 position, const SceneUniforms& uniforms, int mipmapMode) {
    if (node_ == nullptr || !node_->isInitialised) return;
    programs_.useForScene(node_->objectProgram, uniforms);
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), position) *
                            glm::scale(glm::mat4(1.0f), glm::vec3(spheres::kMainScale));
    setNodeUniforms(*programs_.current, *node_, model);
    applyTextureFilter(*node_, mipmapMode);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    node_->draw(false, true);
    glDisable(GL_BLEND);
}

}  // namespace velmora

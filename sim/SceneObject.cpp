#include "sim/SceneObject.h"

#include "level/MeshData.h"

namespace velmora::scene {

SceneObject::SceneObject(const glm::mat4& localMatrix) : localMatrix(localMatrix) {}

SceneObject::~SceneObject() {
    for (SceneObject* child : children) delete child;
    // The draw node goes before the mesh it was made from.
    drawing.reset();
    delete mesh;
}

void SceneObject::createDefaultMesh() { hasMesh = false; }

void SceneObject::update() {}

void SceneObject::addChild(SceneObject* child) { children.push_back(child); }

std::vector<SceneObject*> SceneObject::getChildren() const { return children; }

std::string SceneObject::getName() const { return name; }

void SceneObject::transform(bool recursive, glm::mat4 m) {
    transformMatrix = m * transformMatrix;
    if (recursive) {
        for (SceneObject* child : getChildren()) {
            child->transform(true, m);
        }
    }
}

SceneObject* SceneObject::findByName(std::string name, SceneObject* node) {
    if (node == nullptr) {
        return nullptr;
    }
    if (node->name == name) {
        return node;
    }
    for (SceneObject* child : node->children) {
        if (SceneObject* found = findByName(name, child)) {
            return found;
        }
    }
    return nullptr;
}

float SceneObject::opacity() const { return mesh != nullptr ? mesh->opacity : 1.0f; }

}  // namespace velmora::scene

#pragma once
// Dresses the main world's objects for drawing: each gets a draw node with
// its programs, its texture (shared through the level's cache) and its mesh
// on the GPU; the spheres get their model. The see-through ones are listed
// for the blended pass.

#include <vector>

#include "world/LevelTextures.h"

namespace velmora {

class DrawNode;
class ScenePrograms;
namespace scene {
class SceneObject;
}

class LevelDressing {
public:
    // The programs must outlive it.
    explicit LevelDressing(const ScenePrograms& programs);

    // Dresses the object and everything under it not dressed yet.
    void dress(scene::SceneObject& root);
    // The object's draw node, dressed on first use (objects added after the
    // load and not dressed through dress are drawn untextured).
    DrawNode& dressed(scene::SceneObject& object) { return dressed(object, nullptr); }

    // Drawn blended after everything else, in this order (the import's).
    std::vector<scene::SceneObject*> transparentObjects;

private:
    DrawNode& dressed(scene::SceneObject& object, TextureCache* textures);

    const ScenePrograms& programs_;
    // The level's textures by file name: each file is read once per level.
    TextureCache levelTextures_;
};

}  // namespace velmora

#pragma once
// Level textures shared between the objects that name the same file, so each
// file is read and uploaded once per level load.

#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>

namespace velmora {

class DrawNode;

// Texture file name -> the texture name cell of the draw node that loaded it.
using TextureCache = std::map<std::string, std::shared_ptr<GLuint>>;

// Gives the draw node the texture of the named file (e.g. "stone.png", read from
// the level's texture folder). A file already in the cache is shared, not
// read again. A file that fails to load leaves the object untextured and is
// not entered, so the next object naming it tries again instead of sharing a
// texture that does not exist. Returns whether the object is now textured.
// A name that reaches outside the texture folder ("..", an absolute path, a
// link leading out) is never opened: the object stays untextured.
bool attachLevelTexture(DrawNode& object, const std::string& textureFile,
                        TextureCache& cache);

}  // namespace velmora

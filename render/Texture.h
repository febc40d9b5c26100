#pragma once
// Image files to mipmapped 2-D OpenGL textures, for level objects, spheres,
// particles and the screen font.

#include <GL/glew.h>

#include <string>

namespace velmora {

// Loads the image at `path` into a new 2-D texture with a full mipmap chain.
// On success the texture is left bound to texture unit 0, its name is written
// to *cell and true is returned. On failure (no such file, an unreadable or
// empty image) nothing is created, *cell keeps its value and false is
// returned; nothing is printed. Backslash folder separators ("Textures\\a.png",
// as level files authored on other systems write them) are read as slashes.
bool loadTexture(const std::string& path, GLuint* cell);

}  // namespace velmora

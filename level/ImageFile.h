#pragma once
// Reading image files through the image library, without any GL: the texture
// upload and the level checker read a file the same way, so the checker's
// verdict on a texture is the game's.

#include <string>

struct FIBITMAP;

namespace velmora {

// Decodes the file (format from its contents, else from its name; backslash
// folder separators read as slashes). Null when there is no such file, the
// format is unknown or unreadable, or decoding fails. The caller unloads it.
FIBITMAP* readImageFile(const std::string& path);

// True when the file decodes to an image of at least one pixel.
bool imageFileDecodes(const std::string& path);

}  // namespace velmora

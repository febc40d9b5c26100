#pragma once
// File names that come from outside the program (a level node's texture, a
// settings file's entries) are names inside one of the game's data folders,
// never a way out of it: no "..", no absolute path, no link leading out.

#include <string>

namespace velmora {

// Checks `name` (slash or backslash separated) as a file inside `folder`.
// Returns an empty string and sets `path` to folder + "/" + name (slashes
// only) when it stays inside; otherwise returns why not, e.g. "climbs out of
// Textures with \"..\"". A file that does not exist is not refused here (the
// caller says it is missing); one that exists must resolve, links followed,
// to a place inside the folder's own resolved path.
std::string containedDataPath(const std::string& folder, const std::string& name,
                              std::string& path);

}  // namespace velmora

#pragma once
// Writes a tile description as a Collada 1.4.1 file the level import reads.
//
// What the importer needs, found by reading tiles back: node names are taken
// from the node's id, so id and name are written equal; materials are
// numbered in the byte order of their ids, so ids carry the description's
// order ("m00_opaque" first); each material has its own effect; opacity is
// written as transparency with an A_ONE transparent colour; the unit is the
// metre, since the unit scale lands on the root node, whose transform the
// level import ignores.

#include "level/TileDescription.h"

#include <string>

namespace velmora {

std::string colladaMaterialId(const TileDescription& description, const std::string& material);

std::string writeCollada(const TileDescription& description);

// Writes the text to path; false with a message when the file can't be written.
bool writeColladaFile(const TileDescription& description, const std::string& path,
                      std::string& error);

}  // namespace velmora

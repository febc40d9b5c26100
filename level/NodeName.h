#pragma once
// Level nodes carry their role and settings in their names, since the tile
// files hold nothing but geometry. A name is a base name followed by
// key__value__ pairs, e.g. "Door_A__steady__1__" or
// "switch_trigger__actor__second__open__DoorB__".

#include <map>
#include <string>
#include <vector>

namespace velmora {

// Annotation key -> its values, in the order they appear in the name.
using NodeAnnotations = std::map<std::string, std::vector<std::string>>;

// Splits a node name into its base name and annotations (filled into an
// empty map the caller provides). Never fails; a name without a well-formed
// "__" section keeps everything in the base name, underscores included.
void parseNodeName(std::string name, std::string& baseName, NodeAnnotations& annotations);

// Role words searched (case-sensitively, only these spellings) in a base name.
bool hasDoorWord(const std::string& baseName);     // "door" / "Door"
bool hasTriggerWord(const std::string& baseName);  // "trigger" / "Trigger"
bool hasSpikesWord(const std::string& baseName);   // "stacheln" / "Stacheln"

// Which class of level object a mesh node becomes: a door word wins over a
// trigger word.
enum class NodeRole { Plain, Door, Trigger };
NodeRole nodeRoleOf(const std::string& baseName);
const char* nodeRoleName(NodeRole role);

// The annotation keys the game reads: texture, actor, steady, win, reset, open.
const std::vector<std::string>& knownAnnotationKeys();

// The known key spelled most like `key` (fewest letters added, removed or
// changed), for telling an author what a mistyped key was meant to be.
std::string nearestAnnotationKey(const std::string& key);

// The image file named by the "texture" annotation's first value, with every
// underscore turned into a dot ("my_stone_png" -> "my.stone.png"); empty when
// the node asks for no texture.
std::string textureFileName(const NodeAnnotations& annotations);

// Where a level texture file lives, relative to the working directory. The
// level convention writes the folder as "Textures\"; the path is built with a
// forward slash so it reaches the same file on every platform.
std::string levelTexturePath(const std::string& textureFile);
inline const char* const kLevelTextureFolder = "Textures";

}  // namespace velmora

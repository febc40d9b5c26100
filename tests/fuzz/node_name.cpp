// Level node names: the annotation parser, the role words, the nearest-key
// hint and the texture name's check against the texture folder.

#include "level/DataPath.h"
#include "level/NodeName.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    std::string baseName;
    velmora::NodeAnnotations annotations;
    velmora::parseNodeName(name, baseName, annotations);
    if (baseName.size() > name.size()) __builtin_trap();
    velmora::nodeRoleName(velmora::nodeRoleOf(baseName));
    velmora::hasSpikesWord(baseName);
    for (const auto& [key, values] : annotations) {
        if (values.empty() || key.empty()) __builtin_trap();
        velmora::nearestAnnotationKey(key);
    }
    const std::string texture = velmora::textureFileName(annotations);
    if (!texture.empty()) {
        std::string path;
        // A folder that does not exist: the check must not need the disk to refuse.
        const std::string why = velmora::containedDataPath("NoSuchFolder", texture, path);
        if (why.empty()) {
            // Whatever is accepted stays below the folder.
            if (path.compare(0, 13, "NoSuchFolder/") != 0) __builtin_trap();
            const std::string rest = "/" + path.substr(13) + "/";
            if (rest.find("/../") != std::string::npos) __builtin_trap();
        }
    }
    return 0;
}

#include "sim/ObjectRegistry.h"

namespace velmora {

ObjectRegistry::ObjectRegistry() {
    worlds_[kMainWorld] = std::make_unique<World>();
    worlds_[kSpareWorld] = std::make_unique<World>();
}

World* ObjectRegistry::world(int key) const {
    const auto found = worlds_.find(key);
    return found == worlds_.end() ? nullptr : found->second.get();
}

std::map<int, World*> ObjectRegistry::worlds() const {
    std::map<int, World*> result;
    for (const auto& [key, world] : worlds_) {
        result[key] = world.get();
    }
    return result;
}

}  // namespace velmora

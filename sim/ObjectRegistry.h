#pragma once
// The program-wide registry of worlds. The game plays in the world under key
// 0; key 1 is a second, spare world. Both exist from construction on.

#include <map>
#include <memory>

#include "sim/World.h"

namespace velmora {

class ObjectRegistry {
public:
    static constexpr int kMainWorld = 0;
    static constexpr int kSpareWorld = 1;

    ObjectRegistry();

    // The world under key; null for a key the registry never made.
    World* world(int key) const;
    World* mainWorld() const { return world(kMainWorld); }
    // The keys in order.
    std::map<int, World*> worlds() const;

private:
    std::map<int, std::unique_ptr<World>> worlds_;
};

}  // namespace velmora

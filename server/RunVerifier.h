#pragma once
// Plays a submitted run again and says whether it reaches the goal at the
// step it claims. Each level is built once and kept: building one costs more
// than most runs on it, and a restart puts it back as fresh, bit for bit.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "server/LevelCatalog.h"

namespace velmora {
class Simulation;
class World;
}  // namespace velmora

namespace velmora::server {

struct RunCheck {
    bool accepted = false;
    std::string verdict;  // the replay tool's line
};

class RunVerifier {
public:
    explicit RunVerifier(const LevelCatalog& catalog);
    ~RunVerifier();

    RunCheck verify(const std::string& levelIdentity, const std::string& replayBytes);

private:
    struct BuiltLevel;
    BuiltLevel& levelOf(const CatalogLevel& level);

    const LevelCatalog& catalog_;
    std::map<std::uint64_t, std::unique_ptr<BuiltLevel>> built_;
};

}  // namespace velmora::server

#pragma once
// The levels a leaderboard ranks: the game's level set as this server reads
// it, each under the identity its replays carry. A level whose tiles change
// has a new identity, so it is a new table; the old one is no longer listed.

#include <cstdint>
#include <string>
#include <vector>

#include <pqxx/pqxx>

#include "level/LevelSet.h"

namespace velmora::server {

struct CatalogLevel {
    std::uint64_t identity = 0;
    std::string identityText;  // 16 hex digits, as the API names it
    LevelEntry entry;
};

class LevelCatalog {
public:
    // The set in the given file (the game's Objects/levels.txt); throws with
    // the file's problems when it lists no usable level.
    static LevelCatalog load(const std::string& levelSetFile);

    const std::vector<CatalogLevel>& levels() const { return levels_; }
    // Null when this server has no such level.
    const CatalogLevel* find(std::uint64_t identity) const;
    const CatalogLevel* findText(const std::string& identityText) const;

    // Lists these levels in the database in play order, and stops listing
    // any other.
    void publish(pqxx::connection& connection) const;

private:
    std::vector<CatalogLevel> levels_;
};

}  // namespace velmora::server

#include "server/LevelCatalog.h"

#include <stdexcept>

#include "level/LevelIdentity.h"

namespace velmora::server {

LevelCatalog LevelCatalog::load(const std::string& levelSetFile) {
    std::vector<std::string> problems;
    const std::optional<LevelSet> set = loadLevelSet(levelSetFile, problems);
    if (!set) {
        std::string lines;
        for (const std::string& problem : problems) lines += "\n" + problem;
        throw std::runtime_error("no levels in " + levelSetFile + lines);
    }
    LevelCatalog catalog;
    for (const LevelEntry& entry : set->levels) {
        const std::uint64_t identity = levelIdentityOf(entry);
        catalog.levels_.push_back({identity, levelIdentityText(identity), entry});
    }
    return catalog;
}

const CatalogLevel* LevelCatalog::find(std::uint64_t identity) const {
    for (const CatalogLevel& level : levels_) {
        if (level.identity == identity) return &level;
    }
    return nullptr;
}

const CatalogLevel* LevelCatalog::findText(const std::string& identityText) const {
    for (const CatalogLevel& level : levels_) {
        if (level.identityText == identityText) return &level;
    }
    return nullptr;
}

void LevelCatalog::publish(pqxx::connection& connection) const {
    connection.prepare("catalog_unlist", "UPDATE levels SET listed = false");
    connection.prepare("catalog_list",
                       "INSERT INTO levels (identity, name, title, longest_steps, position, listed)"
                       " VALUES ($1, $2, $3, $4, $5, true)"
                       " ON CONFLICT (identity) DO UPDATE SET name = excluded.name, title = excluded.title,"
                       " longest_steps = excluded.longest_steps, position = excluded.position, listed = true");
    pqxx::work work(connection);
    work.exec("SELECT pg_advisory_xact_lock(7408262)");
    work.exec_prepared("catalog_unlist");
    int position = 0;
    for (const CatalogLevel& level : levels_) {
        work.exec_prepared("catalog_list", level.identityText, level.entry.name, level.entry.title,
                           level.entry.longestRunSteps, position++);
    }
    work.commit();
}

}  // namespace velmora::server

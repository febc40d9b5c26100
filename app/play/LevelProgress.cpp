#include "app/play/LevelProgress.h"

#include <iostream>

#include "level/LevelIdentity.h"
#include "sim/BestTimes.h"

namespace velmora::app {

LevelSet shippedLevelSet() {
    std::vector<std::string> problems;
    std::optional<LevelSet> set = loadLevelSet(kLevelSetFile, problems);
    for (const std::string& problem : problems) std::cout << problem << std::endl;
    if (set) return *set;
    std::cout << "Playing the shipped level alone." << std::endl;
    return LevelSet{{shippedLevel()}};
}

std::vector<LevelStanding> levelStandings(const LevelSet& set) {
    const BestTimes times(BestTimes::defaultPath());
    std::vector<LevelStanding> standings(set.levels.size());
    for (size_t i = 0; i < set.levels.size(); ++i) {
        if (const auto best = times.best(levelIdentityText(levelIdentityOf(set.levels[i])))) {
            standings[i].bestSteps = static_cast<long>(*best);
            standings[i].finished = true;
        }
        standings[i].open = i == 0 || standings[i - 1].finished || standings[i].finished;
    }
    return standings;
}

int firstUnfinishedLevel(const std::vector<LevelStanding>& standings) {
    for (size_t i = 0; i < standings.size(); ++i) {
        if (!standings[i].finished) return static_cast<int>(i);
    }
    return 0;
}

int chosenLevel(const LevelSet& set, const std::string& name) {
    const int index = set.indexOf(name);
    if (index >= 0) return index;
    std::string names;
    for (const LevelEntry& level : set.levels) names += (names.empty() ? "" : ", ") + level.name;
    std::cout << "There is no level named \"" << name << "\"; the levels are: " << names << "."
              << std::endl;
    return -1;
}

}  // namespace velmora::app

#pragma once
// The Levels screen's lines for one level's table, from the leaderboard's
// answers: the top ten, then, when the player stands below them, a gap and
// the player's row with its neighbours. The player's own rows are marked.

#include <string>
#include <vector>

namespace velmora::app {

struct BoardEntry {
    long rank = 0;
    std::string player;
    std::string time;  // as the leaderboard gives it, "0:12.34"
};

// "3rd  ann  0:12.34", "> 4th  me  0:12.50" for the player's own.
std::string boardEntryLine(const BoardEntry& entry, const std::string& me);

// heading: the first line ("Leaderboard: <title>"); none on the table at
// all is one line with the heading, so a table of one row reads otherwise.
std::vector<std::string> boardLines(const std::string& heading, const std::vector<BoardEntry>& top,
                                    const std::vector<BoardEntry>& around, const std::string& me);

}  // namespace velmora::app

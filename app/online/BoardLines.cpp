#include "app/online/BoardLines.h"

#include "app/online/RankText.h"

namespace velmora::app {

std::string boardEntryLine(const BoardEntry& entry, const std::string& me) {
    return std::string(entry.player == me ? "> " : "") + ordinal(entry.rank) + "  " + entry.player + "  " + entry.time;
}

std::vector<std::string> boardLines(const std::string& heading, const std::vector<BoardEntry>& top,
                                    const std::vector<BoardEntry>& around, const std::string& me) {
    if (top.empty()) return {heading + ": no runs yet"};
    std::vector<std::string> lines = {heading};
    long lastShown = 0;
    for (const BoardEntry& entry : top) {
        lines.push_back(boardEntryLine(entry, me));
        lastShown = entry.rank;
    }
    bool gap = false;
    for (const BoardEntry& entry : around) {
        if (entry.rank <= lastShown) continue;  // already among the top
        if (!gap && entry.rank > lastShown + 1) lines.push_back("...");
        gap = true;
        lines.push_back(boardEntryLine(entry, me));
        lastShown = entry.rank;
    }
    return lines;
}

}  // namespace velmora::app

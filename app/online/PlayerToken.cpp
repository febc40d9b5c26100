#include "app/online/PlayerToken.h"

#include "platform/AtomicFile.h"
#include "platform/DataFolders.h"
#include "platform/TextLines.h"

namespace velmora::app {

namespace {

constexpr std::size_t kMaxTokenFileBytes = 4096;

}  // namespace

std::string playerTokenPath() {
    const std::string folder = platform::dataFolder();
    return folder.empty() ? std::string() : folder + "/leaderboard-token";
}

std::optional<PlayerToken> loadPlayerToken(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::string bytes;
    std::string error;
    const platform::ReadResult read = platform::readWholeFile(path, kMaxTokenFileBytes, bytes, error);
    if (read == platform::ReadResult::missing) return std::nullopt;
    const std::vector<std::string> lines = platform::splitLines(bytes);
    if (read != platform::ReadResult::ok || lines.size() < 3 || lines[2].empty()) {
        platform::keepAside(path, read == platform::ReadResult::ok ? "not a leaderboard token file" : error);
        return std::nullopt;
    }
    return PlayerToken{lines[0], lines[1], lines[2]};
}

bool savePlayerToken(const std::string& path, const PlayerToken& token, std::string& error) {
    if (path.empty()) {
        error = "No data folder to keep the leaderboard token in";
        return false;
    }
    return platform::writeFileAtomically(path, token.address + "\n" + token.name + "\n" + token.token + "\n", error);
}

}  // namespace velmora::app

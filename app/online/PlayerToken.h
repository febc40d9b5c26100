#pragma once
// The token a leaderboard gave this player when it registered them: the
// server shows it once and keeps only its hash, so losing it loses the name.
// Kept in the data folder (leaderboard-token), readable by the player alone
// (mode 0600, as every file the game writes atomically), with the address
// and name it belongs to: pointing the game at another leaderboard, or
// playing under another name, registers again instead of sending a token
// that server never gave.

#include <optional>
#include <string>

namespace velmora::app {

struct PlayerToken {
    std::string address;  // the API root it was given by
    std::string name;
    std::string token;
};

// "<data folder>/leaderboard-token"; empty when the folder can't be used.
std::string playerTokenPath();

// None when there is no file; a file that does not read as one is kept
// aside (one line) so that the next registration never writes over it.
std::optional<PlayerToken> loadPlayerToken(const std::string& path);

// Atomically; false with error (one line) when it could not be written.
bool savePlayerToken(const std::string& path, const PlayerToken& token, std::string& error);

}  // namespace velmora::app

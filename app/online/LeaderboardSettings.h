#pragma once
// The two leaderboard settings as the settings file and the client take
// them: the address a leaderboard answers on and the name a player is
// registered under. Checked when read, so a typing slip in settings.ini is
// one warning at start-up instead of a run sent nowhere.

#include <string>

namespace velmora::app {

// "http://HOST[:PORT][/PATH]" or https, printable with no blanks, at most
// 200 characters.
bool validLeaderboardAddress(const std::string& address);

// What the leaderboard takes as a name: 3 to 20 of A-Z a-z 0-9 _ . -
bool validPlayerName(const std::string& name);

// The API's root for an address: the address as scripts/serve prints it
// ("http://127.0.0.1:8642/v1") is taken as it is; one without the /v1 gets
// it, so the bare host and port work too.
std::string apiRoot(const std::string& address);

}  // namespace velmora::app

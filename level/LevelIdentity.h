#pragma once
// Which level a replay or a best time belongs to: a 64-bit hash over the
// bytes of the level's tile files, so that any edit to a tile gives a new
// identity.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The identity of the tiles in the given order. A missing or unreadable file
// counts as absent, which hashes differently from an empty one.
std::uint64_t levelIdentity(const std::vector<std::string>& tileFiles);

// The same over contents already in memory (nullopt: absent file).
std::uint64_t levelIdentityOfContents(const std::vector<std::optional<std::string>>& contents);

// 16 lower-case hex digits, for file names and messages.
std::string levelIdentityText(std::uint64_t identity);

}  // namespace velmora

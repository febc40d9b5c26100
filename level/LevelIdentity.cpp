#include "level/LevelIdentity.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace velmora {

namespace {

// FNV-1a: small, byte-order free and stable across compilers and versions,
// which std::hash is not.
class Fnv1a {
public:
    void add(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            hash_ ^= static_cast<unsigned char>(data[i]);
            hash_ *= 0x100000001b3ULL;
        }
    }
    void addNumber(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) {
            const char byte = static_cast<char>((value >> (8 * i)) & 0xff);
            add(&byte, 1);
        }
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// Each file adds a marker (present or absent), its bytes, then their count,
// so that no two different file lists give the same stream of bytes.
constexpr char kAbsent = 0;
constexpr char kPresent = 1;

}  // namespace

std::uint64_t levelIdentity(const std::vector<std::string>& tileFiles) {
    Fnv1a hash;
    for (const std::string& name : tileFiles) {
        std::error_code ignored;
        std::ifstream file;
        // A folder in a tile's place opens, but has no bytes to read.
        if (std::filesystem::is_regular_file(name, ignored)) file.open(name, std::ios::binary);
        if (!file.is_open()) {
            hash.add(&kAbsent, 1);
            continue;
        }
        hash.add(&kPresent, 1);
        std::uint64_t size = 0;
        char buffer[16 * 1024];
        while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
            hash.add(buffer, static_cast<std::size_t>(file.gcount()));
            size += static_cast<std::uint64_t>(file.gcount());
        }
        hash.addNumber(size);
    }
    return hash.value();
}

std::uint64_t levelIdentityOfContents(const std::vector<std::optional<std::string>>& contents) {
    Fnv1a hash;
    for (const auto& content : contents) {
        if (!content) {
            hash.add(&kAbsent, 1);
            continue;
        }
        hash.add(&kPresent, 1);
        hash.add(content->data(), content->size());
        hash.addNumber(content->size());
    }
    return hash.value();
}

std::string levelIdentityText(std::uint64_t identity) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(identity));
    return text;
}

}  // namespace velmora

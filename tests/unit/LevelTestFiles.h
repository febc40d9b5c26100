#pragma once
// Writing small tiles for the level tests into a fresh temporary folder, and
// reading files back.

#include "level/ColladaWriter.h"
#include "level/TileDescription.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::testing {

// A folder of its own per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("vizazuv-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

    void writeText(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }

private:
    std::filesystem::path path_;
};

// A whole file's bytes; empty when it can't be read.
inline std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline TileDescription describeTile(const std::string& text) {
    TileDescription description;
    std::istringstream input(text);
    std::string error;
    EXPECT_TRUE(parseTileDescription(input, description, error)) << error;
    return description;
}

// Writes the described tile as Collada and returns its path.
inline std::string writeTile(const TempFolder& folder, const std::string& name,
                             const std::string& text) {
    const std::string path = folder.file(name);
    std::string error;
    EXPECT_TRUE(writeColladaFile(describeTile(text), path, error)) << error;
    return path;
}

}  // namespace velmora::testing

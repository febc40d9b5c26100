#pragma once
// The best-times file as text: a format line, then one "key steps" line per
// level. Reading is tolerant (a line it cannot use is warned about and
// skipped, but kept for writing back), so that a hand edit or a newer game's
// additions are not lost.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora {

constexpr unsigned kBestTimesFormat = 1;
constexpr std::size_t kMaxBestTimesBytes = 64 * 1024;
// Times are written as at most nine digits.
constexpr std::uint32_t kMaxBestTimesSteps = 999999999;

struct BestTimesText {
    struct Line {
        std::string key;  // empty: text is written back as it was
        std::string text;
    };
    unsigned format = kBestTimesFormat;  // from the file's format line
    std::vector<Line> lines;  // below the format line, in file order
    std::map<std::string, std::uint32_t> best;  // steps per level key
};

// True for text no editor would have written: NUL or other control bytes.
bool looksBinary(const std::string& text);

// warnings: one line each, "<fileName> line N: ...".
BestTimesText parseBestTimes(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings);

// Our format line, then the lines in their order with the current times, then
// keys the file did not have yet.
std::string formatBestTimes(const BestTimesText& table);

// A key fit for the file: no spaces or control bytes, not starting with '#'.
bool isBestTimesKey(const std::string& key);

}  // namespace velmora

#include "sim/BestTimesText.h"

#include "platform/TextLines.h"

#include <set>
#include <sstream>

namespace velmora {

namespace {

const std::string kFormatPrefix = "# vizazuv best times ";

// Whole decimal number without sign; false on anything else or overflow.
bool parseNumber(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 9) return false;
    std::uint32_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + static_cast<std::uint32_t>(c - '0');
    }
    value = result;
    return true;
}

}  // namespace

bool looksBinary(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7f) return true;
    }
    return false;
}

bool isBestTimesKey(const std::string& key) {
    if (key.empty() || key[0] == '#') return false;
    for (char c : key) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f) return false;
    }
    return true;
}

BestTimesText parseBestTimes(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings) {
    BestTimesText table;
    const std::vector<std::string> lines = platform::splitLines(text);
    std::size_t first = 0;
    std::uint32_t format = 0;
    if (!lines.empty() && lines[0].rfind(kFormatPrefix, 0) == 0 &&
        parseNumber(lines[0].substr(kFormatPrefix.size()), format) && format > 0) {
        table.format = format;
        first = 1;
    } else if (!lines.empty()) {
        warnings.push_back(fileName + " line 1: no format line; reading it as format " +
                           std::to_string(kBestTimesFormat));
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::istringstream fields(line);
        std::string key, steps, extra;
        fields >> key >> steps >> extra;
        std::uint32_t value = 0;
        if (key.empty() || key[0] == '#') {
            table.lines.push_back({"", line});
        } else if (!isBestTimesKey(key) || !parseNumber(steps, value) || value == 0 ||
                   !extra.empty()) {
            warnings.push_back(fileName + " line " + std::to_string(i + 1) +
                               ": expected a level key and a number of steps; skipped");
            table.lines.push_back({"", line});
        } else {
            auto [entry, added] = table.best.emplace(key, value);
            if (!added && value < entry->second) entry->second = value;
            table.lines.push_back({key, line});
        }
    }
    return table;
}

std::string formatBestTimes(const BestTimesText& table) {
    std::string text = kFormatPrefix + std::to_string(kBestTimesFormat) + "\n";
    std::set<std::string> written;
    for (const auto& line : table.lines) {
        if (line.key.empty()) {
            text += line.text + "\n";
        } else if (written.insert(line.key).second) {
            const auto entry = table.best.find(line.key);
            if (entry != table.best.end()) text += line.key + " " + std::to_string(entry->second) + "\n";
        }
    }
    for (const auto& [key, steps] : table.best) {
        if (written.count(key) == 0) text += key + " " + std::to_string(steps) + "\n";
    }
    return text;
}

}  // namespace velmora

#include "sim/BestTimes.h"

#include "platform/AtomicFile.h"
#include "platform/DataFolders.h"

#include <iostream>

namespace velmora {

BestTimes::BestTimes(std::string path) : path_(std::move(path)) {
    if (path_.empty()) return;
    std::string text, error;
    switch (platform::readWholeFile(path_, kMaxBestTimesBytes, text, error)) {
    case platform::ReadResult::missing:
        return;
    case platform::ReadResult::failed:
        // Perhaps only for now (permissions, a disk error): leave it be.
        std::cout << error << "; best times will not be saved." << std::endl;
        keepReason_ = error;
        keepReasonPrinted_ = true;
        return;
    case platform::ReadResult::tooLarge:
        if (platform::keepAside(path_, "is not a best-times file (over 64 KB)").empty()) {
            keepReason_ = path_ + " could not be kept aside";
        }
        return;
    case platform::ReadResult::ok:
        break;
    }
    if (looksBinary(text)) {
        if (platform::keepAside(path_, "is not a best-times file (binary data)").empty()) {
            keepReason_ = path_ + " could not be kept aside";
        }
        return;
    }
    std::vector<std::string> warnings;
    table_ = parseBestTimes(text, path_, warnings);
    for (const std::string& warning : warnings) std::cout << warning << std::endl;
    if (table_.format > kBestTimesFormat) {
        keepReason_ = path_ + " was written by a newer version of the game (format " +
                      std::to_string(table_.format) + "); not saving over it";
    }
}

std::string BestTimes::defaultPath() {
    const std::string folder = platform::dataFolder();
    return folder.empty() ? std::string() : folder + "/best-times.txt";
}

std::optional<std::uint32_t> BestTimes::best(const std::string& key) const {
    const auto entry = table_.best.find(key);
    if (entry == table_.best.end()) return std::nullopt;
    return entry->second;
}

bool BestTimes::record(const std::string& key, std::uint32_t steps) {
    if (!isBestTimesKey(key) || steps == 0 || steps > kMaxBestTimesSteps) return false;
    const auto kept = best(key);
    if (kept && *kept <= steps) return false;
    table_.best[key] = steps;
    save();
    return true;
}

bool BestTimes::save() {
    if (path_.empty()) return false;
    if (!keepReason_.empty()) {
        if (!keepReasonPrinted_) std::cout << keepReason_ << "." << std::endl;
        keepReasonPrinted_ = true;
        return false;
    }
    std::string error;
    if (!platform::writeFileAtomically(path_, formatBestTimes(table_), error)) {
        std::cout << error << "." << std::endl;
        return false;
    }
    return true;
}

}  // namespace velmora

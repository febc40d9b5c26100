#include "app/online/RunQueue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/DataFolders.h"

namespace velmora::app {

namespace {

constexpr const char* kExtension = ".vzr";

bool isRunFile(const std::string& name) {
    const std::size_t length = std::char_traits<char>::length(kExtension);
    return name.size() > length && name.compare(name.size() - length, length, kExtension) == 0;
}

// Milliseconds since the epoch, zero-padded so names sort by time, then the
// process and a count, so two runs in one millisecond (or two games) differ.
std::string nextName() {
    static std::atomic<unsigned> counter{0};
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    char name[80];
    std::snprintf(name, sizeof name, "%015lld-%d-%u%s", ms, static_cast<int>(::getpid()), counter++, kExtension);
    return name;
}

}  // namespace

RunQueue::RunQueue(std::string folder) : folder_(std::move(folder)) {}

std::string RunQueue::defaultFolder() {
    const std::string data = platform::dataFolderPath();
    return data.empty() ? std::string() : data + "/outbox";
}

bool RunQueue::add(const Replay& run, std::string& error) {
    if (folder_.empty() || !platform::prepareFolder(folder_)) {
        error = "The run is not queued for the leaderboard: no folder to keep it in";
        return false;
    }
    return saveReplay(folder_ + "/" + nextName(), run, error);
}

std::vector<std::string> RunQueue::waiting() const {
    std::vector<std::string> paths;
    DIR* dir = folder_.empty() ? nullptr : ::opendir(folder_.c_str());
    if (dir == nullptr) return paths;
    while (const dirent* entry = ::readdir(dir)) {
        // Temporary files of a save under way end otherwise, and so do runs set aside.
        if (isRunFile(entry->d_name)) paths.push_back(folder_ + "/" + entry->d_name);
    }
    ::closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

void RunQueue::remove(const std::string& path) const { ::unlink(path.c_str()); }

void RunQueue::setAside(const std::string& path, const std::string& reason) const {
    platform::keepAside(path, reason);
}

}  // namespace velmora::app

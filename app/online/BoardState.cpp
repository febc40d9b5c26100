#include "app/online/BoardState.h"

namespace velmora::app {

void BoardState::setLatestRun(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    latestRun_ = line;
}

std::string BoardState::latestRun() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return latestRun_;
}

void BoardState::setLevelBoard(const std::string& level, const std::vector<std::string>& lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardLevel_ = level;
    boardLines_ = lines;
}

std::vector<std::string> BoardState::levelBoard(const std::string& level) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (level != boardLevel_) return {"Leaderboard: fetching"};
    return boardLines_;
}

void BoardState::setRecord(RecordDownload record) {
    std::lock_guard<std::mutex> lock(mutex_);
    record_ = std::move(record);
}

std::optional<RecordDownload> BoardState::takeRecord() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<RecordDownload> taken = std::move(record_);
    record_.reset();
    return taken;
}

}  // namespace velmora::app

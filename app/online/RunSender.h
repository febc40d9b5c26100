#pragma once
// The game's side of the leaderboard, on a thread of its own so that no
// frame ever waits on the network: it sends the queued runs (RunQueue.h),
// registering the player on the first need (PlayerToken.h), follows each
// run it sent until the server has verified or rejected it, and fetches
// what the Levels screen asks for. What it learns goes to its BoardState.
//
// A failure the server may outlast (no answer, a 5xx, a 429) is tried again
// later (RetryDelay.h) with the run kept; any other refusal is one line and
// the run is set aside. Nothing of it starts while no address is set.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/online/BoardState.h"
#include "app/online/HttpClient.h"
#include "app/online/PlayerToken.h"
#include "app/online/RunQueue.h"

namespace velmora::app {

struct SenderSetup {
    std::string address;      // the setting, as the player wrote it
    std::string playerName;
    std::string tokenPath;    // PlayerToken.h
    std::string queueFolder;  // RunQueue.h
};

class RunSender {
public:
    explicit RunSender(SenderSetup setup);  // starts the thread
    ~RunSender();                           // stops it, cutting a request short
    RunSender(const RunSender&) = delete;
    RunSender& operator=(const RunSender&) = delete;

    // A run was just queued: look now rather than at the next round.
    void wake();
    // The Levels screen shows this level (its identity): fetch its table.
    void requestBoard(const std::string& level, const std::string& title);
    // "Race the record": download the level's first place.
    void requestRecord(const std::string& level);

    BoardState& state() { return state_; }
    const BoardState& state() const { return state_; }

private:
    using Clock = std::chrono::steady_clock;
    struct Wanted {
        std::string boardLevel, boardTitle, recordLevel;
        bool woken = false;
    };

    void run();
    void sendWaiting();
    bool haveToken();
    void retryLater(const std::string& why);
    void pollSent();
    void fetchBoard(const std::string& level, const std::string& title);
    void fetchRecord(const std::string& level);
    HttpReply get(const std::string& path, bool withToken = false);

    SenderSetup setup_;
    std::string root_;
    BoardState state_;
    RunQueue queue_;
    std::atomic<bool> stopping_{false};
    HttpClient http_{stopping_};

    std::mutex mutex_;
    std::condition_variable wakeUp_;
    Wanted wanted_;  // under mutex_

    // The thread's own.
    std::optional<PlayerToken> token_;
    bool gaveUp_ = false;  // the player can't be registered as set; until a restart
    int failures_ = 0;
    Clock::time_point retryAt_{};
    std::vector<std::int64_t> sent_;  // runs accepted for checking, not yet verified or rejected
    std::int64_t latest_ = 0;         // the last run sent, whose state the HUD shows

    std::thread thread_;  // last: starts once everything above is made
};

}  // namespace velmora::app

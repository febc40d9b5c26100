#include "app/online/RunSender.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "app/online/BoardLines.h"
#include "app/online/LeaderboardSettings.h"
#include "app/online/RankText.h"
#include "app/online/RetryDelay.h"
#include "platform/AtomicFile.h"

namespace velmora::app {

namespace {

using nlohmann::json;

constexpr std::size_t kLongestRun = 512 * 1024;  // what the server takes
constexpr auto kRescan = std::chrono::seconds(2);  // the outbox, for runs queued by another game
constexpr auto kPollEvery = std::chrono::milliseconds(500);

json parsed(const HttpReply& reply) { return json::parse(reply.body, nullptr, false); }

// The server's own line for a refusal, or the status alone.
std::string refusal(const HttpReply& reply) {
    if (reply.status == 0) return reply.error;
    const json body = parsed(reply);
    if (body.is_object() && body.contains("error") && body["error"].is_string()) {
        return body["error"].get<std::string>();
    }
    return "HTTP " + std::to_string(reply.status);
}

bool mayOutlast(const HttpReply& reply) { return reply.status == 0 || reply.status == 429 || reply.status >= 500; }

std::vector<BoardEntry> entriesOf(const json& page) {
    std::vector<BoardEntry> entries;
    if (!page.is_object() || !page.contains("entries") || !page["entries"].is_array()) return entries;
    for (const json& entry : page["entries"]) {
        if (!entry.is_object()) continue;
        entries.push_back({entry.value("rank", 0L), entry.value("player", std::string()),
                           entry.value("time", std::string())});
    }
    return entries;
}

}  // namespace

RunSender::RunSender(SenderSetup setup)
    : setup_(std::move(setup)), root_(apiRoot(setup_.address)), queue_(setup_.queueFolder) {
    wanted_.woken = true;  // runs left queued by an earlier game go at once
    thread_ = std::thread([this] { run(); });
}

RunSender::~RunSender() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wakeUp_.notify_all();
    thread_.join();
}

void RunSender::wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_.woken = true;
    }
    wakeUp_.notify_all();
}

void RunSender::requestBoard(const std::string& level, const std::string& title) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_.boardLevel = level;
        wanted_.boardTitle = title;
    }
    wakeUp_.notify_all();
}

void RunSender::requestRecord(const std::string& level) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_.recordLevel = level;
    }
    wakeUp_.notify_all();
}

void RunSender::run() {
    while (!stopping_) {
        Wanted now;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            const auto waitFor = sent_.empty() ? std::chrono::duration_cast<std::chrono::milliseconds>(kRescan)
                                               : kPollEvery;
            wakeUp_.wait_for(lock, waitFor, [this] {
                return stopping_ || wanted_.woken || !wanted_.boardLevel.empty() || !wanted_.recordLevel.empty();
            });
            now = wanted_;
            wanted_ = Wanted{};
        }
        if (stopping_) break;
        // A server's answer is untrusted: one of the wrong shape is a failed round, never the game's end.
        try {
            if (!now.boardLevel.empty()) fetchBoard(now.boardLevel, now.boardTitle);
            if (!now.recordLevel.empty()) fetchRecord(now.recordLevel);
            if (Clock::now() >= retryAt_) sendWaiting();
            pollSent();
        } catch (const std::exception& error) {
            retryLater(std::string("an answer it could not read (") + error.what() + ")");
        }
    }
}

void RunSender::retryLater(const std::string& why) {
    ++failures_;
    const double seconds = retryDelaySeconds(failures_);
    retryAt_ = Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000.0));
    // One line when the trouble starts, not one per try.
    if (failures_ == 1) std::cout << "Leaderboard: " << why << "; trying again later" << std::endl;
    state_.setLatestRun("Leaderboard: run kept, trying again");
}

bool RunSender::haveToken() {
    if (token_) return true;
    if (gaveUp_) return false;
    if (const auto kept = loadPlayerToken(setup_.tokenPath);
        kept && kept->address == root_ && kept->name == setup_.playerName) {
        token_ = kept;
        return true;
    }
    if (!validPlayerName(setup_.playerName)) {
        std::cout << "Leaderboard: runs are kept, not sent, until player_name is set in settings.ini "
                     "(3 to 20 of A-Z a-z 0-9 _ . -)"
                  << std::endl;
        state_.setLatestRun("Leaderboard: no player name set");
        gaveUp_ = true;
        return false;
    }
    const HttpReply reply =
        http_.send({"POST", root_ + "/players", json{{"name", setup_.playerName}}.dump(), "application/json", {}});
    const json body = parsed(reply);
    if (reply.status == 201 && body.is_object() && body.value("token", std::string()).size() > 0) {
        token_ = PlayerToken{root_, setup_.playerName, body["token"].get<std::string>()};
        // A token for another leaderboard or name is kept aside, not written over: it is the only copy.
        if (loadPlayerToken(setup_.tokenPath)) platform::keepAside(setup_.tokenPath, "a token for another leaderboard or name");
        std::string error;
        if (!savePlayerToken(setup_.tokenPath, *token_, error)) std::cout << error << std::endl;
        return true;
    }
    if (mayOutlast(reply)) {
        retryLater("cannot register " + setup_.playerName + ": " + refusal(reply));
        return false;
    }
    std::cout << "Leaderboard: cannot register " << setup_.playerName << ": " << refusal(reply)
              << "; runs are kept, not sent, until player_name is changed" << std::endl;
    state_.setLatestRun("Leaderboard: " + refusal(reply));
    gaveUp_ = true;
    return false;
}

void RunSender::sendWaiting() {
    const std::vector<std::string> waiting = queue_.waiting();
    if (waiting.empty() || !haveToken()) return;
    for (const std::string& path : waiting) {
        if (stopping_) return;
        std::string bytes;
        std::string error;
        const platform::ReadResult read = platform::readWholeFile(path, kLongestRun, bytes, error);
        if (read == platform::ReadResult::missing) continue;  // another game sent it
        if (read != platform::ReadResult::ok) {
            queue_.setAside(path, error);
            continue;
        }
        const HttpReply reply = http_.send({"POST", root_ + "/runs", bytes, "application/octet-stream", token_->token});
        const json body = parsed(reply);
        if ((reply.status == 200 || reply.status == 202) && body.is_object() && body.contains("id")) {
            failures_ = 0;
            queue_.remove(path);
            latest_ = body["id"].get<std::int64_t>();
            sent_.push_back(latest_);
            state_.setLatestRun("Leaderboard: sent");
            continue;
        }
        if (reply.status == 401) {
            // The server no longer knows the token (its database was made anew): register again.
            platform::keepAside(setup_.tokenPath, "a token this leaderboard does not know");
            token_.reset();
            retryLater("the leaderboard does not know this player's token");
            return;
        }
        if (mayOutlast(reply)) {
            retryLater("cannot send a run: " + refusal(reply));
            return;
        }
        const std::string why = refusal(reply);
        queue_.setAside(path, "refused by the leaderboard: " + why);
        state_.setLatestRun("Leaderboard: refused: " + why);
    }
}

void RunSender::pollSent() {
    for (std::size_t i = 0; i < sent_.size() && !stopping_;) {
        const HttpReply reply = get("/runs/" + std::to_string(sent_[i]));
        const json run = parsed(reply);
        const std::string state = run.is_object() ? run.value("state", std::string()) : std::string();
        if (reply.status != 200 || (state != "accepted" && state != "rejected")) {
            // Still queued or being checked, or no answer: asked again next round. A run the
            // server has lost (404) is not asked about again.
            if (reply.status == 404) {
                sent_.erase(sent_.begin() + static_cast<long>(i));
            } else {
                ++i;
            }
            continue;
        }
        if (sent_[i] == latest_) {
            if (state == "accepted" && run.contains("rank") && run["rank"].is_number()) {
                state_.setLatestRun("Leaderboard: verified: " +
                                    rankText(run["rank"].get<long>(), run.value("entries", 0L)));
            } else if (state == "accepted") {
                state_.setLatestRun("Leaderboard: verified, not your best");
            } else {
                state_.setLatestRun("Leaderboard: rejected: " + run.value("verdict", std::string()));
            }
        }
        sent_.erase(sent_.begin() + static_cast<long>(i));
    }
}

HttpReply RunSender::get(const std::string& path, bool withToken) {
    HttpRequest request;
    request.url = root_ + path;
    if (withToken && token_) request.bearer = token_->token;
    return http_.send(request);
}

void RunSender::fetchBoard(const std::string& level, const std::string& title) {
    const std::string heading = "Leaderboard: " + title;
    const HttpReply top = get("/levels/" + level + "/table?limit=10");
    if (top.status != 200) {
        state_.setLevelBoard(level, {top.status == 0 ? "Leaderboard: offline"
                                     : top.status == 404 ? "Leaderboard: this level is not on it"
                                                         : "Leaderboard: " + refusal(top)});
        return;
    }
    if (!token_) {
        if (const auto kept = loadPlayerToken(setup_.tokenPath); kept && kept->address == root_) token_ = kept;
    }
    std::vector<BoardEntry> around;
    if (token_) {
        const HttpReply mine = get("/levels/" + level + "/around", true);
        if (mine.status == 200) around = entriesOf(parsed(mine));
    }
    state_.setLevelBoard(level, boardLines(heading, entriesOf(parsed(top)), around, setup_.playerName));
}

void RunSender::fetchRecord(const std::string& level) {
    RecordDownload record{level, std::nullopt, {}};
    const HttpReply top = get("/levels/" + level + "/table?limit=1");
    const json page = parsed(top);
    if (top.status != 200) {
        record.error = "Leaderboard: " + (top.status == 0 ? std::string("offline") : refusal(top));
    } else if (!page.is_object() || !page.contains("entries") || !page["entries"].is_array() ||
               page["entries"].empty() || !page["entries"][0].contains("run")) {
        record.error = "No record on the leaderboard yet";
    } else {
        const HttpReply file = get("/runs/" + std::to_string(page["entries"][0]["run"].get<std::int64_t>()) + "/replay");
        Replay replay;
        std::string error;
        if (file.status != 200) {
            record.error = "Leaderboard: " + refusal(file);
        } else if (!decodeReplay(file.body, replay, error)) {
            record.error = "The record's replay is " + error;
        } else {
            record.run = std::move(replay);
        }
    }
    state_.setRecord(std::move(record));
}

}  // namespace velmora::app

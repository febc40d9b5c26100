// The leaderboard client's parts that need no server: how a place reads, how
// long a failed send waits, the run queue across a restart and the token's
// file. The sending itself runs against the real server in the end-to-end
// test (tests/e2e/leaderboard.sh).

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <sys/stat.h>

#include "LevelTestFiles.h"
#include "app/online/BoardLines.h"
#include "app/online/LeaderboardSettings.h"
#include "app/online/PlayerToken.h"
#include "app/online/RankText.h"
#include "app/online/RetryDelay.h"
#include "app/online/RunQueue.h"
#include "app/online/RunSender.h"

using namespace velmora;
using namespace velmora::app;
using velmora::testing::TempFolder;

TEST(LeaderboardText, PlacesReadAsOrdinalsWithTheTeensApart) {
    const struct {
        long rank;
        const char* text;
    } cases[] = {{1, "1st"},    {2, "2nd"},    {3, "3rd"},    {4, "4th"},    {11, "11th"},
                 {12, "12th"},  {13, "13th"},  {21, "21st"},  {22, "22nd"},  {23, "23rd"},
                 {101, "101st"}, {111, "111th"}, {112, "112th"}, {113, "113th"}, {1002, "1002nd"}};
    for (const auto& c : cases) EXPECT_EQ(ordinal(c.rank), c.text) << c.rank;
    EXPECT_EQ(rankText(3, 41), "3rd of 41");

    // The table: the top, then past a gap the player's neighbours, never a row twice.
    const std::vector<BoardEntry> top = {{1, "ann", "0:10.00"}, {2, "bob", "0:11.00"}};
    EXPECT_EQ(boardLines("Leaderboard: Roll", {}, {}, "me"), std::vector<std::string>{"Leaderboard: Roll: no runs yet"});
    EXPECT_EQ(boardLines("L", top, {{2, "bob", "0:11.00"}, {3, "me", "0:12.00"}}, "me"),
              (std::vector<std::string>{"L", "1st  ann  0:10.00", "2nd  bob  0:11.00", "> 3rd  me  0:12.00"}));
    EXPECT_EQ(boardLines("L", top, {{40, "cy", "0:20.00"}, {41, "me", "0:21.00"}}, "me"),
              (std::vector<std::string>{"L", "1st  ann  0:10.00", "2nd  bob  0:11.00", "...", "40th  cy  0:20.00",
                                        "> 41st  me  0:21.00"}));
}

TEST(LeaderboardSending, RetriesWaitTwiceAsLongEachTimeUpToAMinute) {
    const struct {
        int failures;
        double seconds;
    } cases[] = {{1, 1.0}, {2, 2.0}, {3, 4.0}, {6, 32.0}, {7, 60.0}, {1000, 60.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(retryDelaySeconds(c.failures), c.seconds) << c.failures;
}

TEST(LeaderboardSettings, AddressesAndNamesAreCheckedAndTheApiRootFound) {
    for (const char* good : {"http://127.0.0.1:8642/v1", "https://board.example", "http://h/"}) {
        EXPECT_TRUE(validLeaderboardAddress(good)) << good;
    }
    for (const char* bad : {"", "127.0.0.1:8642", "http://", "http:///v1", "http://a b", "file:///etc"}) {
        EXPECT_FALSE(validLeaderboardAddress(bad)) << bad;
    }
    EXPECT_TRUE(validPlayerName("ann_b.2-x"));
    for (const char* bad : {"ab", "twenty-one-letters-xx", "ann b", "änn"}) EXPECT_FALSE(validPlayerName(bad)) << bad;
    EXPECT_EQ(apiRoot("http://h:1/v1"), "http://h:1/v1");
    EXPECT_EQ(apiRoot("http://h:1/"), "http://h:1/v1");
}

TEST(LeaderboardSending, QueuedRunsOutliveTheGameAndARefusedOneIsKeptAside) {
    TempFolder temp;
    const std::string folder = temp.file("data/outbox");
    Replay first;
    first.levelIdentity = 7;
    first.inputs.resize(3);
    Replay second = first;
    second.inputs.resize(5);
    {
        RunQueue queue(folder);
        std::string error;
        ASSERT_TRUE(queue.add(first, error)) << error;
        ASSERT_TRUE(queue.add(second, error)) << error;
    }
    // The next start: both are there, oldest first, whole.
    RunQueue queue(folder);
    const std::vector<std::string> waiting = queue.waiting();
    ASSERT_EQ(waiting.size(), 2u);
    Replay read;
    std::string error;
    ASSERT_TRUE(loadReplay(waiting[0], read, error)) << error;
    EXPECT_EQ(read.inputs.size(), 3u);

    queue.remove(waiting[0]);
    ::testing::internal::CaptureStdout();
    queue.setAside(waiting[1], "refused by the leaderboard: an impossible input");
    EXPECT_NE(::testing::internal::GetCapturedStdout().find("an impossible input"), std::string::npos);
    EXPECT_TRUE(queue.waiting().empty());
    EXPECT_TRUE(std::filesystem::exists(waiting[1] + ".bad"));
}

TEST(LeaderboardSending, TheTokenIsThePlayersAloneAndABadFileIsKeptAside) {
    TempFolder temp;
    const std::string path = temp.file("leaderboard-token");
    std::string error;
    ASSERT_TRUE(savePlayerToken(path, {"http://h/v1", "ann", std::string(64, 'a')}, error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const auto token = loadPlayerToken(path);
    ASSERT_TRUE(token);
    EXPECT_EQ(token->address, "http://h/v1");
    EXPECT_EQ(token->name, "ann");
    EXPECT_EQ(token->token, std::string(64, 'a'));

    temp.writeText("leaderboard-token", "half a file");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(loadPlayerToken(path));
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(std::filesystem::exists(path + ".bad"));
}

TEST(LeaderboardSending, ARunIsKeptWhileTheLeaderboardDoesNotAnswer) {
    TempFolder temp;
    const std::string folder = temp.file("outbox");
    Replay run;
    run.inputs.resize(2);
    std::string error;
    ASSERT_TRUE(RunQueue(folder).add(run, error)) << error;
    ::testing::internal::CaptureStdout();
    {
        // Port 1 on loopback: refused at once, as a leaderboard that is down.
        RunSender sender({"http://127.0.0.1:1/v1", "ann", temp.file("leaderboard-token"), folder});
        sender.wake();
        for (int i = 0; i < 250 && sender.state().latestRun().empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_EQ(sender.state().latestRun(), "Leaderboard: run kept, trying again");
    }
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(RunQueue(folder).waiting().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(temp.file("leaderboard-token")));
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/play/PlaySession.h"
#include "app/hud/SessionLines.h"
#include "screen/TextFit.h"
#include "sim/RunClock.h"

using namespace velmora::app;

namespace {

// The session over a run of frames, each with its restart press and focus.
class SessionFrames : public testing::Test {
protected:
    SessionActions frame(bool restart, bool focused) {
        return applySessionControls(session, SessionControls{restart, focused});
    }
    PlaySession session;
};

std::vector<std::string> texts(const std::vector<HudLine>& lines) {
    std::vector<std::string> out;
    for (const HudLine& line : lines) out.push_back(line.text);
    return out;
}

}  // namespace

TEST_F(SessionFrames, LosingTheFocusPausesOnlyAfterHavingHadItAndGettingItBackDoesNotResume) {
    // A window that never had the focus (a bare virtual display) plays on.
    for (int i = 0; i < 3; ++i) frame(false, false);
    EXPECT_FALSE(session.paused);

    frame(false, true);
    frame(false, false);
    EXPECT_TRUE(session.paused);
    frame(false, true);  // focus back: still paused
    EXPECT_TRUE(session.paused);

    // Resumed (the menu's doing) while still without focus: it stays resumed.
    frame(false, false);
    EXPECT_TRUE(session.paused);
    session.paused = false;
    frame(false, false);
    EXPECT_FALSE(session.paused);
    EXPECT_TRUE(frame(true, false).restart);
}

TEST(RunTime, StepsOfASixtiethShownAsMinutesSecondsAndHundredths) {
    EXPECT_EQ(velmora::runTimeText(0), "0:00.00");
    EXPECT_EQ(velmora::runTimeText(1), "0:00.01");    // 1.67 hundredths, truncated
    EXPECT_EQ(velmora::runTimeText(90), "0:01.50");
    EXPECT_EQ(velmora::runTimeText(3599), "0:59.98");
    EXPECT_EQ(velmora::runTimeText(3600), "1:00.00");
    EXPECT_EQ(velmora::runTimeText(60L * 60 * 61 + 6), "61:00.10");

    PlaySession session;
    session.timedSteps = 900;
    finishRun(session);
    EXPECT_EQ(session.bestSteps, 900);
    session.timedSteps = 1200;  // slower: the best stays
    finishRun(session);
    EXPECT_EQ(session.bestSteps, 900);
    session.timedSteps = 600;
    finishRun(session);
    EXPECT_EQ(session.bestSteps, 600);

    // A recorded run's time starts at its first push or uncoupling; a restart
    // or the start's pull alone is no act.
    const velmora::StepInput idle, restart{glm::vec3(0.0f), true, true};
    const velmora::StepInput push{glm::vec3(0.0f, 0.0f, -1.0f), true, false};
    const velmora::StepInput uncouple{glm::vec3(0.0f), false, false};
    EXPECT_EQ(velmora::clockedSteps({restart, idle, idle}), 0);
    EXPECT_EQ(velmora::clockedSteps({restart, idle, push, idle, idle}), 3);
    EXPECT_EQ(velmora::clockedSteps({idle, uncouple, idle}), 2);
}

TEST(RunTime, HudShowsTimerTopRightReplayUnderItAndTheMagnetBottomRight) {
    PlaySession session;
    session.runSteps = 150;  // a second idle before the first push shows nowhere
    session.timedSteps = 90;
    std::vector<HudLine> lines = sessionLines(session, true, 1920, 1080);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"0:01.50", "Magnet: pull"}));
    // Right-aligned 20 pixels in from the corners: every character is size wide.
    EXPECT_EQ(lines[0].x + 7 * lines[0].size, 1900);
    EXPECT_EQ(lines[0].y + lines[0].size, 1060);
    EXPECT_EQ(lines[1].x + 12 * lines[1].size, 1900);
    EXPECT_EQ(lines[1].y, 20);

    // On a small screen the readouts shrink with it, still in their corners.
    session.watching = true;
    lines = sessionLines(session, false, 640, 360, false);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"Replay 1x", "Magnet: push"}));
    EXPECT_EQ(lines[0].size, 10);
    EXPECT_EQ(lines[0].x + 9 * 10, 630);
    EXPECT_EQ(lines[1].y, 10);

    // The leaderboard's line over the magnet, kept to the right half: made
    // smaller, then cut short, rather than reach the frame-time readout.
    for (const std::string& line : {std::string("Leaderboard: verified: 3rd of 41"),
                                    "Leaderboard: rejected: " + std::string(80, 'x')}) {
        lines = sessionLines(session, false, 640, 360, false, line);
        ASSERT_EQ(lines.size(), 3u);
        const HudLine& board = lines[2];
        EXPECT_EQ(board.x + velmora::textWidth(board.text, board.size), 630) << line;
        EXPECT_GE(board.x, 320) << line;
        EXPECT_GE(board.size, velmora::kSmallestTextSize) << line;
        EXPECT_GT(board.y, lines[1].y + lines[1].size) << line;
        EXPECT_EQ(board.text.substr(0, 22), line.substr(0, 22));
    }
}

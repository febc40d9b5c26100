#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/play/PlaySession.h"
#include "app/hud/SessionLines.h"
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

TEST(RunTime, HudShowsTimerTopRightPausedMidScreenTimesUnderTheWinAndTheMagnet) {
    PlaySession session;
    session.runSteps = 150;  // a second idle before the first push shows nowhere
    session.timedSteps = 90;
    std::vector<HudLine> lines = sessionLines(session, false, true, 1920, 1080);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"0:01.50", "Magnet: pull"}));
    // Right-aligned 20 pixels in from the corners: every character is size wide.
    EXPECT_EQ(lines[0].x + 7 * lines[0].size, 1900);
    EXPECT_EQ(lines[0].y + lines[0].size, 1060);
    EXPECT_EQ(lines[1].x + 12 * lines[1].size, 1900);
    EXPECT_EQ(lines[1].y, 20);

    session.paused = true;
    lines = sessionLines(session, false, false, 1920, 1080);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"0:01.50", "Paused", "Magnet: push"}));
    EXPECT_EQ(lines[1].x * 2 + 6 * lines[1].size, 1920);
    EXPECT_EQ(lines[1].y * 2 + lines[1].size, 1080);

    // Won, before any best: the run's time centred under "You won the game!"
    // (at 720), then the keys; with a best, that too, in between.
    session.paused = false;
    const std::string keys = "R: new run   V: watch it   Esc: quit";
    lines = sessionLines(session, true, true, 1920, 1080);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"0:01.50", "Time: 0:01.50", keys, "Magnet: pull"}));
    EXPECT_NEAR(lines[1].x * 2 + 13 * lines[1].size, 1920, 1);  // centred, to the pixel
    EXPECT_EQ(lines[2].x * 2 + static_cast<int>(keys.size()) * lines[2].size, 1920);
    EXPECT_LE(lines[1].y + lines[1].size, 720);
    EXPECT_LT(lines[2].y + lines[2].size, lines[1].y);
    // With a best, that too, and the way on when a next level is open.
    session.bestSteps = 60;
    session.nextLevelOpen = true;
    lines = sessionLines(session, true, true, 1920, 1080);
    ASSERT_EQ(texts(lines), (std::vector<std::string>{"0:01.50", "Time: 0:01.50", "Best: 0:01.00",
                                                      "N: next level   " + keys, "Magnet: pull"}));
    EXPECT_LE(lines[2].y + lines[2].size, lines[1].y);
    EXPECT_LE(lines[3].y + lines[3].size, lines[2].y);
}

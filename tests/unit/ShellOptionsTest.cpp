#include <gtest/gtest.h>

#include "app/ShellOptions.h"

using namespace velmora::app;

TEST(ShellOptions, FirstValuesAreRestoredWhateverCameBefore) {
    showHelp = true;
    showFrameTime = true;
    optionKeyLockout = 3.0;
    fieldOfView = 60.0f;
    gameWon = true;
    statusMessageVisible = true;
    statusMessageAge = 2.0;
    frameTimeRefreshTimer = 0.5;
    setFirstValues();
    EXPECT_FALSE(showHelp);
    EXPECT_FALSE(showFrameTime);
    EXPECT_EQ(optionKeyLockout, 0.0);
    EXPECT_EQ(fieldOfView, 45.0f);
    EXPECT_FALSE(gameWon);
    EXPECT_FALSE(statusMessageVisible);
    EXPECT_EQ(statusMessageAge, 0.0);
    // The first frame that shows frame times builds them at once.
    EXPECT_EQ(frameTimeRefreshTimer, 10000.0);
}

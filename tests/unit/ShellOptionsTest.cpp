#include <gtest/gtest.h>

#include "app/camera/Camera.h"
#include "app/shell/ShellOptions.h"

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
    statusMessage = "Shadows disabled";
    frameTimeText = "59fps, time:16ms";
    CameraState camera;
    camera.yaw = 30.0f;
    camera.pitch = -20.0f;
    camera.zoomWheelOrigin = 4;
    setFirstValues();
    resetCamera(camera);
    EXPECT_FALSE(showHelp);
    EXPECT_FALSE(showFrameTime);
    EXPECT_EQ(optionKeyLockout, 0.0);
    EXPECT_EQ(fieldOfView, 45.0f);
    EXPECT_FALSE(gameWon);
    EXPECT_FALSE(statusMessageVisible);
    EXPECT_EQ(statusMessageAge, 0.0);
    // The first frame that shows frame times builds them at once.
    EXPECT_EQ(frameTimeRefreshTimer, 10000.0);
    EXPECT_EQ(statusMessage, "");
    EXPECT_EQ(frameTimeText, "");
    // The camera starts behind the sphere, looking down on it.
    EXPECT_EQ(camera.yaw, 0.0f);
    EXPECT_EQ(camera.pitch, kStartPitch);
    EXPECT_EQ(camera.zoomWheelOrigin, 0);
}

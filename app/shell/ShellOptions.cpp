#include "app/shell/ShellOptions.h"

#include "app/camera/Camera.h"
#include "app/hud/ScreenOverlay.h"
#include "render/RenderOptions.h"

namespace velmora::app {

bool showHelp = false;
bool showFrameTime = false;
double optionKeyLockout = 0.0;
float fieldOfView = 45.0f;
bool gameWon = false;
std::string statusMessage;
bool statusMessageVisible = false;
double statusMessageAge = 0.0;
double frameTimeRefreshTimer = 10000.0;
std::string frameTimeText;
std::string objectCountText;

void setFirstValues() {
    shadowsEnabled = true;
    transparencyEnabled = true;
    showHelp = false;
    showFrameTime = false;
    optionKeyLockout = 0.0;
    fieldOfView = 45.0f;
    gameWon = false;
    statusMessage.clear();
    statusMessageVisible = false;
    statusMessageAge = 0.0;
    // Large, so the first frame that shows the frame-time lines builds them at once.
    frameTimeRefreshTimer = 10000.0;
    frameTimeText.clear();
    objectCountText.clear();
    clearScreenOverlay();
}

}  // namespace velmora::app

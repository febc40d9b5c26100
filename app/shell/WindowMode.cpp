#include "app/shell/WindowMode.h"

#include "app/shell/ScreenSize.h"
#include "app/shell/ShellState.h"
#include "platform/Window.h"

namespace velmora::app {

namespace {

constexpr int kKeyF11 = platform::KEY_F1 + 10;

}  // namespace

WindowRect windowedRect(const Settings& settings, int desktopWidth, int desktopHeight) {
    if (settings.windowWidth > 0 && settings.windowHeight > 0) {
        return {settings.windowX, settings.windowY, settings.windowWidth, settings.windowHeight};
    }
    const int width = desktopWidth * 3 / 4;
    const int height = desktopHeight * 3 / 4;
    return {(desktopWidth - width) / 2, (desktopHeight - height) / 2, width, height};
}

void rememberWindow(ShellState& shell) {
    if (platform::isFullScreen()) return;
    WindowRect rect;
    platform::getWindowRect(&rect.x, &rect.y, &rect.width, &rect.height);
    if (rect.width <= 0 || rect.height <= 0) return;
    shell.settings.windowX = rect.x;
    shell.settings.windowY = rect.y;
    shell.settings.windowWidth = rect.width;
    shell.settings.windowHeight = rect.height;
}

void setFullScreenMode(ShellState& shell, bool fullScreen) {
    rememberWindow(shell);
    const platform::VideoMode desktop = platform::getDesktopMode();
    const WindowRect rect = windowedRect(shell.settings, desktop.width, desktop.height);
    platform::setFullScreen(fullScreen, rect.x, rect.y, rect.width, rect.height);
    shell.settings.fullScreen = fullScreen;
    rememberWindow(shell);
    // The new mode may also reset the swap interval.
    platform::setSwapInterval(shell.settings.vsync ? 1 : 0);
    shell.settingsFile.saveIfChanged(shell.settings);
    followWindowSize(shell);
}

void followWindowSize(ShellState& shell) {
    int width = 0;
    int height = 0;
    platform::getFramebufferSize(&width, &height);
    if (width <= 0 || height <= 0) return;
    if (width == shell.screenWidth && height == shell.screenHeight) return;
    setScreenSize(shell, width, height);
}

void updateWindowMode(ShellState& shell) {
    // Each press switches; two between two frames end where they began, so
    // the window is left alone. A key prompt takes every key, these too.
    FrameInput& input = shell.input;
    if (!shell.menu.waitingForKey) {
        const int presses = input.takeKey(kKeyF11) + input.takeKey(platform::KEY_ENTER, platform::MOD_ALT);
        if (presses % 2 == 1) setFullScreenMode(shell, !platform::isFullScreen());
    }
    followWindowSize(shell);
}

}  // namespace velmora::app

#include "platform/Window.h"

#include <GLFW/glfw3.h>

#include <array>
#include <cmath>
#include <optional>
#include <set>
#include <utility>

#include "platform/Gamepad.h"

namespace velmora::platform {

namespace {

struct Hints {
    int major = 1;
    int minor = 0;
    int profile = 0;
    bool debug = false;
};

struct Script {
    std::function<double()> clock;
    std::set<int> keys;
    std::set<int> buttons;
    std::optional<std::pair<int, int>> cursor;
    std::optional<int> wheel;
    bool windowClosed = false;
    std::optional<bool> focused;
};

GLFWwindow* window = nullptr;
Hints hints;
Script scripted;
double wheelPosition = 0.0;
// Keys and buttons pressed during the latest event poll. Each reads as down
// until the next poll, whether or not it is still held, so a tap that starts
// and ends between two frames is seen by the whole of the next frame, and by
// every reader of it, but only by that frame: a release is never read as a
// press later on, as the library's sticky keys would have it.
std::array<bool, GLFW_KEY_LAST + 1> keyTapped{};
std::array<bool, GLFW_MOUSE_BUTTON_LAST + 1> buttonTapped{};

void onScroll(GLFWwindow*, double, double yOffset) { wheelPosition += yOffset; }

void onKey(GLFWwindow*, int key, int, int action, int) {
    if (action == GLFW_PRESS && key >= 0 && key <= GLFW_KEY_LAST) keyTapped[key] = true;
}

void onMouseButton(GLFWwindow*, int button, int action, int) {
    if (action == GLFW_PRESS && button >= 0 && button <= GLFW_MOUSE_BUTTON_LAST) {
        buttonTapped[button] = true;
    }
}

}  // namespace

bool init() {
    hints = Hints{};
    wheelPosition = 0.0;
    return glfwInit() == GLFW_TRUE;
}

void terminate() {
    glfwTerminate();
    window = nullptr;
}

void openWindowHint(int target, int hint) {
    switch (target) {
        case OPENGL_VERSION_MAJOR: hints.major = hint; break;
        case OPENGL_VERSION_MINOR: hints.minor = hint; break;
        case OPENGL_PROFILE: hints.profile = hint; break;
        case OPENGL_DEBUG_CONTEXT: hints.debug = hint != 0; break;
        default: break;
    }
}

VideoMode getDesktopMode() {
    VideoMode mode;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* video = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (video) {
        mode.width = video->width;
        mode.height = video->height;
        mode.redBits = video->redBits;
        mode.greenBits = video->greenBits;
        mode.blueBits = video->blueBits;
        mode.refreshRate = video->refreshRate;
    }
    return mode;
}

bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits, int mode) {
    if (window) {
        return false;  // one window at a time
    }
    glfwDefaultWindowHints();
    if (redBits > 0) glfwWindowHint(GLFW_RED_BITS, redBits);
    if (greenBits > 0) glfwWindowHint(GLFW_GREEN_BITS, greenBits);
    if (blueBits > 0) glfwWindowHint(GLFW_BLUE_BITS, blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, alphaBits);
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, stencilBits);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, hints.major);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, hints.minor);
    if (hints.profile == OPENGL_CORE_PROFILE) {
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    }
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, hints.debug ? GLFW_TRUE : GLFW_FALSE);
    GLFWmonitor* monitor = mode == FULLSCREEN ? glfwGetPrimaryMonitor() : nullptr;
    window = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!window) {
        return false;
    }
    glfwMakeContextCurrent(window);
    // One frame per display refresh: the frame rate is the display's, not
    // whatever the driver does; the game clock copes with any rate.
    glfwSwapInterval(1);
    glfwSetScrollCallback(window, onScroll);
    // A key tapped between two polls must not be lost on a slow frame; the
    // taps are latched per poll (see keyTapped) rather than with sticky keys.
    keyTapped.fill(false);
    buttonTapped.fill(false);
    glfwSetKeyCallback(window, onKey);
    glfwSetMouseButtonCallback(window, onMouseButton);
    return true;
}

void setWindowTitle(const char* title) {
    if (window) glfwSetWindowTitle(window, title);
}

void* getProcAddress(const char* name) {
    return reinterpret_cast<void*>(glfwGetProcAddress(name));
}

void hideMouseCursor() {
    if (window) glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void showMouseCursor() {
    if (window) glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

void setFullScreen(bool fullScreen, int x, int y, int width, int height) {
    if (!window) return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* video = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (fullScreen && video) {
        glfwSetWindowMonitor(window, monitor, 0, 0, video->width, video->height, video->refreshRate);
    } else {
        glfwSetWindowMonitor(window, nullptr, x, y, width, height, GLFW_DONT_CARE);
    }
}

bool isFullScreen() { return window && glfwGetWindowMonitor(window) != nullptr; }

void getWindowRect(int* x, int* y, int* width, int* height) {
    int px = 0, py = 0, w = 0, h = 0;
    if (window) {
        glfwGetWindowPos(window, &px, &py);
        glfwGetWindowSize(window, &w, &h);
    }
    if (x) *x = px;
    if (y) *y = py;
    if (width) *width = w;
    if (height) *height = h;
}

void getFramebufferSize(int* width, int* height) {
    int w = 0, h = 0;
    if (window) glfwGetFramebufferSize(window, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
}

void setSwapInterval(int interval) {
    if (window) glfwSwapInterval(interval);
}

int getKey(int key) {
    if (scripted.keys.count(key)) return PRESS;
    const int libraryKey = toLibraryKey(key);
    if (!window || libraryKey < 0) return RELEASE;
    const bool down = glfwGetKey(window, libraryKey) == GLFW_PRESS || keyTapped[libraryKey];
    return down ? PRESS : RELEASE;
}

int getMouseButton(int button) {
    if (scripted.buttons.count(button)) return PRESS;
    if (!window || button < 0 || button > MOUSE_BUTTON_LAST) return RELEASE;
    const bool down = glfwGetMouseButton(window, button) == GLFW_PRESS || buttonTapped[button];
    return down ? PRESS : RELEASE;
}

void getMousePos(int* x, int* y) {
    int px = 0;
    int py = 0;
    if (scripted.cursor) {
        px = scripted.cursor->first;
        py = scripted.cursor->second;
    } else if (window) {
        double dx = 0.0;
        double dy = 0.0;
        glfwGetCursorPos(window, &dx, &dy);
        px = static_cast<int>(std::floor(dx));
        py = static_cast<int>(std::floor(dy));
    }
    if (x) *x = px;
    if (y) *y = py;
}

int getMouseWheel() {
    if (scripted.wheel) return *scripted.wheel;
    return static_cast<int>(std::lround(wheelPosition));
}

double getTime() {
    if (scripted.clock) return scripted.clock();
    return glfwGetTime();
}

void swapBuffers() {
    if (!window) return;
    glfwSwapBuffers(window);
    keyTapped.fill(false);
    buttonTapped.fill(false);
    glfwPollEvents();
}

bool hasFocus() {
    if (scripted.focused) return *scripted.focused;
    return window && glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
}

int getWindowParam(int param) {
    if (param != OPENED) return 0;
    if (!window || scripted.windowClosed) return 0;
    return glfwWindowShouldClose(window) ? 0 : 1;
}

namespace script {
void setClock(std::function<double()> clock) { scripted.clock = std::move(clock); }
void setKey(int key, bool down) {
    if (down) scripted.keys.insert(key); else scripted.keys.erase(key);
}
void setMouseButton(int button, bool down) {
    if (down) scripted.buttons.insert(button); else scripted.buttons.erase(button);
}
void setMousePos(int x, int y) { scripted.cursor = std::make_pair(x, y); }
void setMouseWheel(int position) { scripted.wheel = position; }
void setWindowClosed(bool closed) { scripted.windowClosed = closed; }
void setFocused(bool focused) { scripted.focused = focused; }
void reset() {
    scripted = Script{};
    clearGamepad();
}
}  // namespace script

}  // namespace velmora::platform

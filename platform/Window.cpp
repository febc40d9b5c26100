#include "platform/Window.h"

#include <GLFW/glfw3.h>

#include <array>
#include <cmath>
#include <memory>
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
    std::vector<InputEvent> events;  // what the changes above would have reported

    int mods() const {
        const auto held = [this](int a, int b) { return keys.count(a) > 0 || keys.count(b) > 0; };
        return (held(KEY_LSHIFT, KEY_RSHIFT) ? MOD_SHIFT : 0) |
               (held(KEY_LCTRL, KEY_RCTRL) ? MOD_CONTROL : 0) | (held(KEY_LALT, KEY_RALT) ? MOD_ALT : 0);
    }
};

// The open window and what its callbacks record, which the library hands
// back to them through the window's user pointer.
struct OpenWindow {
    GLFWwindow* handle = nullptr;
    double wheelPosition = 0.0;
    // Keys and buttons pressed during the latest event poll. Each reads as down
    // until the next poll, whether or not it is still held, so a tap that starts
    // and ends between two frames is seen as held by the whole of the next
    // frame, and by every reader of it, but only by that frame: a release is
    // never read as a press later on, as the library's sticky keys would have it.
    std::array<bool, GLFW_KEY_LAST + 1> keyTapped{};
    std::array<bool, GLFW_MOUSE_BUTTON_LAST + 1> buttonTapped{};
    std::vector<InputEvent> events;  // since the frame last took them

    static OpenWindow& of(GLFWwindow* handle) {
        return *static_cast<OpenWindow*>(glfwGetWindowUserPointer(handle));
    }
};

static_assert(MOD_SHIFT == GLFW_MOD_SHIFT && MOD_CONTROL == GLFW_MOD_CONTROL && MOD_ALT == GLFW_MOD_ALT &&
              MOD_SUPER == GLFW_MOD_SUPER);

// The window layer has one window, as the game has: the hints for the next
// one opened, the scripted input tests play through it, and the window itself
// (whose callbacks reach their state through its user pointer).
Hints hints;
Script scripted;
std::unique_ptr<OpenWindow> theWindow;

void onScroll(GLFWwindow* handle, double, double yOffset) {
    OpenWindow& window = OpenWindow::of(handle);
    window.wheelPosition += yOffset;
    InputEvent event;
    event.kind = InputKind::scroll;
    event.scroll = yOffset;
    window.events.push_back(event);
}

void onKey(GLFWwindow* handle, int key, int, int action, int mods) {
    // A key held long enough to repeat is read as held; only its press counts.
    if (action == GLFW_REPEAT) return;
    OpenWindow& window = OpenWindow::of(handle);
    if (action == GLFW_PRESS && key >= 0 && key <= GLFW_KEY_LAST) window.keyTapped[key] = true;
    const int code = fromLibraryKey(key);
    if (code >= 0) window.events.push_back({InputKind::key, code, action == GLFW_PRESS, mods, 0.0});
}

void onMouseButton(GLFWwindow* handle, int button, int action, int mods) {
    OpenWindow& window = OpenWindow::of(handle);
    if (button < 0 || button > GLFW_MOUSE_BUTTON_LAST) return;
    if (action == GLFW_PRESS) window.buttonTapped[button] = true;
    window.events.push_back({InputKind::mouseButton, button, action == GLFW_PRESS, mods, 0.0});
}

void onCharacter(GLFWwindow* handle, unsigned int codePoint) {
    OpenWindow::of(handle).events.push_back(
        {InputKind::character, static_cast<int>(codePoint), true, 0, 0.0});
}

}  // namespace

bool init() {
    hints = Hints{};
    return glfwInit() == GLFW_TRUE;
}

void terminate() {
    glfwTerminate();
    theWindow.reset();
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
    if (theWindow) {
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
    GLFWwindow* handle = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!handle) {
        return false;
    }
    theWindow = std::make_unique<OpenWindow>();
    theWindow->handle = handle;
    glfwSetWindowUserPointer(handle, theWindow.get());
    glfwMakeContextCurrent(handle);
    // One frame per display refresh: the frame rate is the display's, not
    // whatever the driver does; the game clock copes with any rate.
    glfwSwapInterval(1);
    // A key tapped between two polls must not be lost on a slow frame: the
    // events are recorded in order rather than read with sticky keys.
    glfwSetScrollCallback(handle, onScroll);
    glfwSetKeyCallback(handle, onKey);
    glfwSetMouseButtonCallback(handle, onMouseButton);
    glfwSetCharCallback(handle, onCharacter);
    return true;
}

void setWindowTitle(const char* title) {
    if (theWindow) glfwSetWindowTitle(theWindow->handle, title);
}

void* getProcAddress(const char* name) {
    return reinterpret_cast<void*>(glfwGetProcAddress(name));
}

void hideMouseCursor() {
    if (theWindow) glfwSetInputMode(theWindow->handle, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void showMouseCursor() {
    if (theWindow) glfwSetInputMode(theWindow->handle, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
}

void setFullScreen(bool fullScreen, int x, int y, int width, int height) {
    if (!theWindow) return;
    GLFWwindow* window = theWindow->handle;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* video = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (fullScreen && video) {
        glfwSetWindowMonitor(window, monitor, 0, 0, video->width, video->height, video->refreshRate);
    } else {
        glfwSetWindowMonitor(window, nullptr, x, y, width, height, GLFW_DONT_CARE);
    }
}

bool isFullScreen() { return theWindow && glfwGetWindowMonitor(theWindow->handle) != nullptr; }

void getWindowRect(int* x, int* y, int* width, int* height) {
    int px = 0, py = 0, w = 0, h = 0;
    if (theWindow) {
        glfwGetWindowPos(theWindow->handle, &px, &py);
        glfwGetWindowSize(theWindow->handle, &w, &h);
    }
    if (x) *x = px;
    if (y) *y = py;
    if (width) *width = w;
    if (height) *height = h;
}

void getFramebufferSize(int* width, int* height) {
    int w = 0, h = 0;
    if (theWindow) glfwGetFramebufferSize(theWindow->handle, &w, &h);
    if (width) *width = w;
    if (height) *height = h;
}

void setSwapInterval(int interval) {
    if (theWindow) glfwSwapInterval(interval);
}

int getKey(int key) {
    if (scripted.keys.count(key)) return PRESS;
    const int libraryKey = toLibraryKey(key);
    if (!theWindow || libraryKey < 0) return RELEASE;
    const bool down = glfwGetKey(theWindow->handle, libraryKey) == GLFW_PRESS || theWindow->keyTapped[libraryKey];
    return down ? PRESS : RELEASE;
}

int getMouseButton(int button) {
    if (scripted.buttons.count(button)) return PRESS;
    if (!theWindow || button < 0 || button > MOUSE_BUTTON_LAST) return RELEASE;
    const bool down = glfwGetMouseButton(theWindow->handle, button) == GLFW_PRESS || theWindow->buttonTapped[button];
    return down ? PRESS : RELEASE;
}

void getMousePos(int* x, int* y) {
    int px = 0;
    int py = 0;
    if (scripted.cursor) {
        px = scripted.cursor->first;
        py = scripted.cursor->second;
    } else if (theWindow) {
        double dx = 0.0;
        double dy = 0.0;
        glfwGetCursorPos(theWindow->handle, &dx, &dy);
        px = static_cast<int>(std::floor(dx));
        py = static_cast<int>(std::floor(dy));
    }
    if (x) *x = px;
    if (y) *y = py;
}

int getMouseWheel() {
    if (scripted.wheel) return *scripted.wheel;
    return theWindow ? static_cast<int>(std::lround(theWindow->wheelPosition)) : 0;
}

double getTime() {
    if (scripted.clock) return scripted.clock();
    return glfwGetTime();
}

void swapBuffers() {
    if (!theWindow) return;
    glfwSwapBuffers(theWindow->handle);
    theWindow->keyTapped.fill(false);
    theWindow->buttonTapped.fill(false);
    glfwPollEvents();
}

bool hasFocus() {
    if (scripted.focused) return *scripted.focused;
    return theWindow && glfwGetWindowAttrib(theWindow->handle, GLFW_FOCUSED) == GLFW_TRUE;
}

std::vector<InputEvent> takeInputEvents() {
    std::vector<InputEvent> events;
    if (theWindow) events.swap(theWindow->events);
    events.insert(events.end(), scripted.events.begin(), scripted.events.end());
    scripted.events.clear();
    return events;
}

int getWindowParam(int param) {
    if (param != OPENED) return 0;
    if (!theWindow || scripted.windowClosed) return 0;
    return glfwWindowShouldClose(theWindow->handle) ? 0 : 1;
}

namespace script {
void setClock(std::function<double()> clock) { scripted.clock = std::move(clock); }
void setKey(int key, bool down) {
    if ((scripted.keys.count(key) > 0) == down) return;
    if (down) scripted.keys.insert(key); else scripted.keys.erase(key);
    scripted.events.push_back({InputKind::key, key, down, scripted.mods(), 0.0});
}
void setMouseButton(int button, bool down) {
    if ((scripted.buttons.count(button) > 0) == down) return;
    if (down) scripted.buttons.insert(button); else scripted.buttons.erase(button);
    scripted.events.push_back({InputKind::mouseButton, button, down, scripted.mods(), 0.0});
}
void setMousePos(int x, int y) { scripted.cursor = std::make_pair(x, y); }
void setMouseWheel(int position) {
    const int clicks = position - (scripted.wheel ? *scripted.wheel : getMouseWheel());
    scripted.wheel = position;
    if (clicks == 0) return;
    InputEvent event;
    event.kind = InputKind::scroll;
    event.scroll = clicks;
    scripted.events.push_back(event);
}
void setWindowClosed(bool closed) { scripted.windowClosed = closed; }
void setFocused(bool focused) { scripted.focused = focused; }
void reset() {
    scripted = Script{};
    clearGamepad();
}
}  // namespace script

}  // namespace velmora::platform

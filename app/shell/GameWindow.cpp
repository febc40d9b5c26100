#include "app/shell/GameWindow.h"

#include <GL/glew.h>

#include <cstring>

#include "app/shell/WindowMode.h"
#include "platform/Window.h"

namespace velmora::app {

bool openGameWindow(int& screenWidth, int& screenHeight, const Settings& settings) {
    platform::openWindowHint(platform::OPENGL_VERSION_MAJOR, 3);
    platform::openWindowHint(platform::OPENGL_VERSION_MINOR, 2);
    platform::openWindowHint(platform::OPENGL_PROFILE, platform::OPENGL_CORE_PROFILE);
    const platform::VideoMode desktop = platform::getDesktopMode();
    const WindowRect window = windowedRect(settings, desktop.width, desktop.height);
    screenWidth = settings.fullScreen ? desktop.width : window.width;
    screenHeight = settings.fullScreen ? desktop.height : window.height;
    // The default framebuffer needs no depth: depth-tested drawing goes to
    // the off-screen targets.
    if (!platform::openWindow(screenWidth, screenHeight, 0, 0, 0, 0, 0, 0,
                              settings.fullScreen ? platform::FULLSCREEN : platform::WINDOW)) {
        return false;
    }
    if (!settings.fullScreen) {
        platform::setFullScreen(false, window.x, window.y, window.width, window.height);
        platform::getFramebufferSize(&screenWidth, &screenHeight);
    }
    platform::setSwapInterval(settings.vsync ? 1 : 0);
    // The cursor only steers the camera from the screen edges; drawn over
    // the scene it would just be in the way.
    platform::hideMouseCursor();
    return true;
}

bool initGlew() {
    // A core context lists no extensions the old way; without this GLEW
    // leaves the 3.x entry points unloaded.
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

bool hasOpenGl33() { return glewIsSupported("GL_VERSION_3_3") == GL_TRUE; }

const char* const reloadedEntryPoints[18] = {
    "glGenVertexArrays",        "glBindVertexArray",
    "glDeleteVertexArrays",     "glGenerateMipmap",
    "glGenFramebuffers",        "glBindFramebuffer",
    "glGenRenderbuffers",       "glBindRenderbuffer",
    "glRenderbufferStorage",    "glFramebufferRenderbuffer",
    "glCheckFramebufferStatus", "glFramebufferTexture2D",
    "glFramebufferTexture",     "glGetFramebufferAttachmentParameteriv",
    "glBindBufferBase",         "glGenTransformFeedbacks",
    "glBindTransformFeedback",  "glGenQueries",
};

namespace {

template <typename Pointer>
void reload(Pointer& pointer, const char* name) {
    pointer = reinterpret_cast<Pointer>(platform::getProcAddress(name));
}

}  // namespace

void reloadEntryPoints() {
    reload(__glewGenVertexArrays, "glGenVertexArrays");
    reload(__glewBindVertexArray, "glBindVertexArray");
    reload(__glewDeleteVertexArrays, "glDeleteVertexArrays");
    reload(__glewGenerateMipmap, "glGenerateMipmap");
    reload(__glewGenFramebuffers, "glGenFramebuffers");
    reload(__glewBindFramebuffer, "glBindFramebuffer");
    reload(__glewGenRenderbuffers, "glGenRenderbuffers");
    reload(__glewBindRenderbuffer, "glBindRenderbuffer");
    reload(__glewRenderbufferStorage, "glRenderbufferStorage");
    reload(__glewFramebufferRenderbuffer, "glFramebufferRenderbuffer");
    reload(__glewCheckFramebufferStatus, "glCheckFramebufferStatus");
    reload(__glewFramebufferTexture2D, "glFramebufferTexture2D");
    reload(__glewFramebufferTexture, "glFramebufferTexture");
    reload(__glewGetFramebufferAttachmentParameteriv, "glGetFramebufferAttachmentParameteriv");
    reload(__glewBindBufferBase, "glBindBufferBase");
    reload(__glewGenTransformFeedbacks, "glGenTransformFeedbacks");
    reload(__glewBindTransformFeedback, "glBindTransformFeedback");
    reload(__glewGenQueries, "glGenQueries");
}

}  // namespace velmora::app

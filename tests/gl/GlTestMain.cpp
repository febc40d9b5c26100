#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/shell/GameWindow.h"
#include "platform/LeakCheck.h"
#include "platform/Window.h"
#include "render/GlErrorWatch.h"
#include "tests/gl/GlContext.h"

namespace {
int width = 0;
int height = 0;
}  // namespace

namespace velmora::test {
int contextWidth() { return width; }
int contextHeight() { return height; }
}  // namespace velmora::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests re-run the binary for their case, each with a fresh context,
    // rather than forking a process that shares the parent's.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing at build time needs no display
    }
    // A debug context, so the driver checks every call; any GL error then
    // fails the test that made it, with the driver's message.
    if (!velmora::platform::init()) {
        std::fprintf(stderr, "GL tests need a display with an OpenGL 3.2 core context\n");
        return 1;
    }
    velmora::platform::openWindowHint(velmora::platform::OPENGL_DEBUG_CONTEXT, 1);
    if (!velmora::app::openGameWindow(width, height) || !velmora::app::initGlew()) {
        std::fprintf(stderr, "GL tests need a display with an OpenGL 3.2 core context\n");
        return 1;
    }
    if (!velmora::watchGlErrors([](const std::string& message) { ADD_FAILURE() << "GL error: " << message; })) {
        std::fprintf(stderr, "GL tests need the driver's debug output (GL_KHR_debug)\n");
        return 1;
    }
    velmora::app::reloadEntryPoints();
    const int result = RUN_ALL_TESTS();
    velmora::platform::checkLeaksBeforeTerminate();
    velmora::platform::terminate();
    return result;
}

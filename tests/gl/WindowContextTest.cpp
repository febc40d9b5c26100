#include <gtest/gtest.h>

#include <GL/glew.h>

#include "app/GameWindow.h"
#include "platform/Window.h"
#include "tests/gl/GlContext.h"

using namespace velmora;

TEST(GameWindow, OpensACoreContextAtTheDesktopSize) {
    const platform::VideoMode desktop = platform::getDesktopMode();
    EXPECT_EQ(test::contextWidth(), desktop.width);
    EXPECT_EQ(test::contextHeight(), desktop.height);
    GLint major = 0;
    GLint minor = 0;
    GLint profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_GE(major * 10 + minor, 32);
    EXPECT_TRUE(profile & GL_CONTEXT_CORE_PROFILE_BIT);
    EXPECT_EQ(platform::getWindowParam(platform::OPENED), 1);
}

TEST(GameWindow, ReloadedEntryPointsComeFromTheWindowLayer) {
    app::reloadEntryPoints();
    EXPECT_EQ(reinterpret_cast<void*>(glGenVertexArrays),
              platform::getProcAddress("glGenVertexArrays"));
    EXPECT_EQ(reinterpret_cast<void*>(glGenQueries), platform::getProcAddress("glGenQueries"));
    EXPECT_NE(reinterpret_cast<void*>(glBindTransformFeedback), nullptr);
    EXPECT_EQ(std::string(app::reloadedEntryPoints[13]), "glGetFramebufferAttachmentParameteriv");
}

TEST(GameWindow, ScriptedCloseReadsAsClosed) {
    platform::script::setWindowClosed(true);
    EXPECT_EQ(platform::getWindowParam(platform::OPENED), 0);
    platform::script::reset();
    EXPECT_EQ(platform::getWindowParam(platform::OPENED), 1);
}

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <iterator>

#include <GL/glew.h>

#include "app/shell/GameWindow.h"
#include "platform/Window.h"
#include "render/GlErrorWatch.h"
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

// One re-loaded GLEW pointer: its name, and how to clear and read it.
struct EntryPoint {
    const char* name;
    void (*clear)();
    void* (*read)();
};
#define ENTRY_POINT(name) \
    { "gl" #name, [] { __glew##name = nullptr; }, [] { return reinterpret_cast<void*>(__glew##name); } }

TEST(GameWindow, ReloadedEntryPointsComeFromTheWindowLayer) {
    const EntryPoint entryPoints[] = {
        ENTRY_POINT(GenVertexArrays),        ENTRY_POINT(BindVertexArray),
        ENTRY_POINT(DeleteVertexArrays),     ENTRY_POINT(GenerateMipmap),
        ENTRY_POINT(GenFramebuffers),        ENTRY_POINT(BindFramebuffer),
        ENTRY_POINT(GenRenderbuffers),       ENTRY_POINT(BindRenderbuffer),
        ENTRY_POINT(RenderbufferStorage),    ENTRY_POINT(FramebufferRenderbuffer),
        ENTRY_POINT(CheckFramebufferStatus), ENTRY_POINT(FramebufferTexture2D),
        ENTRY_POINT(FramebufferTexture),     ENTRY_POINT(GetFramebufferAttachmentParameteriv),
        ENTRY_POINT(BindBufferBase),         ENTRY_POINT(GenTransformFeedbacks),
        ENTRY_POINT(BindTransformFeedback),  ENTRY_POINT(GenQueries),
    };
    // Cleared first: a pointer the re-load missed stays null, one loaded
    // under another name points elsewhere.
    for (const EntryPoint& entry : entryPoints) entry.clear();
    app::reloadEntryPoints();
    for (size_t i = 0; i < std::size(entryPoints); ++i) {
        const EntryPoint& entry = entryPoints[i];
        EXPECT_STREQ(app::reloadedEntryPoints[i], entry.name);
        EXPECT_NE(entry.read(), nullptr) << entry.name;
        EXPECT_EQ(entry.read(), platform::getProcAddress(entry.name)) << entry.name;
    }
}

TEST(GameWindow, DebugOutputReportsAGlErrorInTheCallThatMadeIt) {
    EXPECT_TRUE(isDebugContext());
    EXPECT_NONFATAL_FAILURE(glEnable(0xFFFF), "GL error");
    glGetError();  // the flag is raised as well; leave it clear
}

TEST(GameWindow, ScriptedCloseReadsAsClosed) {
    platform::script::setWindowClosed(true);
    EXPECT_EQ(platform::getWindowParam(platform::OPENED), 0);
    platform::script::reset();
    EXPECT_EQ(platform::getWindowParam(platform::OPENED), 1);
}

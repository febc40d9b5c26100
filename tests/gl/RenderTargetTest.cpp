#include <gtest/gtest.h>

#include <GL/glew.h>

#include <sstream>
#include <string>

#include "screen/FramebufferObject.h"
#include "screen/FullScreenTarget.h"
#include "tests/gl/GlContext.h"

using namespace velmora;

namespace {

GLuint newTexture(int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return texture;
}

GLuint newDepthBuffer(int width, int height) {
    GLuint renderbuffer = 0;
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    return renderbuffer;
}

GLuint boundFramebuffer() {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    return static_cast<GLuint>(bound);
}

}  // namespace

TEST(FramebufferObject, RedundantAttachWarnsOnceOnTheSecondCall) {
    FramebufferObject target;
    const GLuint texture = newTexture(4, 4);
    testing::internal::CaptureStdout();
    target.AttachTexture(texture, GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(target.QueryAttachedName(GL_COLOR_ATTACHMENT0), texture);

    testing::internal::CaptureStdout();
    target.AttachTexture(texture, GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "FramebufferObject::AttachTexture PERFORMANCE WARNING:\n"
              "\tRedundant bind of texture id = " + std::to_string(texture) + "\n");
    EXPECT_EQ(target.QueryAttachedName(GL_COLOR_ATTACHMENT0), texture);
    EXPECT_EQ(target.QueryAttachedName(GL_COLOR_ATTACHMENT1), 0u);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(FramebufferObject, SecondDepthBufferIsRefusedAndTheFirstStays) {
    FramebufferObject target;
    const GLuint first = newDepthBuffer(4, 4);
    const GLuint second = newDepthBuffer(4, 4);
    testing::internal::CaptureStdout();
    target.AttachDepthRenderbuffer(first);
    target.AttachDepthRenderbuffer(second);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "This FBO already has a Depthbuffer\n");
    EXPECT_EQ(target.depthBuffer(), first);
    EXPECT_EQ(target.QueryAttachedName(GL_DEPTH_ATTACHMENT), first);
}

TEST(FramebufferObject, OperationsPutBackTheBindingTheyFound) {
    FramebufferObject target;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    target.QueryAttachedName(GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(boundFramebuffer(), 0u);
    target.AttachDepthRenderbuffer(newDepthBuffer(4, 4));
    EXPECT_EQ(boundFramebuffer(), 0u);
}

TEST(FramebufferObject, IncompleteTargetIsReportedOnTheGivenStream) {
    FramebufferObject empty;
    std::ostringstream report;
    EXPECT_FALSE(glift::CheckFramebufferStatus(report, empty));
    EXPECT_EQ(report.str(),
              "glift::CheckFramebufferStatus() ERROR:\n\t"
              "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT \n");
    EXPECT_EQ(boundFramebuffer(), 0u);
}

TEST(FullScreenTarget, BothTargetsAreCompleteAtTheContextSize) {
    const int width = test::contextWidth();
    const int height = test::contextHeight();
    testing::internal::CaptureStderr();
    const FullScreenTarget targets[2] = {createFullScreenTarget(width, height),
                                         createFullScreenTarget(width, height)};
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(boundFramebuffer(), targets[1].framebuffer->name());

    for (const FullScreenTarget& target : targets) {
        std::ostringstream report;
        EXPECT_TRUE(glift::CheckFramebufferStatus(report, *target.framebuffer));
        const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(target.framebuffer->QueryAttachedName(attachments[i]),
                      target.colourTexture[i]);
            GLint w = 0, h = 0, filter = 0;
            glBindTexture(GL_TEXTURE_2D, target.colourTexture[i]);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
            EXPECT_EQ(w, width);
            EXPECT_EQ(h, height);
            EXPECT_EQ(filter, GL_LINEAR);
        }
        GLint w = 0, h = 0;
        glBindRenderbuffer(GL_RENDERBUFFER, target.framebuffer->depthBuffer());
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &w);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }
    EXPECT_NE(targets[0].colourTexture[0], targets[1].colourTexture[0]);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

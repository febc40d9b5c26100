#include <gtest/gtest.h>

#include <string>

#include "screen/FramebufferObject.h"

using velmora::glift::FramebufferStatusText;

TEST(FramebufferStatusText, NamesEachIncompleteStatusWithATrailingBlank) {
    EXPECT_EQ(std::string(FramebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT)),
              "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT \n");
    EXPECT_EQ(std::string(FramebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT)),
              "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT \n");
    EXPECT_EQ(std::string(FramebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER)),
              "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER \n");
    EXPECT_EQ(std::string(FramebufferStatusText(GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER)),
              "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER \n");
    EXPECT_EQ(std::string(FramebufferStatusText(GL_FRAMEBUFFER_UNSUPPORTED)),
              "GL_FRAMEBUFFER_UNSUPPORTED \n");
}

TEST(FramebufferStatusText, AnythingElseIsUnknown) {
    // 0x8CD8 to 0x8CDA sit between the named statuses but are not among them.
    for (GLenum status : {0x8CD8u, 0x8CD9u, 0x8CDAu, 0u, 0x1234u, 0x8CDEu})
        EXPECT_EQ(std::string(FramebufferStatusText(status)), "Unknown ERROR\n") << status;
}

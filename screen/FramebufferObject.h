#pragma once
// A small off-screen framebuffer: colour textures and one depth renderbuffer
// attached by name, plus the completeness report the shell prints at start-up.

#include <GL/glew.h>

#include <ostream>

namespace velmora {

class FramebufferObject;

namespace glift {
bool CheckFramebufferStatus(std::ostream& stream, FramebufferObject& target);
}

class FramebufferObject {
public:
    // Generates the framebuffer name; binds nothing.
    FramebufferObject();

    // Attaches level 0 of a 2-D texture. Attaching the texture that is already
    // there prints a performance warning to standard output and changes nothing.
    void AttachTexture(GLuint texture, GLenum attachment);

    // Attaches the depth renderbuffer, once: a second call is refused with a
    // message and the first renderbuffer stays.
    void AttachDepthRenderbuffer(GLuint renderbuffer);

    // The name of the object attached at `attachment`, 0 when there is none.
    GLuint QueryAttachedName(GLenum attachment);

    GLuint name() const { return framebufferName; }
    GLuint depthBuffer() const { return depthRenderbuffer; }

private:
    friend bool glift::CheckFramebufferStatus(std::ostream&, FramebufferObject&);

    // Every operation binds this framebuffer, remembering the binding found,
    // and puts that binding back when it ends.
    void saveAndBind();
    void restore();

    GLuint framebufferName = 0;
    GLuint depthRenderbuffer = 0;
    GLuint savedBinding = 0;
};

namespace glift {

// True when `target` is complete; otherwise writes one report to `stream`.
bool CheckFramebufferStatus(std::ostream& stream, FramebufferObject& target);

// The report text that follows the heading for an incomplete status.
const char* FramebufferStatusText(GLenum status);

}  // namespace glift

}  // namespace velmora

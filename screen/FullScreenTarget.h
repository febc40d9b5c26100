#pragma once
// The off-screen targets the frame is drawn into before the post-process:
// two screen-sized RGBA colour textures and a depth renderbuffer; and the
// post-process's own, colour only.

#include <GL/glew.h>

#include "screen/FramebufferObject.h"

namespace velmora {

struct FullScreenTarget {
    FramebufferObject* framebuffer = nullptr;
    GLuint colourTexture[2] = {0, 0};
};

// Builds one target of width x height and reports an incomplete one on
// standard error (start-up goes on regardless). The new framebuffer is left
// bound. The GL objects live until released.
FullScreenTarget createFullScreenTarget(int width, int height);

// One linearly filtered RGBA colour texture and no depth: a target that only
// ever receives a full-screen quad.
FullScreenTarget createColourTarget(int width, int height);

// Deletes the target's textures, depth renderbuffer and framebuffer (at a
// new window size, before its successor is made) and empties it.
void releaseFullScreenTarget(FullScreenTarget& target);

}  // namespace velmora

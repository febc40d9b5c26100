#pragma once
// Reports OpenGL errors in the call that raised them, through the driver's
// debug output (GL_KHR_debug), rather than reading the error flag afterwards:
// a drained flag tells neither which call failed nor why.

#include <functional>
#include <string>

namespace velmora {

// Enables synchronous debug output on the current context and hands every
// message of type error to onError, with its text. Returns false when the
// context offers no debug output. Ask for a debug context (the window layer's
// OPENGL_DEBUG_CONTEXT hint) so that the driver checks and reports everything.
bool watchGlErrors(std::function<void(const std::string& message)> onError);

// Whether the current context was created as a debug context.
bool isDebugContext();

}  // namespace velmora

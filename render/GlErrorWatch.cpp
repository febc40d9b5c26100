#include "render/GlErrorWatch.h"

#include <GL/glew.h>

#include <utility>

namespace velmora {

namespace {

std::function<void(const std::string&)> errorHandler;

void GLAPIENTRY onDebugMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei length, const GLchar* message,
                               const void*) {
    if (type != GL_DEBUG_TYPE_ERROR || !errorHandler) {
        return;  // performance hints and the like are not faults
    }
    errorHandler(length >= 0 ? std::string(message, static_cast<size_t>(length)) : std::string(message));
}

}  // namespace

bool watchGlErrors(std::function<void(const std::string& message)> onError) {
    if (glDebugMessageCallback == nullptr || glDebugMessageControl == nullptr) {
        return false;
    }
    errorHandler = std::move(onError);
    glEnable(GL_DEBUG_OUTPUT);
    // In the failing call itself, so a debugger or sanitizer stack shows it.
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glDebugMessageControl(GL_DONT_CARE, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    glDebugMessageCallback(onDebugMessage, nullptr);
    return true;
}

bool isDebugContext() {
    GLint flags = 0;
    glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    return (flags & GL_CONTEXT_FLAG_DEBUG_BIT) != 0;
}

}  // namespace velmora

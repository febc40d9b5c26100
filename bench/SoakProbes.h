#pragma once
// What the soak run watches for growth: the process's resident memory and
// the GL objects alive in the context, counted by probing names.

#include <GL/glew.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace velmora::bench {

// Resident set size in MiB, from the kernel's own accounting.
inline double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;  // the kernel says kB
        }
    }
    return -1.0;
}

// Live GL objects of each kind. The driver hands out small names first and
// reuses freed ones, so probing names 1 to kNameBound finds every live object
// of a run that never holds more than that many of one kind.
struct GlObjectCounts {
    int buffers = 0;
    int textures = 0;
    int queries = 0;
    int programs = 0;
    int shaders = 0;
    int vertexArrays = 0;
    int framebuffers = 0;
    int renderbuffers = 0;

    static constexpr GLuint kNameBound = 20000;

    static GlObjectCounts probe() {
        GlObjectCounts counts;
        for (GLuint name = 1; name <= kNameBound; ++name) {
            counts.buffers += glIsBuffer(name) ? 1 : 0;
            counts.textures += glIsTexture(name) ? 1 : 0;
            counts.queries += glIsQuery(name) ? 1 : 0;
            counts.programs += glIsProgram(name) ? 1 : 0;
            counts.shaders += glIsShader(name) ? 1 : 0;
            counts.vertexArrays += glIsVertexArray(name) ? 1 : 0;
            counts.framebuffers += glIsFramebuffer(name) ? 1 : 0;
            counts.renderbuffers += glIsRenderbuffer(name) ? 1 : 0;
        }
        return counts;
    }

    bool operator==(const GlObjectCounts& o) const {
        return buffers == o.buffers && textures == o.textures && queries == o.queries &&
               programs == o.programs && shaders == o.shaders && vertexArrays == o.vertexArrays &&
               framebuffers == o.framebuffers && renderbuffers == o.renderbuffers;
    }

    void print(const char* when) const {
        std::printf("%s: GL objects: %d buffers, %d textures, %d queries, %d programs, %d shaders, "
                    "%d vertex arrays, %d framebuffers, %d renderbuffers\n",
                    when, buffers, textures, queries, programs, shaders, vertexArrays, framebuffers,
                    renderbuffers);
    }
};

}  // namespace velmora::bench

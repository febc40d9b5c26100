#include "app/shell/ShadowCubeMap.h"

namespace velmora::app {

ShadowCubeMap ShadowCubeMap::create() {
    ShadowCubeMap cube;
    glGenTextures(1, &cube.texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube.texture);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    // Nearest: a distance between two texels' is no surface's, and the soft
    // edge comes from the scene shaders' reads round each point, each a
    // quarter of the work of a filtered one.
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    for (int i = 0; i < 6; ++i) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_DEPTH_COMPONENT16, faceSize,
                     faceSize, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, nullptr);
    }

    glGenFramebuffers(1, &cube.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, cube.framebuffer);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    return cube;
}

void ShadowCubeMap::beginPass() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glCullFace(GL_FRONT);
    glViewport(0, 0, faceSize, faceSize);
}

void ShadowCubeMap::attachAndClearFace(int face) const {
    attachFace(face);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void ShadowCubeMap::attachFace(int face) const {
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face,
                           texture, 0);
}

}  // namespace velmora::app

#include "world/ShadowFaceCache.h"

#include <utility>

namespace velmora {

namespace {

// The draws of `now` that are also in `before`, which lists the same objects
// in mostly the same order (both come from the same traversal). A draw not
// found ahead counts as moved: that only costs a draw, never a wrong depth.
std::vector<ShadowDraw> stillDraws(const std::vector<ShadowDraw>& now,
                                   const std::vector<ShadowDraw>& before, std::vector<ShadowDraw>& moved) {
    std::vector<ShadowDraw> still;
    size_t next = 0;
    for (const ShadowDraw& draw : now) {
        size_t found = next;
        while (found < before.size() && !(before[found] == draw)) ++found;
        if (found < before.size()) {
            still.push_back(draw);
            next = found + 1;
        } else {
            moved.push_back(draw);
        }
    }
    return still;
}

// Same face, options and texture; the draws aside.
bool sameSetting(const ShadowFaceRecord& a, const ShadowFaceRecord& b) {
    return a.known && b.known && a.drawn == b.drawn && a.wireframe == b.wireframe &&
           a.cubeTexture == b.cubeTexture && a.faceMatrix == b.faceMatrix;
}

}  // namespace

ShadowFaceCache::~ShadowFaceCache() {
    // Only what was made here, and only while a context can take it back.
    for (Kept& kept : kept_) {
        if (kept.texture != 0) glDeleteTextures(1, &kept.texture);
    }
    if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
}

bool ShadowFaceCache::plan(int face, ShadowFaceRecord now) {
    ShadowFaceRecord& last = last_[face];
    plannedFace_ = face;
    plan_ = Plan();
    bool clear = true;
    if (now.sameDepthAs(last)) {
        plan_.kind = Plan::Keep;
        clear = false;
    } else if (now.drawn && sameSetting(now, last)) {
        plan_.still = stillDraws(now.draws, last.draws, plan_.draws);
        const Kept& kept = kept_[face];
        if (sameSetting(now, kept.record) && kept.record.draws == plan_.still) {
            plan_.kind = Plan::Restore;
            plan_.still.clear();
            clear = false;
        } else if (!plan_.still.empty()) {
            plan_.kind = Plan::Rebuild;
            plan_.keep = now;
            plan_.keep.draws = plan_.still;
        } else {
            plan_.kind = Plan::DrawAll;
        }
    } else {
        plan_.draws = now.draws;
    }
    if (!now.drawn) plannedFace_ = -1;  // no shadow call follows
    last = std::move(now);
    return clear;
}

bool ShadowFaceCache::takePlan(int face, Plan& plan) {
    if (plannedFace_ != face) return false;
    plannedFace_ = -1;
    plan = std::move(plan_);
    plan_ = Plan();
    return true;
}

void ShadowFaceCache::forget(int face) {
    last_[face].known = false;
    if (plannedFace_ == face) plannedFace_ = -1;
}

GLuint ShadowFaceCache::keptFramebuffer() {
    if (framebuffer_ == 0) {
        glGenFramebuffers(1, &framebuffer_);
        GLint bound = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    }
    return framebuffer_;
}

void ShadowFaceCache::keepImage(int face, int size, const ShadowFaceRecord& record) {
    Kept& kept = kept_[face];
    kept.record = record;
    if (kept.texture == 0) {
        glGenTextures(1, &kept.texture);
        glBindTexture(GL_TEXTURE_2D, kept.texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT16, size, size, 0, GL_DEPTH_COMPONENT,
                     GL_UNSIGNED_SHORT, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    GLint faceFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &faceFramebuffer);
    const GLuint own = keptFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, own);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, kept.texture, 0);
    copy(static_cast<GLuint>(faceFramebuffer), own, size);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(faceFramebuffer));
}

void ShadowFaceCache::restoreImage(int face, int size) {
    GLint faceFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &faceFramebuffer);
    const GLuint own = keptFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, own);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, kept_[face].texture, 0);
    copy(own, static_cast<GLuint>(faceFramebuffer), size);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(faceFramebuffer));
}

void ShadowFaceCache::copy(GLuint from, GLuint to, int size) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, size, size, 0, 0, size, size, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}

}  // namespace velmora

#pragma once
// The window's back buffer as a frame left it before the swap, bottom row
// first: the pass probe reads it when the named pass of each frame ends.

#include <GL/glew.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "render/PassProbe.h"

namespace velmora::test {

struct FramePicture {
    int width = 0;
    int height = 0;
    std::string pass = "menu";
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    // Within two levels of the colour the scene target is cleared to.
    bool isClearColour(int x, int y) const {
        const unsigned char* p = at(x, y);
        return std::abs(p[0] - 36) <= 2 && std::abs(p[1] - 64) <= 2 && std::abs(p[2] - 110) <= 2;
    }
    // Pixels of the box (x, y, width, height) that are not the clear colour.
    int pixelsNotClear(int x, int y, int boxWidth, int boxHeight) const {
        int count = 0;
        for (int row = y; row < y + boxHeight; ++row) {
            for (int column = x; column < x + boxWidth; ++column) count += isClearColour(column, row) ? 0 : 1;
        }
        return count;
    }
};

inline FramePicture framePicture;

inline void takeFramePicture(const char* pass) {
    if (framePicture.pass != pass) return;
    framePicture.rgba.assign(static_cast<size_t>(framePicture.width) * framePicture.height * 4, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, framePicture.width, framePicture.height, GL_RGBA, GL_UNSIGNED_BYTE,
                 framePicture.rgba.data());
}

// Takes the picture of a window of width x height at `pass` from now on.
inline void watchFrames(int width, int height, const char* pass) {
    framePicture = FramePicture{width, height, pass, {}};
    passProbe = takeFramePicture;
}

}  // namespace velmora::test

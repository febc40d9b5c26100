#pragma once
// A shell with the game's own frame loop, advanced by the scripted clock:
// whole frames (drawn) or updates only, for tests that read no pixel.

#include <unistd.h>

#include <fstream>
#include <memory>

#include "app/shell/FrameLoop.h"
#include "tests/gl/ShellFixture.h"

namespace velmora::test {

class LoopFixture : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        loop = std::make_unique<app::FrameLoop>(shell);
    }
    void TearDown() override {
        loop.reset();
        ShellFixture::TearDown();
    }

    void frames(int count, double interval) {
        for (int i = 0; i < count; ++i) {
            now += interval;
            ASSERT_TRUE(loop->runFrame());
        }
    }

    void updates(int count, double interval) {
        for (int i = 0; i < count; ++i) {
            now += interval;
            loop->updateFrame();
        }
    }

    std::unique_ptr<app::FrameLoop> loop;
};

// The process's resident memory in bytes.
inline long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace velmora::test

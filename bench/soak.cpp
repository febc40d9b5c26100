// A long scripted game on the shipped level: the main sphere rolled around by
// held keys, the camera turned and zoomed, a particle burst and an option key
// in every thousand frames, and near the end a visit to the goal followed by
// R (restart). Prints resident memory, the live GL objects and the frame time
// near the start and at the end: none of them should grow over a long run.
//
//   build/bench_soak [frames] [--draw-every N]
//
// Runs from the repository root, on a display (or under xvfb-run). The clock
// is scripted at 60 frames per second, so every run plays the same game;
// --draw-every N draws only every Nth frame, for a quicker run on a slow
// renderer (the frames in between still update).

#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/shell/FrameLoop.h"
#include "app/shell/GameWindow.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "bench/BenchSupport.h"
#include "bench/SoakProbes.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "render/GlErrorWatch.h"
#include "sim/ObjectRegistry.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "sim/World.h"

using namespace velmora;

namespace {

constexpr double kFrameInterval = 1.0 / 60.0;
constexpr int kWarmUpFrames = 500;   // memory and objects are compared from here on
constexpr int kTimedFrames = 500;    // frame time: this many after the warm-up, and the last ones
constexpr int kKeyR = 82;
constexpr int kMoveKeys[4] = {87, 68, 83, 65};  // W, D, S, A
constexpr int kOptionKeys[8] = {platform::KEY_F1, platform::KEY_F2, platform::KEY_F3, platform::KEY_F5,
                                platform::KEY_F7, platform::KEY_F8, platform::KEY_F9, platform::KEY_F7};
constexpr int kWarmUpBurst = 20;
constexpr int kWarmUpKeysFrom = 230;  // the warm-up burst has gone by then
constexpr int kWarmUpKeyGap = 16;     // frames; more than the option keys' lock-out
constexpr int kWarmUpPresses = 15;
constexpr int kWarmUpKeys[kWarmUpPresses] = {
    platform::KEY_F1, platform::KEY_F1, platform::KEY_F2, platform::KEY_F2, platform::KEY_F3,
    platform::KEY_F3, platform::KEY_F5, platform::KEY_F5, platform::KEY_F5, platform::KEY_F7,
    platform::KEY_F7, platform::KEY_F8, platform::KEY_F8, platform::KEY_F9, platform::KEY_F9};
// The goal plate of the last tile, in the world.
const glm::vec3 kGoal(13.5f, 3.5f, -25.5f);  // on the goal plate, up on the deck

glm::vec3 playerPosition(const app::ShellState& shell, ActorType type) {
    const World& world = *shell.objectRegistry->mainWorld();
    return world.playerActors.at(type)->actor->getGlobalPose().p;
}

// What the player does in frame `frame`. Everything is pressed through the
// window layer's scripted input, as real devices would be read.
class SoakScript {
public:
    SoakScript(app::ShellState& shell, int frames) : shell_(shell), frames_(frames) {}

    void apply(int frame) {
        const int block = frame / 1000;
        const int inBlock = frame % 1000;
        // Roll: each of W, D, S, A held for 150 frames in turn.
        for (int i = 0; i < 4; ++i) {
            platform::script::setKey(kMoveKeys[i], (frame / 150) % 4 == i);
        }
        // The camera orbits for a second, and the wheel zooms in and out.
        platform::script::setMousePos(inBlock >= 800 && inBlock < 860 ? 0 : shell_.screenWidth / 2, 300);
        platform::script::setMouseWheel((block % 3) * 4);
        // A burst: the second sphere put close to the main one, pushed away
        // for a frame (which re-arms the burst), then pulled.
        const int burstAt = frame < 1000 && inBlock < 600 ? kWarmUpBurst : 600;
        if (inBlock == burstAt) {
            const glm::vec3 main = playerPosition(shell_, MainActorType);
            shell_.simulation->placeSpheres(main, main + glm::vec3(1.8f, 0.5f, 0.0f));
        }
        platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, inBlock == burstAt);
        platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, inBlock == burstAt + 1);
        // One option key per block, switched and switched back (F5 goes
        // round its three modes), away from the first and last blocks so the
        // timed frames start and end with the same options.
        // The warm-up switches every option once and back, after its burst
        // has gone, so what the driver builds on first use (and the HUD's
        // text buffers) is in place before the first figures are taken.
        const bool optionBlock = block >= 1 && block * 1000 + 1000 <= frames_ - 1000;
        const int warmUpPress = (frame - kWarmUpKeysFrom) / kWarmUpKeyGap;
        const bool warmUpKey = frame >= kWarmUpKeysFrom && warmUpPress < kWarmUpPresses;
        const int key = warmUpKey ? kWarmUpKeys[warmUpPress] : kOptionKeys[(block + 7) % 8];
        const bool press = (warmUpKey && (frame - kWarmUpKeysFrom) % kWarmUpKeyGap == 0) ||
                           (optionBlock && (inBlock == 300 || inBlock == 450 ||
                                            (key == platform::KEY_F5 && inBlock == 375)));
        for (int option : kWarmUpKeys) platform::script::setKey(option, false);
        platform::script::setKey(key, press);
        // The goal, then R.
        const int goalFrame = frames_ - 1200;
        if (frame == goalFrame) {
            shell_.simulation->placeSpheres(kGoal, playerPosition(shell_, SecondActorType));
        }
        platform::script::setKey(kKeyR, frame >= goalFrame + 30 && frame < goalFrame + 33);
        if (frame == goalFrame + 29) wonAtGoal = !shell_.renderLogic->gameRunning();
        if (frame == goalFrame + 60) runningAfterRestart = shell_.renderLogic->gameRunning();
    }

    bool wonAtGoal = false;
    bool runningAfterRestart = false;

private:
    app::ShellState& shell_;
    int frames_;
};

struct Snapshot {
    double residentMiB = 0.0;
    bench::GlObjectCounts objects;
};

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

Snapshot snapshot(const char* when, const app::ShellState& shell) {
    Snapshot s;
    s.residentMiB = bench::residentMiB();
    s.objects = bench::GlObjectCounts::probe();
    std::printf("%s: resident memory %.2f MiB, %zu particle bursts alive\n", when, s.residentMiB,
                shell.renderLogic->particleSystems.size());
    s.objects.print(when);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 10000;
    int drawEvery = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--draw-every") == 0 && i + 1 < argc) {
            drawEvery = std::max(1, std::atoi(argv[++i]));
        } else {
            frames = std::max(3000, std::atoi(argv[i]));
        }
    }

    app::ShellState shell;
    // A debug context, so every GL error is counted where it happens.
    if (!platform::init()) return 1;
    platform::openWindowHint(platform::OPENGL_DEBUG_CONTEXT, 1);
    if (!app::openGameWindow(shell.screenWidth, shell.screenHeight) || !app::initGlew()) {
        std::fprintf(stderr, "the soak run needs a display with an OpenGL 3.2 core context\n");
        return 1;
    }
    app::reloadEntryPoints();
    long glErrors = 0;
    watchGlErrors([&glErrors](const std::string& message) {
        if (glErrors++ < 5) std::fprintf(stderr, "GL error: %s\n", message.c_str());
    });

    double now = 0.0;
    platform::script::setClock([&now] { return now; });
    app::initialize(shell);
    app::createRenderTargets(shell);
    app::FrameLoop loop(shell);
    SoakScript script(shell, frames);

    std::vector<double> frameMs;
    std::vector<double> frameCpuMs;  // the whole process, renderer threads included
    std::vector<double> residentEveryThousand;
    Snapshot afterWarmUp;
    double undrawn = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        script.apply(frame);
        now += kFrameInterval;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuMs();
        undrawn += loop.updateFrame();
        if (frame % drawEvery == 0) {
            loop.drawFrame(undrawn);  // the particles age by the whole time since the last draw
            undrawn = 0.0;
            glFinish();
            frameMs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            frameCpuMs.push_back(processCpuMs() - cpuStart);
        }
        if ((frame + 1) % 1000 == 0) residentEveryThousand.push_back(bench::residentMiB());
        if (frame + 1 == kWarmUpFrames) afterWarmUp = snapshot("after frame 500", shell);
    }
    const Snapshot atEnd = snapshot(("after frame " + std::to_string(frames)).c_str(), shell);

    const size_t timed = static_cast<size_t>(kTimedFrames / drawEvery);
    const size_t firstTimed = static_cast<size_t>(kWarmUpFrames / drawEvery);
    bench::printSpread("frame time, frames 501 to 1000",
                       std::vector<double>(frameMs.begin() + firstTimed, frameMs.begin() + firstTimed + timed), "ms");
    bench::printSpread("frame time, the last 500 frames", std::vector<double>(frameMs.end() - timed, frameMs.end()),
                       "ms");
    // CPU time does not depend on what else the machine runs.
    bench::printSpread("frame CPU time, frames 501 to 1000",
                       std::vector<double>(frameCpuMs.begin() + firstTimed, frameCpuMs.begin() + firstTimed + timed),
                       "ms");
    bench::printSpread("frame CPU time, the last 500 frames",
                       std::vector<double>(frameCpuMs.end() - timed, frameCpuMs.end()), "ms");
    std::printf("resident memory after every 1000 frames (MiB):");
    for (double mib : residentEveryThousand) std::printf(" %.2f", mib);
    std::printf("\n");
    std::printf("resident memory growth after frame 500: %+.2f MiB\n", atEnd.residentMiB - afterWarmUp.residentMiB);
    std::printf("GL objects %s\n", atEnd.objects == afterWarmUp.objects ? "unchanged" : "CHANGED");
    std::printf("GL errors: %ld\n", glErrors);
    std::printf("goal reached: %s; running again after R: %s\n", script.wonAtGoal ? "yes" : "no",
                script.runningAfterRestart ? "yes" : "no");
    std::printf("frames drawn: %zu of %d\n", frameMs.size(), frames);

    app::shutdown(shell);
    platform::script::reset();
    platform::terminate();
    return 0;
}

// Time of the whole frame as the player gets it: the game's own frame loop
// (update, six shadow faces, scene, HUD, blur, swap) on the shipped level,
// from the start view, at the screen's size, shadows on.
//
//   build/bench_frame [--split] [--boxes N] [--frames N] [--render-scale P] [--picture FILE]
//
// --split   finishes the GL work after each pass and prints each pass's time
//           and share of the frame (the finishes make the frame itself a
//           little slower, so the whole-frame figure comes from a run without)
// --boxes N replaces the shipped level by a generated one: a floor and N
//           boxes spread within the light's reach, to see how the frame grows
//           with the level
// --frames N measured frames (default 80, after 40 warm-up frames)
// --render-scale P  the scene and the blur at P % of the screen's pixels
//           (50 to 100, the setting; default 100)
// --picture FILE  afterwards saves one more frame's screen as a PPM file, to
//           check that two builds draw the same picture
//
// Besides the wall-clock time it prints the CPU time of each frame, which on
// a busy machine varies less.

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/shell/FrameLoop.h"
#include "app/shell/ShellState.h"
#include "app/shell/Startup.h"
#include "bench/BenchSupport.h"
#include "level/ColladaWriter.h"
#include "level/LevelLoader.h"
#include "platform/Window.h"
#include "render/PassProbe.h"
#include "sim/ObjectRegistry.h"
#include "sim/PhysicsSetup.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"

using namespace velmora;

namespace {

constexpr int warmUpFrames = 40;

using Clock = std::chrono::steady_clock;

// The passes in frame order, as the loop marks them.
const char* const passNames[] = {"update",          "shadow face clears", "shadow draws", "scene pass",
                                 "particles",       "ghost and marks",    "blur",         "scale up",
                                 "HUD",             "menu",               "swap"};

Clock::time_point lastMark;
std::map<std::string, double> thisFrame;  // milliseconds per pass, summed over the frame

// CPU time of the whole process, all threads (the renderer's own included):
// on a machine shared with other work it varies less than the wall clock.
double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return 1e3 * static_cast<double>(now.tv_sec) + 1e-6 * static_cast<double>(now.tv_nsec);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void chargePass(const char* pass) {
    glFinish();
    const Clock::time_point now = Clock::now();
    thisFrame[pass] += millisecondsBetween(lastMark, now);
    lastMark = now;
}

std::string pictureFile;
glm::ivec2 pictureSize;

// Saves what the frame put on the screen, before the swap, as a binary PPM
// (bottom row first), so the pictures of two builds can be compared.
void savePicture(const char* pass) {
    if (std::strcmp(pass, "menu") != 0) return;
    std::vector<unsigned char> pixels(static_cast<size_t>(pictureSize.x) * pictureSize.y * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pictureSize.x, pictureSize.y, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    if (FILE* file = std::fopen(pictureFile.c_str(), "wb")) {
        std::fprintf(file, "P6 %d %d 255\n", pictureSize.x, pictureSize.y);
        std::fwrite(pixels.data(), 1, pixels.size(), file);
        std::fclose(file);
    }
}

struct Options {
    bool split = false;
    int boxes = 0;
    int frames = 80;
    int renderScale = 100;
    std::string picture;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--split") == 0) {
            options.split = true;
        } else if (std::strcmp(argv[i], "--boxes") == 0 && hasValue) {
            options.boxes = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
            options.frames = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--render-scale") == 0 && hasValue) {
            options.renderScale = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--picture") == 0 && hasValue) {
            options.picture = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: %s [--split] [--boxes N] [--frames N] [--render-scale P] [--picture FILE]\n",
                         argv[0]);
            return false;
        }
    }
    return options.boxes >= 0 && options.frames > 0 && options.renderScale >= 50 &&
           options.renderScale <= 100;
}

// A floor and `count` boxes in tile coordinates (z up; the world's z is the
// tile's -y). They stand on the floor around the light at (0, 20, -25), all
// of them nearer to it than the shadow range, and none on the spheres' start.
TileDescription boxLevel(int count) {
    TileDescription level;
    TileNode floor;
    floor.shape = TileShape::Quad;
    floor.name = "floor__texture__stone_png__";
    floor.at = glm::vec3(0.0f, 25.0f, 0.0f);
    floor.size = glm::vec3(40.0f, 40.0f, 1.0f);
    level.nodes.push_back(floor);

    unsigned state = 12345u;  // a fixed sequence, so every run draws the same level
    const auto next = [&state](float from, float to) {
        state = state * 1664525u + 1013904223u;
        return from + (to - from) * static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
    };
    for (int i = 0; i < count;) {
        const float x = next(-30.0f, 30.0f);
        const float y = next(-5.0f, 55.0f);
        if (std::abs(x + 1.0f) < 3.0f && std::abs(y - 24.0f) < 3.0f) continue;
        TileNode box;
        box.shape = TileShape::Box;
        box.name = "crate" + std::to_string(i) + (i % 2 == 0 ? "__texture__wall_png__" : "");
        const glm::vec3 half(next(0.15f, 0.6f), next(0.15f, 0.6f), next(0.15f, 1.0f));
        box.at = glm::vec3(x, y, half.z);
        box.size = half;
        box.turn = glm::vec3(0.0f, 0.0f, next(0.0f, 90.0f));
        level.nodes.push_back(box);
        ++i;
    }
    return level;
}

// Takes the shipped tiles out of the tree, the tables and the physics scene
// (the spheres stay), then imports the generated level in their place.
bool replaceLevel(app::ShellState& shell, int boxes) {
    World& world = *shell.objectRegistry->mainWorld();
    std::vector<scene::SceneObject*> spheres;
    for (const auto& entry : world.playerActors) spheres.push_back(entry.second->object);
    std::vector<scene::SceneObject*> kept;
    std::vector<scene::SceneObject*> pending;
    for (scene::SceneObject* child : world.root->children) {
        const bool sphere = std::find(spheres.begin(), spheres.end(), child) != spheres.end();
        (sphere ? kept : pending).push_back(child);
    }
    const std::vector<scene::SceneObject*> tiles = pending;
    while (!pending.empty()) {
        scene::SceneObject* object = pending.back();
        pending.pop_back();
        if (object->actor != nullptr) shell.simulation->scene()->removeActor(*object->actor);
        for (scene::SceneObject* child : object->children) pending.push_back(child);
    }
    world.root->children = kept;
    for (scene::SceneObject* tile : tiles) delete tile;  // and everything below it
    world.triggerRegistry.clear();
    world.doorRegistry.clear();
    shell.renderLogic->transparentObjects.clear();

    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench_frame_" + std::to_string(boxes) + "_boxes.dae"))
                                 .string();
    std::string error;
    if (!writeColladaFile(boxLevel(boxes), path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    LevelSetup setup;
    Simulation& simulation = *shell.simulation;
    setup.physics = simulation.physics();
    setup.cooking = physics::createCooking(simulation.physics());
    setup.scene = shell.simulation->scene();
    setup.callbacks.win = [&simulation] { simulation.winGame(); };
    setup.callbacks.reset = [&simulation](std::string text) { simulation.resetGame(text); };
    LevelLoader loader(setup, world);
    loader.importTile(path, world.root, glm::vec3(0.0f));
    shell.renderLogic->dressWorld();
    std::filesystem::remove(path);
    return true;
}

void printPasses(const std::map<std::string, std::vector<double>>& passes,
                 const std::vector<double>& frames) {
    double frameSum = 0.0;
    for (double frame : frames) frameSum += frame;
    for (const char* name : passNames) {
        const auto found = passes.find(name);
        if (found == passes.end()) continue;
        double sum = 0.0;
        for (double time : found->second) sum += time;
        const bench::Spread s = bench::spreadOf(found->second);
        std::printf("  %-18s median %7.3f ms, spread %7.3f to %7.3f ms, share %5.1f %%\n", name,
                    s.median, s.p10, s.p90, 100.0 * sum / frameSum);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) return 2;
    app::ShellState shell;
    if (!bench::openBenchContext(shell.screenWidth, shell.screenHeight)) return 1;
    app::initialize(shell);
    shell.settings.renderScale = options.renderScale;
    app::createRenderTargets(shell);
    if (options.boxes > 0 && !replaceLevel(shell, options.boxes)) return 1;

    app::FrameLoop loop(shell);
    if (options.split) passProbe = chargePass;
    std::vector<double> frames;
    std::vector<double> cpuTimes;
    std::map<std::string, std::vector<double>> passes;
    for (int frame = 0; frame < warmUpFrames + options.frames; ++frame) {
        thisFrame.clear();
        const Clock::time_point start = Clock::now();
        const double cpuStart = processCpuMilliseconds();
        lastMark = start;
        const double dt = loop.updateFrame();
        if (options.split) {
            lastMark = Clock::now();
            thisFrame["update"] = millisecondsBetween(start, lastMark);
        }
        loop.drawFrame(dt);
        if (frame < warmUpFrames) continue;
        frames.push_back(millisecondsBetween(start, Clock::now()));
        cpuTimes.push_back(processCpuMilliseconds() - cpuStart);
        for (const auto& [name, time] : thisFrame) passes[name].push_back(time);
    }
    passProbe = nullptr;
    if (!options.picture.empty()) {
        pictureFile = options.picture;
        pictureSize = glm::ivec2(shell.screenWidth, shell.screenHeight);
        passProbe = savePicture;
        loop.drawFrame(loop.updateFrame());
        passProbe = nullptr;
    }
    const std::string level =
        options.boxes > 0 ? std::to_string(options.boxes) + " generated boxes" : "the shipped level";
    bench::printSpread(std::string(options.split ? "split frame" : "frame") + " on " + level +
                           " at " + std::to_string(shell.screenWidth) + " x " +
                           std::to_string(shell.screenHeight) + ", start view, shadows on",
                       frames, "ms");
    bench::printSpread("  CPU time of the frame, all threads", cpuTimes, "ms");
    if (options.split) printPasses(passes, frames);
    app::shutdown(shell);
    platform::terminate();
    return 0;
}

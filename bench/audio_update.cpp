// Time the frame loop spends on sound each frame: the cues of the frame's
// events and the update of the listener and the continuous sounds, on the
// shipped level with the main sphere rolling and the magnet holding. The
// sound library mixes on its own thread in the game; here a loopback device
// stands in for the sound card, mixing a frame's samples between two timed
// updates as that thread would. Prints the median and spread in
// milliseconds; the frame loop's budget for it is 0.3 ms.

#include <chrono>
#include <cstdio>
#include <iostream>
#include <vector>

#include "app/sound/GameSounds.h"
#include "audio/SoundSystem.h"
#include "bench/BenchSupport.h"
#include "sim/Simulation.h"
#include "sim/World.h"

using namespace velmora;

int main() {
    World world;
    Simulation simulation(world, shippedLevelTiles());
    std::unique_ptr<audio::SoundSystem> sound = audio::SoundSystem::openLoopback("Sounds", 44100, std::cerr);
    if (!sound) {
        std::cerr << "the sound library has no loopback device" << std::endl;
        return 1;
    }
    std::vector<double> samples;
    for (int frame = 0; frame < 3000; ++frame) {
        // A push that turns: rolling, knocks on walls, the magnet catching up.
        StepInput input;
        const float turn = static_cast<float>(frame / 90) * 1.3f;
        input.push = glm::vec3(std::sin(turn), 0.0f, std::cos(turn)) * 15000.0f;
        simulation.step(input);
        glm::mat4 camera(1.0f);
        camera[3] = glm::vec4(simulation.spherePosition(MainActorType) + glm::vec3(0.0f, 2.0f, 6.0f), 1.0f);

        const auto start = std::chrono::steady_clock::now();
        app::playEventSounds(*sound, simulation.takeEvents());
        sound->update(app::soundFrame(simulation, camera));
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        sound->render(44100 / 60);
    }
    bench::printSpread("audio update per frame", samples, "ms");
    std::printf("budget: 0.3 ms of a frame of %.1f ms at 60 frames a second\n", 1000.0 / 60.0);
    return 0;
}

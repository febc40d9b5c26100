#pragma once
// What the simulation tells the rest of the game: the things that happened
// in a step, in step order. Drawing, sound and the HUD listen; none of them
// reaches into the simulation for it.

#include <string>

#include <glm/glm.hpp>

namespace velmora {

enum class SimulationEventType {
    Restarted,    // everything is back as a fresh load has it
    Goal,         // the run is won
    Hazard,       // spikes or a fall put the spheres back; text is the hazard's
    Burst,        // the magnet took hold of the second sphere: sparks at where
    SwitchOn,     // a sphere set off a switch at where
    SwitchOff,    // a sphere left it
    DoorOpened,   // text is the door's name, where its place
    DoorClosed,
    Impact,       // a sphere (text: main or second) struck something at where
};

struct SimulationEvent {
    SimulationEventType type = SimulationEventType::Restarted;
    long step = 0;  // the step it happened in, counted from the run's start
    glm::vec3 where{0.0f};
    std::string text;
    float speed = 0.0f;  // Impact: metres per second along the contact normal
};

}  // namespace velmora

#pragma once
// A door of the level: while open it neither collides nor is drawn.

#include "world/Cube.h"

namespace velmora::scene {

class Door : public Cube {
public:
    using Cube::Cube;

    // Hides the door while it is open, so both passes skip it.
    void update() override;

    // Opening stops the door's shapes colliding; closing (refused for a
    // steady door) makes them collide again. Repeats do nothing.
    void open();
    void close();

    bool isSteady = false;  // once opened, stays open
    bool isOpen = false;

private:
    void setShapesColliding(bool colliding);
};

}  // namespace velmora::scene

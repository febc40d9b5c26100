#pragma once
// A door of the level: while open it does not collide (the renderer slides it
// away).

#include "sim/Cube.h"

namespace velmora::scene {

class Door : public Cube {
public:
    using Cube::Cube;

    // Opening stops the door's shapes colliding; closing (refused for a
    // steady door) makes them collide again. Repeats do nothing.
    void open();
    void close();

    // What the switches use. Each sphere shape that comes onto a switch naming
    // this door holds it open; the door closes when the last hold is let go.
    // So a door stays open while any sphere is still on any of its switches,
    // whichever left first, and a sphere whose collision sphere is reported
    // twice holds it twice and lets go twice. A let-go without a hold does
    // nothing.
    void hold();
    void letGo();
    // A new run: closed and colliding again with no holds, steady or not.
    void reset();

    bool isSteady = false;  // once opened, stays open
    bool isOpen = false;

private:
    void setShapesColliding(bool colliding);

    int holds_ = 0;
};

}  // namespace velmora::scene

#include "sim/Door.h"

#include <vector>

#include "physics/Physics.h"

namespace velmora::scene {

void Door::open() {
    if (isOpen) {
        return;
    }
    isOpen = true;
    setShapesColliding(false);
}

void Door::close() {
    if (!isOpen || isSteady) {
        return;
    }
    isOpen = false;
    setShapesColliding(true);
}

void Door::hold() {
    ++holds_;
    open();
}

void Door::letGo() {
    if (holds_ == 0) {
        return;  // never held through a switch: not ours to close
    }
    if (--holds_ == 0) {
        close();
    }
}

void Door::reset() {
    holds_ = 0;
    if (isOpen) {
        isOpen = false;
        setShapesColliding(true);
    }
}

void Door::setShapesColliding(bool colliding) {
    if (actor == nullptr) {
        return;  // a door without collision only changes its visibility
    }
    std::vector<physics::Shape*> shapes(actor->getNbShapes());
    shapes.resize(actor->getShapes(shapes.data(), static_cast<uint32_t>(shapes.size()), 0));
    for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
        (*shape)->setFlag(physics::ShapeFlag::Simulation, colliding);
    }
}

}  // namespace velmora::scene

#include "world/Door.h"

namespace velmora::scene {

void Door::update() { isVisible = !isOpen; }

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

void Door::setShapesColliding(bool colliding) {
    // The shape flags join with the physics layer.
    (void)colliding;
}

}  // namespace velmora::scene

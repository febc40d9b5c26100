#include "world/Trigger.h"

namespace velmora::scene {

// The trigger rules (win, reset, opening and closing doors) hook in here.
void Trigger::enter(ActorType type, DoorRegistry* doors) {
    (void)type;
    (void)doors;
}

void Trigger::leave(ActorType type, DoorRegistry* doors) {
    (void)type;
    (void)doors;
}

}  // namespace velmora::scene

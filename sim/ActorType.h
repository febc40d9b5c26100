#pragma once
// Which player sphere a physics actor is, or which one a trigger listens to.

#include <cstdint>

namespace velmora {

enum ActorType : int32_t {
    MainActorType = 0,
    SecondActorType = 1,
    NoActorType = 2,      // the actor is not a player sphere
    EitherActorType = 3,  // only as a trigger's filter: both spheres set it off
};

}  // namespace velmora

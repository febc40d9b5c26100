#pragma once
// Where a player sphere can roll in a level, worked out on a grid over the
// level's collision geometry, so the level checker can tell an author that
// the goal is out of reach or that a way leads out of the level. It reads
// triangles and boxes only: no GL, no physics engine.
//
// Each grid column (cells of kReachCell metres) holds the walkable surfaces
// straight below it. A place is a column and one of its surfaces; the sphere
// rests there when it clears every wall and ceiling nearby. From a place the
// sphere rolls to the next column onto the highest surface it can climb to
// (slopes and step edges up to 45 degrees, as steep as a push carries a
// sphere up), or falls to any surface below. With no surface below it falls
// out of the level, which only a reset volume under the fall catches.

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <vector>

namespace velmora {

constexpr float kReachCell = 0.25f;

// A box in the world: centre, rotation and half extents along its own axes.
struct WorldBox {
    glm::vec3 centre{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 halfExtents{0.0f};

    // Distance from the point to the box; 0 inside.
    float distanceTo(const glm::vec3& point) const;
    void worldBounds(glm::vec3& lo, glm::vec3& hi) const;
};

struct ReachLevel {
    std::vector<glm::vec3> solidTriangles;  // three corners each, world (y up)
    std::vector<WorldBox> resetVolumes;     // touching one puts the sphere back
};

struct ReachExit {
    glm::vec3 place{0.0f};  // on the edge the sphere rolls off, at its floor's height
    int cells = 0;          // how many grid cells of edge this way out spans
};

struct ReachResult {
    bool startOnFloor = false;
    int placesReached = 0;
    std::vector<bool> targetsReached;  // per target: the sphere touches it somewhere
    std::vector<ReachExit> exits;      // ways out with no reset volume under them
};

// Floods from the sphere's start (a centre position) with the given radius.
// A target counts as reached when the sphere, resting at a reached place,
// touches it.
ReachResult floodReach(const ReachLevel& level, const glm::vec3& start, float radius,
                       const std::vector<WorldBox>& targets);

}  // namespace velmora

#include "tools/autopilot/Autopilot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

#include "app/camera/Camera.h"
#include "app/input/MoveKeys.h"
#include "app/shell/ShellState.h"
#include "level/MeshData.h"
#include "physics/Physics.h"
#include "platform/Window.h"
#include "sim/Door.h"
#include "sim/ObjectRegistry.h"
#include "sim/PlayerSpheres.h"
#include "world/RenderLogic.h"
#include "sim/SceneObject.h"
#include "sim/World.h"

namespace velmora::app {

namespace {

constexpr float kStepsPerSecond = 60.0f;  // the physics steps 1/60 s of game time
constexpr float kStep = 1.0f / kStepsPerSecond;
constexpr float kKeep = 1.0f - kStep * spheres::kLinearDamping;  // of the speed, each step
constexpr float kDefaultTopSpeed = 7.0f;
// While towing, the main sphere waits for the second one once their centres
// are further apart than this: the magnet only reaches to a centre distance
// of 2, and one long frame's push alone opens the gap by about 0.2.
constexpr float kTowGap = 1.7f;
// A push that rolls the sphere further than this (a low frame rate) may
// throw it off a narrow ledge.
constexpr float kLongPush = 0.5f;
constexpr float kLaneHalfWidth = 0.3f;
// Camera turns start beyond the first angle and end within the second, so
// the cursor does not flicker at an edge.
constexpr float kTurnStartDegrees = 30.0f;
constexpr float kTurnEndDegrees = 8.0f;
constexpr float kTurnDistance = 2.0f;  // the camera turns towards points further away

struct KeyCombination {
    bool w, a, s, d;
};
constexpr KeyCombination kCombinations[] = {
    {true, false, false, false}, {false, false, true, false}, {false, true, false, false},
    {false, false, false, true}, {true, true, false, false},  {true, false, false, true},
    {false, true, true, false},  {false, false, true, true},
};
// A and D alone push straight across the view, unshortened by the camera's tilt.
constexpr size_t kOnlyA = 2;
constexpr size_t kOnlyD = 3;

glm::vec2 flat(const glm::vec3& v) { return {v.x, v.z}; }

const World* mainWorld(const ShellState& shell) {
    return shell.objectRegistry == nullptr ? nullptr : shell.objectRegistry->mainWorld();
}

const physics::RigidDynamic* sphere(const World* world, ActorType type) {
    if (world == nullptr) return nullptr;
    const auto entry = world->playerActors.find(type);
    if (entry == world->playerActors.end() || entry->second == nullptr) return nullptr;
    return entry->second->actor;
}

// Distance from p to the segment a-b, in the ground plane.
float segmentDistance(glm::vec2 p, glm::vec2 a, glm::vec2 b) {
    const glm::vec2 ab = b - a;
    const float lengthSquared = glm::dot(ab, ab);
    const float t = lengthSquared > 0.0f ? std::clamp(glm::dot(p - a, ab) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return glm::length(p - (a + t * ab));
}

// The drawn triangle edges of one object, measured from p.
float drawnDistance(const scene::SceneObject& object, glm::vec2 p) {
    float nearest = std::numeric_limits<float>::max();
    if (object.actor == nullptr || object.mesh == nullptr || object.actor->getNbShapes() == 0) {
        return nearest;
    }
    physics::Shape* shape = nullptr;
    object.actor->getShapes(&shape, 1, 0);
    // The same model matrix the scene pass draws the object with.
    const glm::mat4 model =
        shape->getGlobalPose().toMatrix() * object.transformMatrix * object.localMatrix;
    const MeshData& mesh = *object.mesh;
    auto corner = [&](std::uint32_t index) {
        const float* v = &mesh.positions[static_cast<size_t>(index) * 3];
        return flat(glm::vec3(model * glm::vec4(v[0], v[1], v[2], 1.0f)));
    };
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        const glm::vec2 a = corner(mesh.indices[i]);
        const glm::vec2 b = corner(mesh.indices[i + 1]);
        const glm::vec2 c = corner(mesh.indices[i + 2]);
        nearest = std::min({nearest, segmentDistance(p, a, b), segmentDistance(p, b, c),
                            segmentDistance(p, c, a)});
    }
    return nearest;
}

float subtreeDistance(const scene::SceneObject& object, glm::vec2 p) {
    float nearest = drawnDistance(object, p);
    for (const scene::SceneObject* child : object.children) {
        nearest = std::min(nearest, subtreeDistance(*child, p));
    }
    return nearest;
}

// How far p lies outside a lane along the way from a to b: wide enough for
// the pushes to weave a little, narrow enough to stay on a ledge.
float offTheWay(glm::vec2 p, glm::vec2 a, glm::vec2 b) {
    return std::max(0.0f, segmentDistance(p, a, b) - kLaneHalfWidth);
}

}  // namespace

Autopilot::Autopilot(Route route, const ShellState& shell) : route_(std::move(route)), shell_(shell) {}

bool Autopilot::goalReached() const {
    return shell_.renderLogic != nullptr && !shell_.renderLogic->gameRunning();
}

std::string Autopilot::where() const {
    if (routeDone()) return "the end of the route";
    const RouteStep& step = route_.steps[step_];
    return "step " + std::to_string(step_ + 1) + " (line " + std::to_string(step.line) + ": " +
           step.text + ")";
}

std::string Autopilot::report() const {
    char positions[128];
    std::snprintf(positions, sizeof positions, "main (%.2f, %.2f), second (%.2f, %.2f)", main_.x,
                  main_.y, second_.x, second_.y);
    return "frame " + std::to_string(frames_) + ", " + where() + ": " + positions;
}

void Autopilot::releaseInput() {
    for (int key : {kKeyW, kKeyA, kKeyS, kKeyD, platform::KEY_F7}) platform::script::setKey(key, false);
    platform::script::setMouseButton(platform::MOUSE_BUTTON_LEFT, false);
    platform::script::setMouseButton(platform::MOUSE_BUTTON_RIGHT, false);
}

void Autopilot::beforeFrame() {
    // What the screen shows now: the spheres where the last frame left them.
    const World* world = mainWorld(shell_);
    const physics::RigidDynamic* main = sphere(world, MainActorType);
    const physics::RigidDynamic* second = sphere(world, SecondActorType);
    // The run's time on the HUD tells how many steps the last frame ran.
    const long steps = shell_.renderLogic == nullptr ? 0 : shell_.renderLogic->simulation().steps();
    const long stepsTaken = steps - lastSteps_;
    lastSteps_ = steps;
    if (main != nullptr) {
        const glm::vec2 now = flat(main->getGlobalPose().p);
        if (!seenMain_ || stepsTaken < 0) {
            velocity_ = glm::vec2(0.0f);
        } else if (stepsTaken > 0) {
            velocity_ = (now - main_) * kStepsPerSecond / static_cast<float>(stepsTaken);
        }
        main_ = now;
        seenMain_ = true;
    }
    if (second != nullptr) {
        second_ = flat(second->getGlobalPose().p);
    }
    if (main != nullptr && second != nullptr) {
        gap_ = glm::length(second->getGlobalPose().p - main->getGlobalPose().p);
    }
    const double time = platform::getTime();
    if (frames_ > 0) interval_ = time - lastTime_;
    lastTime_ = time;
    ++frames_;
    // Waits and the patience run on game time, whatever the frame rate.
    if (stepsTaken > 0) {
        stepsWithoutProgress_ += stepsTaken;
        waitedSteps_ += stepsTaken;
    }
    // The next frame runs about as many steps as the last one's length
    // holds; each of them gets the keys' push.
    stepsPerFrame_ = std::clamp(static_cast<int>(interval_ * kStepsPerSecond + 0.5), 1, 8);
    // What the game will make of each choice of keys with the camera as it
    // stands, in one step.
    for (size_t i = 0; i < std::size(kCombinations); ++i) {
        const KeyCombination& keys = kCombinations[i];
        const glm::vec3 direction((keys.d ? 1.0f : 0.0f) - (keys.a ? 1.0f : 0.0f), 0.0f,
                                  (keys.s ? 1.0f : 0.0f) - (keys.w ? 1.0f : 0.0f));
        const glm::vec2 force = flat(pushForKeys(direction, shell_.camera.steering, kStep)) * spheres::kPushScale;
        kicks_[i] = force / spheres::kMass * kStep;
    }
    kicks_[std::size(kCombinations)] = glm::vec2(0.0f);

    releaseInput();
    platform::script::setKey(platform::KEY_F7, shadowsOff_ && shell_.options.render.shadowsEnabled);
    // Mid-height lies between the bands that tilt the camera, at any size.
    platform::script::setMousePos(shell_.screenWidth / 2, shell_.screenHeight / 2);
    while (!routeDone()) {
        const RouteAction action = route_.steps[step_].action;
        if (!runStep(route_.steps[step_])) break;
        nextStep();
        // A button is held for a whole frame: couple then uncouple in one
        // frame would press both, and the game reads that as uncoupled.
        if (action == RouteAction::Couple || action == RouteAction::Uncouple) break;
    }
    if (routeDone() && hasStation_) rollTowards(station_, kDefaultTopSpeed, false);
}

void Autopilot::nextStep() {
    ++step_;
    stepFrames_ = 0;
    waitedSteps_ = 0;
    bestDistance_ = std::numeric_limits<float>::max();
    lastClearance_ = 0.0f;
    stepsWithoutProgress_ = 0;
}

bool Autopilot::runStep(const RouteStep& step) {
    ++stepFrames_;
    switch (step.action) {
    case RouteAction::Go: {
        const float distance = glm::length(step.point - main_);
        // One push rolls the sphere a fixed way, about a metre at a low frame
        // rate; every push back undoes as much again. Where the pushes can't
        // land closer, as close as they can land is close enough.
        glm::vec2 travel(0.0f);
        const glm::vec2 pushed = frameOfPushes(glm::vec2(0.0f),
                                               glm::length(kicks_[kOnlyA]) > glm::length(kicks_[kOnlyD])
                                                   ? kicks_[kOnlyA]
                                                   : kicks_[kOnlyD],
                                               travel);
        const float pushTravel = glm::length(travel + pushed * kKeep / spheres::kLinearDamping);
        // The way runs from the route's last point, not from wherever the
        // last long push happened to land: a towed sphere trailing off the
        // way would catch on the frame of the next doorway.
        if (stepFrames_ == 1) legStart_ = hasStation_ ? station_ : main_;
        // Rolling up to the second sphere to take it along, or with it in
        // tow: close enough is within the magnet's reach, however far one
        // push lands.
        const bool pickUp = coupled_ || (step_ + 1 < route_.steps.size() &&
                                         route_.steps[step_ + 1].action == RouteAction::Couple);
        // Coupled, on the point itself is close enough only while the magnet
        // reaches: where the second sphere came to rest further off than the
        // route expected (a low frame rate's pushes), the main one fetches it.
        const bool inReach = !pickUp || gap_ <= kTowGap ||
                             (distance <= step.tolerance && (!coupled_ || gap_ <= spheres::kMagnetReach));
        if (distance <= std::max(step.tolerance, 0.65f * pushTravel)) {
            if (!inReach) {
                // As near as a push lands, and still out of reach: roll into
                // the second sphere itself, which stops the main one.
                rollTowards(second_, step.speed > 0.0f ? step.speed : kDefaultTopSpeed, false);
                return false;
            }
            station_ = step.point;
            hasStation_ = true;
            return true;
        }
        if (distance < bestDistance_ - 0.25f) {
            bestDistance_ = distance;
            stepsWithoutProgress_ = 0;
        }
        // Pushes that long could throw the sphere off a narrow ledge sideways,
        // so then it keeps to the straight way from where the step began,
        // while the camera looks along it; near the point it turns no more,
        // and the pushes at hand may not keep to the way.
        const bool keepToTheWay = pushTravel > kLongPush && distance > kTurnDistance;
        rollTowards(step.point, step.speed > 0.0f ? step.speed : kDefaultTopSpeed, true,
                    keepToTheWay ? &legStart_ : nullptr);
        return false;
    }
    case RouteAction::Couple:
    case RouteAction::Uncouple:
        coupled_ = step.action == RouteAction::Couple;
        // Pressed for this one frame; the next frame lets go again.
        platform::script::setMouseButton(step.action == RouteAction::Couple
                                             ? platform::MOUSE_BUTTON_LEFT
                                             : platform::MOUSE_BUTTON_RIGHT,
                                         true);
        return true;
    case RouteAction::Zoom:
        platform::script::setMouseWheel(step.frames);
        return true;
    default:
        break;
    }
    // The waits: the main sphere keeps its place meanwhile.
    bool done = false;
    switch (step.action) {
    case RouteAction::Wait:
        done = waitedSteps_ > step.frames;
        break;
    case RouteAction::Door:
        done = doorOpen(step.name);
        break;
    case RouteAction::Second:
        done = glm::length(step.point - second_) <= step.tolerance;
        break;
    case RouteAction::Mill: {
        // Clear of the point and moving away from it: the arm has gone by.
        const float clearance = millClearance(step.point);
        done = stepFrames_ > 1 && clearance >= step.tolerance && clearance > lastClearance_;
        lastClearance_ = clearance;
        break;
    }
    default:
        break;
    }
    if (done) return true;
    if (hasStation_) rollTowards(station_, kDefaultTopSpeed, false);
    return false;
}

glm::vec2 Autopilot::frameOfPushes(glm::vec2 velocity, glm::vec2 kick, glm::vec2& travel) const {
    for (int i = 0; i < stepsPerFrame_; ++i) {
        velocity = (velocity + kick) * kKeep;
        travel += velocity * kStep;
    }
    return velocity;
}

void Autopilot::rollTowards(glm::vec2 point, float topSpeed, bool turnCamera, const glm::vec2* from) {
    // The keys are all or nothing, and one frame's push is large: at a low
    // frame rate a single push carries the sphere more than a metre. So each
    // frame the autopilot looks ahead two frames: for every push now (or
    // none) followed by the best push in the next frame (or none), where the
    // sphere would roll out to as the damping takes a share of its speed
    // every step. It takes the push now of the pair ending nearest the point;
    // a push and a push back the next frame make a short hop (at a low frame
    // rate they undo each other, and single pushes are all there is).
    const glm::vec2* kicks = kicks_;
    const size_t none = std::size(kCombinations);
    // The choice that leaves the sphere slowest: none when no push slows it.
    auto brake = [&](glm::vec2 velocity) {
        size_t slowest = none;
        for (size_t i = 0; i < none; ++i) {
            if (glm::length(velocity + kicks[i]) < glm::length(velocity + kicks[slowest])) slowest = i;
        }
        return slowest;
    };
    // Towing: a push while the second sphere lags would leave it outside the
    // magnet's reach, so the main sphere only brakes until it has come near.
    const bool secondLags = coupled_ && gap_ > kTowGap && gap_ <= spheres::kMagnetReach;
    // At the top speed only pushes that slow the sphere down are taken.
    auto allowed = [&](glm::vec2 velocity, size_t kick) {
        const float speed = glm::length(velocity);
        return kick == none || speed < topSpeed || glm::length(velocity + kicks[kick]) < speed;
    };

    // The game reads the keys before this frame's steps, and every step of
    // the frame carries their push.
    const glm::vec2 v0 = velocity_;
    size_t best = none;
    float bestMiss = std::numeric_limits<float>::max();
    if (secondLags) best = brake(v0);
    for (size_t now = 0; now <= none && !secondLags; ++now) {
        if (!allowed(v0, now)) continue;
        glm::vec2 travel(0.0f);
        const glm::vec2 v1 = frameOfPushes(v0, kicks[now], travel);  // over this frame
        for (size_t next = 0; next <= none; ++next) {
            if (!allowed(v1, next)) continue;
            // Both frames' way, then the roll-out step by step: every push
            // adds the same way whenever it comes, so a push now and the same
            // push next frame land equally far, and the small charges below
            // decide between them.
            glm::vec2 moreTravel = travel;
            const glm::vec2 v2 = frameOfPushes(v1, kicks[next], moreTravel);
            const glm::vec2 end = main_ + moreTravel + v2 * kKeep / spheres::kLinearDamping;
            // A push has to gain a little over doing nothing, or it is not
            // worth it; one put off to the next frame a little more, or the
            // autopilot would put it off for ever.
            const float miss = glm::length(point - end) + (now == none ? 0.0f : 0.02f) +
                               (next == none ? 0.0f : 0.021f) +
                               (from != nullptr ? offTheWay(end, *from, point) : 0.0f);
            if (miss < bestMiss) {
                bestMiss = miss;
                best = now;
            }
        }
    }
    if (best != none) {
        const KeyCombination& keys = kCombinations[best];
        platform::script::setKey(kKeyW, keys.w);
        platform::script::setKey(kKeyA, keys.a);
        platform::script::setKey(kKeyS, keys.s);
        platform::script::setKey(kKeyD, keys.d);
    }
    const glm::vec2 offset = point - main_;
    if (turnCamera && glm::length(offset) > kTurnDistance) turnCameraTowards(offset);
}

void Autopilot::turnCameraTowards(glm::vec2 direction) {
    // The cursor at the left edge turns the view to the left (yaw grows),
    // at the right edge to the right, as a player turns it.
    const glm::vec2 forward = -flat(glm::vec3(shell_.camera.steering[2]));
    if (glm::length(forward) < 1e-4f) return;
    const glm::vec2 f = glm::normalize(forward);
    const glm::vec2 d = glm::normalize(direction);
    // Positive when the way lies to the left of the view.
    const float left = f.y * d.x - f.x * d.y;
    const float angle = glm::degrees(std::atan2(left, glm::dot(f, d)));
    const float limit = turning_ ? kTurnEndDegrees : kTurnStartDegrees;
    turning_ = std::abs(angle) > limit;
    if (!turning_) return;
    const int edge = angle > 0.0f ? 0 : shell_.screenWidth - 1;
    platform::script::setMousePos(edge, shell_.screenHeight / 2);
}

float Autopilot::millClearance(glm::vec2 point) const {
    const World* world = mainWorld(shell_);
    if (world == nullptr) return std::numeric_limits<float>::max();
    const scene::SceneObject* mill = scene::SceneObject::findByName("mill", world->root);
    return mill == nullptr ? std::numeric_limits<float>::max() : subtreeDistance(*mill, point);
}

bool Autopilot::doorOpen(const std::string& name) const {
    // A door is drawn exactly while it is closed.
    const World* world = mainWorld(shell_);
    if (world == nullptr) return false;
    const auto door = world->doorRegistry.find(name);
    return door != world->doorRegistry.end() && door->second != nullptr && door->second->isOpen;
}

}  // namespace velmora::app


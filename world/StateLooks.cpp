#include "world/StateLooks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <glm/gtc/matrix_transform.hpp>

#include "physics/Physics.h"
#include "sim/Door.h"
#include "sim/Simulation.h"
#include "sim/Trigger.h"
#include "sim/World.h"
#include "world/DrawNode.h"

namespace velmora {

glm::vec3 doorColour(const std::string& name) {
    // FNV-1a: std::hash may differ between libraries, a door's colour must not.
    uint32_t hash = 2166136261u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const float hue = static_cast<float>(hash % 360u) / 60.0f;
    // Fully saturated, then lifted towards white so the texture still shows.
    const glm::vec3 pure = glm::clamp(
        glm::vec3(std::abs(hue - 3.0f) - 1.0f, 2.0f - std::abs(hue - 2.0f), 2.0f - std::abs(hue - 4.0f)),
        0.0f, 1.0f);
    return glm::mix(pure, glm::vec3(1.0f), 0.35f);
}

void updateVisibility(scene::SceneObject& object, DrawNode& node) {
    object.update();
    updateShown(object, node);
}

void updateShown(const scene::SceneObject& object, DrawNode& node) {
    if (const auto* door = dynamic_cast<const scene::Door*>(&object)) {
        node.isVisible = node.shownOpen < 0.0f ? !door->isOpen : node.shownOpen < 1.0f;
    }
}

std::vector<physics::Bounds> slidingDoorBounds(const World& world) {
    std::vector<physics::Bounds> boxes;
    for (const auto& [name, door] : world.doorRegistry) {
        if (door == nullptr || !door->isOpen || door->actor == nullptr) continue;
        const float shown = drawNodeOf(*door).shownOpen;
        if (!(shown >= 0.0f && shown < 1.0f)) continue;  // slid away, or shown as its state at once
        std::vector<physics::Shape*> shapes(door->actor->getNbShapes());
        shapes.resize(door->actor->getShapes(shapes.data(), static_cast<uint32_t>(shapes.size())));
        if (shapes.empty()) continue;
        physics::Bounds box = shapes.front()->getWorldBounds();
        const float height = box.maximum.y - box.minimum.y;  // what StateLooks::height slides it by
        for (const physics::Shape* shape : shapes) {
            const physics::Bounds part = shape->getWorldBounds();
            box.minimum = glm::min(box.minimum, part.minimum);
            box.maximum = glm::max(box.maximum, part.maximum);
        }
        // Lowered as StateLooks::lower draws it: by the share slid of its height.
        const float depth = shown * height;
        box.minimum.y -= depth;
        box.maximum.y -= depth;
        boxes.push_back(box);
    }
    return boxes;
}

float StateLooks::height(const scene::SceneObject& object) {
    auto found = heights_.find(&object);
    if (found != heights_.end()) return found->second;
    float height = 0.0f;
    if (object.actor != nullptr && object.actor->getNbShapes() > 0) {
        physics::Shape* shape = nullptr;
        object.actor->getShapes(&shape, 1);
        const physics::Bounds bounds = shape->getWorldBounds();
        height = bounds.maximum.y - bounds.minimum.y;
    }
    return heights_.emplace(&object, height).first->second;
}

void StateLooks::lower(scene::SceneObject& object, float depth) {
    glm::vec3 down(0.0f, -depth, 0.0f);
    // The drawn model is pose * move * transform * local: the move goes in
    // the actor's own frame.
    if (object.actor != nullptr) down = glm::inverse(object.actor->getGlobalPose().q) * down;
    drawNodeOf(object).lookMove = glm::translate(glm::mat4(1.0f), down);
}

void StateLooks::update(World& world, long steps) {
    const bool jumped = steps < lastSteps_ || lastSteps_ < 0;
    const float slide = jumped ? 1.0f : static_cast<float>(steps - lastSteps_) * Simulation::kStep / kDoorSlideSeconds;
    lastSteps_ = steps;
    for (const auto& [name, door] : world.doorRegistry) {
        if (door == nullptr) continue;
        DrawNode& look = drawNodeOf(*door);
        const float target = door->isOpen ? 1.0f : 0.0f;
        const float from = look.shownOpen < 0.0f ? target : look.shownOpen;
        look.shownOpen = from < target ? std::min(from + slide, target) : std::max(from - slide, target);
        look.tint = doorColour(name);
        lower(*door, look.shownOpen * height(*door));
    }
    for (const auto& [actor, trigger] : world.triggerRegistry) {
        if (trigger == nullptr || !trigger->isSwitch()) continue;
        const auto opens = trigger->actions.find("open");
        const bool opensDoor = opens != trigger->actions.end() && !opens->second.empty();
        DrawNode& look = drawNodeOf(*trigger);
        look.tint = opensDoor ? doorColour(opens->second.front()) : glm::vec3(1.0f);
        look.glow = trigger->isSetOff() ? kSwitchGlow : 0.0f;
        look.ringMark = trigger->actorFilter == SecondActorType;
        lower(*trigger, trigger->isSetOff() ? kSwitchSink : 0.0f);
    }
}

}  // namespace velmora

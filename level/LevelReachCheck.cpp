#include "level/LevelReachCheck.h"

#include "level/Reachability.h"

#include <cmath>
#include <sstream>

namespace velmora {

namespace {

// Which sphere a trigger listens to: "main", "second" or "" for either.
std::string triggerActor(const CheckedNode& node) {
    const auto actor = node.annotations.find("actor");
    if (actor == node.annotations.end() || actor->second.empty()) return "";
    const std::string& value = actor->second.front();
    return value == "main" || value == "second" ? value : "";
}

bool listensTo(const CheckedNode& node, const std::string& sphere) {
    const std::string actor = triggerActor(node);
    return actor.empty() || actor == sphere;
}

// A trigger does one thing: win before reset before open.
bool isGoal(const CheckedNode& node) {
    return node.role == NodeRole::Trigger && node.annotations.count("win") > 0;
}
bool isReset(const CheckedNode& node) {
    return node.role == NodeRole::Trigger && !isGoal(node) && node.annotations.count("reset") > 0;
}
bool isSwitch(const CheckedNode& node) {
    return node.role == NodeRole::Trigger && !isGoal(node) && !isReset(node) &&
           node.annotations.count("open") > 0;
}

WorldBox triggerVolume(const CheckedNode& node) {
    return {node.pose.position, glm::normalize(node.pose.rotation),
            glm::abs(node.collision.halfExtents)};
}

// Centimetres are plenty to find a place; rounding also drops the noise of
// the tile turn (-1.8e-07 for 0).
std::string placeText(const glm::vec3& place) {
    const auto tidy = [](float value) { return std::round(value * 100.0f) / 100.0f + 0.0f; };
    std::ostringstream text;
    text << "(" << tidy(place.x) << ", " << tidy(place.y) << ", " << tidy(place.z) << ")";
    return text.str();
}

std::string sphereText(const std::string& sphere, const SphereStart& start) {
    std::ostringstream text;
    text << "the " << sphere << " sphere (radius " << start.radius << ", from "
         << placeText(start.centre) << ")";
    return text.str();
}

class ReachCheck {
public:
    ReachCheck(LevelReport& report) : report_(report) {}

    // Floods for one sphere and reports what it must reach.
    std::vector<ReachExit> run(const std::string& sphere, const SphereStart& start) {
        ReachLevel level;
        std::vector<WorldBox> targets;
        std::vector<const CheckedNode*> targetNodes;
        for (const CheckedNode& node : report_.nodes) {
            // Doors count as open; the mill's arms sweep past any place.
            if (node.role != NodeRole::Door && !node.turnsWithMill) {
                level.solidTriangles.insert(level.solidTriangles.end(),
                                            node.solidTriangles.begin(),
                                            node.solidTriangles.end());
            }
            const bool volume = node.collision.hasTriggerVolume() && !node.solidTriangles.empty();
            if (volume && isReset(node) && listensTo(node, sphere)) {
                level.resetVolumes.push_back(triggerVolume(node));
            }
            if (volume && (isGoal(node) || isSwitch(node)) && listensTo(node, sphere)) {
                targets.push_back(triggerVolume(node));
                targetNodes.push_back(&node);
            }
            if (node.role == NodeRole::Door && sphere == "main") {
                const glm::vec3 margin(0.05f);
                targets.push_back({(node.worldMin + node.worldMax) * 0.5f, glm::quat(1, 0, 0, 0),
                                   (node.worldMax - node.worldMin) * 0.5f + margin});
                targetNodes.push_back(&node);
            }
        }
        const ReachResult result = floodReach(level, start.centre, start.radius, targets);

        SphereReach summary;
        summary.sphere = sphere;
        summary.start = start;
        summary.startOnFloor = result.startOnFloor;
        summary.placesReached = result.placesReached;
        summary.exits = static_cast<int>(result.exits.size());
        if (!result.startOnFloor) {
            addError("no floor under the start of " + sphereText(sphere, start));
        }
        for (std::size_t t = 0; t < targets.size(); ++t) {
            const CheckedNode& node = *targetNodes[t];
            const bool reached = result.targetsReached[t];
            if (isGoal(node)) {
                ++summary.goals;
                summary.goalsReached += reached;
            } else if (isSwitch(node)) {
                ++summary.switches;
                summary.switchesReached += reached;
                if (!reached && result.startOnFloor) {
                    addWarning(node, sphereText(sphere, start) + " can't reach this switch");
                }
            } else {
                ++summary.doors;
                summary.doorsReached += reached;
                if (!reached && result.startOnFloor) {
                    addWarning(node, sphereText(sphere, start) + " can't reach this door");
                }
            }
        }
        if (summary.goals > 0 && summary.goalsReached == 0 && result.startOnFloor) {
            addError("the goal can't be reached by " + sphereText(sphere, start));
        }
        report_.reach.push_back(summary);
        return result.exits;
    }

    void reportExits(const std::string& sphere, const SphereStart& start,
                     const std::vector<ReachExit>& exits, const std::vector<ReachExit>& known) {
        for (const ReachExit& exit : exits) {
            bool seen = false;
            for (const ReachExit& other : known) {
                seen = seen || glm::distance(exit.place, other.place) < 2.0f * start.radius;
            }
            if (seen) continue;
            std::ostringstream text;
            text << sphereText(sphere, start) << " rolls out of the level at "
                 << placeText(exit.place) << " (" << exit.cells * kReachCell
                 << " m of edge) with no reset volume under the fall";
            addError(text.str());
        }
    }

private:
    void addError(const std::string& message) {
        report_.problems.push_back({true, "level", "-", message});
    }
    void addWarning(const CheckedNode& node, const std::string& message) {
        report_.problems.push_back({false, node.file, node.nodeName, message});
    }

    LevelReport& report_;
};

}  // namespace

void checkReach(LevelReport& report, const LevelCheckSettings& settings) {
    ReachCheck check(report);
    const std::vector<ReachExit> mainExits = check.run("main", settings.main);
    check.reportExits("main", settings.main, mainExits, {});
    // The second sphere needs its own way only to the triggers that listen
    // to it alone; its larger radius can still find a way out.
    const std::vector<ReachExit> secondExits = check.run("second", settings.second);
    check.reportExits("second", settings.second, secondExits, mainExits);
}

}  // namespace velmora

#include "tools/autopilot/Route.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace velmora::app {

namespace {

// The most frames a wait lasts (over four hours), and the farthest wheel position.
constexpr float kMostFramesOrWheel = 1000000.0f;

// Reads the numbers a step needs (then up to `optional` more); false when one
// is missing or not a finite number, or something is left over.
bool readNumbers(std::istringstream& in, std::vector<float>& out, size_t needed, size_t optional) {
    std::string word;
    while (in >> word) {
        if (out.size() == needed + optional) return false;
        try {
            size_t used = 0;
            const float value = std::stof(word, &used);
            if (used != word.size() || !std::isfinite(value)) return false;
            out.push_back(value);
        } catch (const std::exception&) {
            return false;
        }
    }
    return out.size() >= needed;
}

bool parseStep(const std::string& line, RouteStep& step, std::string& problem) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    std::vector<float> n;
    if (word == "go") {
        step.action = RouteAction::Go;
        if (!readNumbers(in, n, 2, 2)) {
            problem = "go needs X Z [TOLERANCE [SPEED]]";
            return false;
        }
        step.point = {n[0], n[1]};
        if (n.size() > 2) step.tolerance = n[2];
        if (n.size() > 3) step.speed = n[3];
        if (step.tolerance <= 0.0f || step.speed < 0.0f) {
            problem = "go needs a positive tolerance and a speed of at least 0";
            return false;
        }
    } else if (word == "couple" || word == "uncouple") {
        step.action = word == "couple" ? RouteAction::Couple : RouteAction::Uncouple;
        if (!readNumbers(in, n, 0, 0)) {
            problem = word + " takes nothing more";
            return false;
        }
    } else if (word == "wait" || word == "zoom") {
        step.action = word == "wait" ? RouteAction::Wait : RouteAction::Zoom;
        // Bounded before the conversion to int, which is undefined beyond
        // its range (the fuzz lane's "wait 2147483647" read as 2147483648).
        if (!readNumbers(in, n, 1, 0) || n[0] != std::floor(n[0]) ||
            (word == "wait" && n[0] < 0.0f) || std::fabs(n[0]) > kMostFramesOrWheel) {
            problem = word == "wait" ? "wait needs a whole number of frames (at most 1000000)"
                                     : "zoom needs a whole wheel position (within 1000000)";
            return false;
        }
        step.frames = static_cast<int>(n[0]);
    } else if (word == "door") {
        step.action = RouteAction::Door;
        std::string extra;
        if (!(in >> step.name) || (in >> extra)) {
            problem = "door needs one door name";
            return false;
        }
    } else if (word == "mill" || word == "second") {
        step.action = word == "mill" ? RouteAction::Mill : RouteAction::Second;
        if (!readNumbers(in, n, 3, 0) || n[2] <= 0.0f) {
            problem = word + " needs X Z and a positive distance";
            return false;
        }
        step.point = {n[0], n[1]};
        step.tolerance = n[2];
    } else {
        problem = "unknown step '" + word + "'";
        return false;
    }
    return true;
}

}  // namespace

float Route::length() const {
    float total = 0.0f;
    const RouteStep* previous = nullptr;
    for (const RouteStep& step : steps) {
        if (step.action != RouteAction::Go) continue;
        if (previous != nullptr) total += glm::length(step.point - previous->point);
        previous = &step;
    }
    return total;
}

std::optional<Route> parseRoute(const std::string& text, std::string& error) {
    Route route;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string content = line.substr(0, line.find('#'));
        if (content.find_first_not_of(" \t\r") == std::string::npos) continue;
        RouteStep step;
        step.line = number;
        step.text = content.substr(content.find_first_not_of(" \t"));
        step.text = step.text.substr(0, step.text.find_last_not_of(" \t\r") + 1);
        std::string problem;
        if (!parseStep(content, step, problem)) {
            error = "line " + std::to_string(number) + ": " + problem;
            return std::nullopt;
        }
        route.steps.push_back(step);
    }
    if (route.steps.empty()) {
        error = "the route has no steps";
        return std::nullopt;
    }
    return route;
}

std::optional<Route> loadRoute(const std::string& fileName, std::string& error) {
    std::ifstream file(fileName);
    if (!file) {
        error = "can't read " + fileName;
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::optional<Route> route = parseRoute(text.str(), error);
    if (!route) error = fileName + ": " + error;
    return route;
}

Route withoutSecondSphere(const Route& route) {
    Route kept;
    // The game starts coupled: without this the first go steps past the
    // second sphere would still drag it along.
    RouteStep uncouple;
    uncouple.action = RouteAction::Uncouple;
    uncouple.text = "uncouple (once, at the start)";
    kept.steps.push_back(uncouple);
    for (const RouteStep& step : route.steps) {
        const bool secondSphere = step.action == RouteAction::Couple ||
                                  step.action == RouteAction::Uncouple ||
                                  step.action == RouteAction::Second;
        if (!secondSphere) kept.steps.push_back(step);
    }
    return kept;
}

}  // namespace velmora::app

#pragma once
// A route through the level for the autopilot: the steps a player would take,
// read from a text file kept beside the level descriptions
// (tools/level/route.txt, whose header describes the format).

#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace velmora::app {

enum class RouteAction {
    Go,        // roll the main sphere to a point
    Couple,    // left mouse button: the magnet pulls the second sphere
    Uncouple,  // right mouse button: the magnet pushes it away
    Wait,      // let frames pass, keys up
    Door,      // wait until a door is open (no longer drawn)
    Mill,      // wait until the mill has swept past a point
    Second,    // wait until the second sphere is near a point
    Zoom,      // set the mouse wheel
};

struct RouteStep {
    RouteAction action = RouteAction::Wait;
    int line = 0;                   // in the route file, for messages
    glm::vec2 point{0.0f};          // world x and z
    float tolerance = 0.5f;         // Go, Second: metres; Mill: the clearance
    float speed = 0.0f;             // Go: top speed in m/s, 0 for the default
    int frames = 0;                 // Wait: frames; Zoom: wheel position
    std::string name;               // Door: the door's name; any step: a label
    std::string text;               // the line as written, for messages
};

struct Route {
    std::vector<RouteStep> steps;
    // Metres from the first Go point to the last, Go points in order.
    float length() const;
};

// Parses a route text. On a line it can't read it returns nothing and sets
// error to "line N: what is wrong".
std::optional<Route> parseRoute(const std::string& text, std::string& error);
// Reads and parses a route file; error also covers a file that can't be read.
std::optional<Route> loadRoute(const std::string& fileName, std::string& error);

// The route without its second-sphere actions (couple and uncouple, and the
// waits for the second sphere), uncoupled once at the start: what a player
// does who never lets the magnet pull the second sphere along.
Route withoutSecondSphere(const Route& route);

}  // namespace velmora::app

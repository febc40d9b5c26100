#pragma once
// The names the settings screen gives the options, which the option keys'
// messages and the help use too, so that a player reads one name for one
// thing wherever it shows.

namespace velmora::app::settingName {

constexpr const char* frameTime = "Frame time";
constexpr const char* wireframe = "Wireframe";
constexpr const char* filtering = "Filtering";
constexpr const char* shadows = "Shadows";
constexpr const char* culling = "Culling";
constexpr const char* transparency = "Transparency";

// The filtering modes by number (Settings::filtering, what F5 cycles).
constexpr const char* filteringModes[3] = {"trilinear", "nearest mipmap", "nearest"};

}  // namespace velmora::app::settingName

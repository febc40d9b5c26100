#pragma once
// Opening the game's window and loading the OpenGL entry points: shared by the
// game's start-up and the GL tests, so both run on the same kind of context.

#include "app/settings/Settings.h"

namespace velmora::app {

// Asks for a 3.2 core context in a full-screen window at the desktop size, or
// in a window where the settings say (display = windowed), with their vsync,
// and stores the size drawn into. Returns false when the window cannot be
// opened.
bool openGameWindow(int& screenWidth, int& screenHeight, const Settings& settings = Settings{});

// glewInit; false when it does not succeed.
bool initGlew();

// True when the context offers OpenGL 3.3.
bool hasOpenGl33();

// The names whose GLEW pointers are re-loaded through the window layer.
extern const char* const reloadedEntryPoints[18];

// Overwrites GLEW's pointer for each name above with the window layer's
// address for it, null or not.
void reloadEntryPoints();

}  // namespace velmora::app

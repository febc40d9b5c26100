#pragma once
// The sizes and bands the HUD's parts share. The corner readouts (the run
// timer and the replay line top right, the frame time bottom left, the
// magnet bottom right) stand in bands along the top and the bottom edges;
// panels keep between them, so no panel ever covers a readout.

#include "app/hud/TextPanel.h"

namespace velmora::app {

// 20 pixels from 720 rows up; smaller on smaller screens, never below 10.
int cornerTextSize(int screenHeight);

// Where the frame-time readout's two lines stand: at 20 pixels, (50, 60)
// and (50, 40), and proportionally at a smaller size.
int frameTimeX(int size);
int frameTimeY(int size, int line);  // line 0 the upper

// Between the readouts' bands, a corner size in from the sides.
ScreenBox panelArea(int screenWidth, int screenHeight);

}  // namespace velmora::app

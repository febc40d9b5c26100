#version 150

// Flat menu rectangles: corners arrive in pixels from the bottom-left corner
// of the screen, with their colour.

in vec2 position;
in vec4 colour;

uniform vec2 screenSize;

out vec4 quadColour;

void main() {
    gl_Position = vec4(position / screenSize * 2.0 - 1.0, -1.0, 1.0);
    quadColour = colour;
}

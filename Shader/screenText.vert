#version 150

// Screen text: corners arrive in pixels from the bottom-left corner of the
// screen and are mapped straight to clip space.

in vec2 vertexPosition_screenspace;
in vec2 vertexUV;

uniform float width;
uniform float height;

out vec2 UV;

void main() {
    vec2 clip = vertexPosition_screenspace / vec2(width, height) * 2.0 - 1.0;
    // Nearest depth, so the HUD wins against any scene depth in the target.
    gl_Position = vec4(clip, -1.0, 1.0);
    UV = vertexUV;
}

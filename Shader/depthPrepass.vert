#version 150
// The scene pass's depth-only walk: the same position as basic.vert and
// tex.vert compute, bit for bit (all three declare it invariant), so the
// shaded walk after it finds exactly this depth where its surface is nearest.

in vec3 position;

uniform mat4 VP;
uniform mat4 modelMatrix;

invariant gl_Position;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    gl_Position = VP * world;
}

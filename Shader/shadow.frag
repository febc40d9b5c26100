#version 150
// Stores the distance from the light instead of the face's perspective depth,
// so the scene pass compares like with like whatever face a lookup lands on.

in vec3 worldPosition;

uniform vec4 l_pos;
uniform vec2 near_far;

void main() {
    float distance = length(worldPosition - l_pos.xyz);
    gl_FragDepth = clamp((distance - near_far.x) / (near_far.y - near_far.x), 0.0, 1.0);
}

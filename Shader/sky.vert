#version 150
// The backdrop's quad on the far plane, so that it fills only what the level
// left empty, and the world direction of the view ray at each corner: the
// ray is linear across the screen, so the corners' rays interpolate exactly
// and each fragment only normalises its own.

in vec3 position;

uniform mat4 Camera;             // camera to world
uniform mat4 inverseProjection;  // clip to camera space

out vec3 viewRay;

void main() {
    vec4 eye = inverseProjection * vec4(position.xy, 1.0, 1.0);
    viewRay = mat3(Camera) * (eye.xyz / eye.w);
    gl_Position = vec4(position.xy, 1.0, 1.0);
}

#version 150
// The backdrop behind the level: a sky that deepens from a pale horizon
// upwards, and below the horizon a far ground plane that fades into the
// haze towards it. Drawn first, over the whole screen, without depth.

in vec2 uv;

uniform mat4 Camera;             // camera to world
uniform mat4 inverseProjection;  // clip to camera space

out vec4 colorRender;
out vec4 colorAlpha;

// The level's colours (its "sky" line); the haze where the far ground meets
// the horizon is the horizon's colour dulled a little towards the ground.
uniform vec3 zenith;
uniform vec3 horizon;
uniform vec3 ground;

void main() {
    vec4 eye = inverseProjection * vec4(uv * 2.0 - 1.0, 1.0, 1.0);
    vec3 direction = normalize(mat3(Camera) * (eye.xyz / eye.w));
    float up = direction.y;
    vec3 haze = mix(horizon, ground, 0.25);
    vec3 colour = up >= 0.0 ? mix(horizon, zenith, pow(up, 0.6))
                            : mix(haze, ground, smoothstep(0.0, 0.3, -up));
    colorRender = vec4(colour, 1.0);
    colorAlpha = vec4(colour, 0.0);  // softened like the rest of the world
}

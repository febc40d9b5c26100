#version 150
// The backdrop behind the level: a sky that deepens from a pale horizon
// upwards, and below the horizon a far ground plane that fades into the
// haze towards it. Drawn first, over the whole screen, without depth.

in vec2 uv;

uniform mat4 Camera;             // camera to world
uniform mat4 inverseProjection;  // clip to camera space

out vec4 colorRender;
out vec4 colorAlpha;

const vec3 kZenith = vec3(0.16, 0.33, 0.66);
const vec3 kHorizon = vec3(0.68, 0.78, 0.90);
const vec3 kHaze = vec3(0.58, 0.62, 0.60);
const vec3 kGround = vec3(0.26, 0.32, 0.22);

void main() {
    vec4 eye = inverseProjection * vec4(uv * 2.0 - 1.0, 1.0, 1.0);
    vec3 direction = normalize(mat3(Camera) * (eye.xyz / eye.w));
    float up = direction.y;
    vec3 colour = up >= 0.0 ? mix(kHorizon, kZenith, pow(up, 0.6))
                            : mix(kHaze, kGround, smoothstep(0.0, 0.3, -up));
    colorRender = vec4(colour, 1.0);
    colorAlpha = vec4(colour, 0.0);  // softened like the rest of the world
}

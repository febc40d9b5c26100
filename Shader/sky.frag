#version 150
// The backdrop behind the level: a sky that deepens from a pale horizon
// upwards, and below the horizon a far ground plane that fades into the
// haze towards it. Drawn after the level's opaque objects, on the far plane,
// where they left the screen empty.

in vec3 viewRay;  // world direction from the eye, not normalised

out vec4 colorRender;
out vec4 colorAlpha;

const vec3 kZenith = vec3(0.16, 0.33, 0.66);
const vec3 kHorizon = vec3(0.68, 0.78, 0.90);
const vec3 kHaze = vec3(0.58, 0.62, 0.60);
const vec3 kGround = vec3(0.26, 0.32, 0.22);

void main() {
    float up = normalize(viewRay).y;
    vec3 colour = up >= 0.0 ? mix(kHorizon, kZenith, pow(up, 0.6))
                            : mix(kHaze, kGround, smoothstep(0.0, 0.3, -up));
    colorRender = vec4(colour, 1.0);
    colorAlpha = vec4(colour, 0.0);  // softened like the rest of the world
}

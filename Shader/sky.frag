#version 150
// The backdrop behind the level: a sky that deepens from a pale horizon
// upwards, and below the horizon a far ground plane that fades into the
// haze towards it. Drawn after the level's opaque objects, on the far plane,
// where they left the screen empty.

in vec3 viewRay;  // world direction from the eye, not normalised

out vec4 colorRender;
out vec4 colorAlpha;

// The level's colours (its "sky" line); the haze where the far ground meets
// the horizon is the horizon's colour dulled a little towards the ground.
uniform vec3 zenith;
uniform vec3 horizon;
uniform vec3 ground;

void main() {
    float up = normalize(viewRay).y;
    vec3 haze = mix(horizon, ground, 0.25);
    vec3 colour = up >= 0.0 ? mix(horizon, zenith, pow(up, 0.6))
                            : mix(haze, ground, smoothstep(0.0, 0.3, -up));
    colorRender = vec4(colour, 1.0);
    colorAlpha = vec4(colour, 0.0);  // softened like the rest of the world
}

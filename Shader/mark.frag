#version 150
// The marks round the player's spheres: the magnet's reach as a disc on the
// floor, the link between the spheres, and the main sphere's rim seen
// through whatever hides it. They light themselves (glow) and are drawn
// see-through over the world: one read of the shadow cube is enough for the
// shadows that fall on them, which the world under them shows softly anyway.

in vec3 worldPosition;
in vec3 worldNormal;

uniform vec3 defaultMaterialColor;
uniform mat4 Camera;     // camera to world: its last column is the eye
uniform float opacity;
uniform vec3 tint;       // the mark's colour
uniform float glow;      // its own light, in its tint
uniform float outline;   // 1: only the object's rim, in its tint
uniform vec4 l_pos;      // the point light, world space
uniform vec2 near_far;   // distance range stored in the shadow cube
uniform samplerCube cm_z_tex;  // light-to-surface distance per direction

out vec4 colorRender;
out vec4 colorAlpha;

const float kAmbient = 0.2;
const float kShadowTexels = 2048.0;

// 1.0 where the light reaches the point, 0.0 where something nearer to the
// light covers it; the bias as the world's shaders take it, for one read.
float lightVisibility(vec3 n) {
    vec3 fromLight = worldPosition - l_pos.xyz;
    float distance = length(fromLight);
    if (distance >= near_far.y) return 1.0;
    float cosine = clamp(dot(n, -fromLight / distance), 0.1, 1.0);
    float slope = min(sqrt(1.0 - cosine * cosine) / cosine, 6.0);
    float bias = 2.0 * distance / kShadowTexels * (1.5 + slope) + 0.005;
    float nearest = texture(cm_z_tex, fromLight).r * (near_far.y - near_far.x) + near_far.x;
    return distance - bias > nearest ? 0.0 : 1.0;
}

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toEye = normalize(Camera[3].xyz - worldPosition);
    float facing = dot(n, toEye);
    if (outline > 0.0) {
        // Opaque where the surface turns away from the eye, clear where it faces it.
        colorRender = vec4(tint, opacity * (1.0 - smoothstep(0.3, 0.55, abs(facing))));
    } else {
        if (facing < 0.0) n = -n;  // two-sided, as the world's surfaces
        float diffuse = max(dot(n, normalize(l_pos.xyz - worldPosition)), 0.0);
        vec3 lit = defaultMaterialColor * (kAmbient + (1.0 - kAmbient) * diffuse * lightVisibility(n));
        colorRender = vec4(lit * tint + glow * tint, opacity);
    }
    colorAlpha = vec4(colorRender.rgb, 0.0);
}

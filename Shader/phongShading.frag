#version 150
// Phong shading of untextured objects in their default material colour, lit
// by the point light and shadowed through the light's distance cube.

in vec3 worldPosition;
in vec3 worldNormal;

uniform vec3 defaultMaterialColor;

uniform mat4 Camera;             // camera to world: its last column is the eye
uniform float materialSpecFactor;  // shininess exponent
uniform float specFactor;          // strength of the highlight, per object
uniform float opacity;
uniform vec3 tint;       // the colour of the object's state: a door's, shared by its switches
uniform float glow;      // light of its own, in its tint: a switch while set off
uniform vec4 l_pos;                // the point light, world space
uniform vec2 near_far;             // distance range stored in the shadow cube
uniform samplerCube cm_z_tex;      // light-to-surface distance per direction

out vec4 colorRender;
out vec4 colorAlpha;

const float kAmbient = 0.2;
const float kShadowTexels = 2048.0;
const float kSoftTexels = 4.0;    // how far round the point they reach

// Meshes without normals leave the attribute at 0; fall back to the face normal.
vec3 surfaceNormal() {
    if (dot(worldNormal, worldNormal) > 1e-12) {
        return normalize(worldNormal);
    }
    return normalize(cross(dFdx(worldPosition), dFdy(worldPosition)));
}

// 1.0 where the light reaches the point, 0.0 where something nearer to the
// light covers it, and between on a shadow's edge: the cube is read a few
// times round the point, across the light's direction, so an edge fades over
// a few texels instead of stepping. The cube holds (distance - near) /
// (far - near) of the nearest surface in every direction from the light.
float lightVisibility(vec3 n) {
    vec3 fromLight = worldPosition - l_pos.xyz;
    float distance = length(fromLight);
    float range = near_far.y - near_far.x;
    if (distance >= near_far.y) {
        return 1.0;  // outside the shadow range nothing is known: leave it lit
    }
    // The bias grows with the size of one cube texel at this distance and with
    // the grazing angle, so flat floors far from the light show no acne; it
    // stays a few texels, so contact shadows under objects do not detach.
    float cosine = clamp(dot(n, -fromLight / distance), 0.1, 1.0);
    float slope = min(sqrt(1.0 - cosine * cosine) / cosine, 6.0);
    float texel = 2.0 * distance / kShadowTexels;
    // The reads round the point meet a slanted surface nearer or further by
    // their spread times the slope: the bias takes that in too.
    float spread = kSoftTexels * texel;
    float bias = texel * (1.5 + slope) + spread * slope + 0.005;
    vec3 along = fromLight / distance;
    vec3 side = normalize(cross(along, abs(along.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0)));
    vec3 up = cross(along, side);
    // Two reads, on opposite sides of the point; on every other pixel, in a
    // checkerboard, a quarter turn round. The post-process averages
    // neighbouring pixels, so an edge fades as four reads a pixel would make it.
    vec2 cell = floor(gl_FragCoord.xy);
    bool turned = mod(cell.x + cell.y, 2.0) >= 1.0;
    vec3 offset = (turned ? side + up : side - up) * (0.70710678 * spread);
    float first = texture(cm_z_tex, fromLight + offset).r * range + near_far.x;
    float second = texture(cm_z_tex, fromLight - offset).r * range + near_far.x;
    return ((distance - bias > first ? 0.0 : 0.5) + (distance - bias > second ? 0.0 : 0.5));
}

// Phong lighting of a surface of the given base colour by the point light.
vec3 shade(vec3 baseColor) {
    vec3 n = surfaceNormal();
    vec3 eye = Camera[3].xyz;
    vec3 toEye = normalize(eye - worldPosition);
    // Two-sided: a face seen from behind is lit as its visible side.
    if (dot(n, toEye) < 0.0) {
        n = -n;
    }
    vec3 toLight = normalize(l_pos.xyz - worldPosition);
    float diffuse = max(dot(n, toLight), 0.0);
    float specular = 0.0;
    // A surface turned away from the light gets neither diffuse nor specular
    // light, so whether the light reaches it changes nothing: no cube lookup.
    float visible = 0.0;
    if (diffuse > 0.0) {
        vec3 reflected = reflect(-toLight, n);
        specular = specFactor * pow(max(dot(reflected, toEye), 0.0), materialSpecFactor);
        visible = lightVisibility(n);
    }
    return baseColor * (kAmbient + (1.0 - kAmbient) * diffuse * visible) + vec3(specular * visible);
}

// The second output holds the colour too, with alpha 0. The post-process
// softens the first one whole; the HUD goes on after it, sharp.
void writeOutputs(vec3 color) {
    colorRender = vec4(color, opacity);
    colorAlpha = vec4(color, 0.0);
}

void main() {
    writeOutputs(shade(defaultMaterialColor) * tint + glow * tint);
}

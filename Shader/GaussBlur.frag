#version 150

// The scene blurred in both directions at once, composed with the parts kept
// sharp, onto the screen.
//
// renderedTexture: the scene's colour, filtered linearly.
// alphaTexture:    the scene's second output, whose alpha says how much of a
//                  pixel stays sharp (1 for HUD text): that much of the
//                  scene's own colour there is kept as it is.
// uShift:          distance between kernel taps, in texture coordinates
//                  (x across, y down).
// overlay:         a colour laid over the scene, not the HUD, by its alpha: a
//                  hazard's red flash, the dimming behind the win screen.

in vec2 uv;

uniform sampler2D renderedTexture;
uniform sampler2D alphaTexture;
uniform vec2 uShift;
uniform vec4 overlay;

out vec4 colorRender;

// Binomial 5-tap kernel (1 4 6 4 1) / 16 along each axis with its outer pairs
// merged: each side is one tap 1.2 shifts out, worth 5/16. The blur is the
// kernel across times the kernel down, nine taps. Every tap is read at the
// centre of this fragment's texel moved by whole tap offsets, so the linear
// filter mixes the two (or four) texels round a side tap by exactly the
// kernel's share: one read where a separate pass across and then down would
// write the picture in between and read it back.
const float centreWeight = 6.0 / 16.0;
const float sideWeight = 5.0 / 16.0;
const float sideOffset = 1.2;

vec3 row(vec2 at, float across) {
    return texture(renderedTexture, at).rgb * centreWeight
         + (texture(renderedTexture, at + vec2(across, 0.0)).rgb
            + texture(renderedTexture, at - vec2(across, 0.0)).rgb) * sideWeight;
}

void main() {
    ivec2 size = textureSize(renderedTexture, 0);
    // The texel under this fragment. The target may hold fewer pixels than
    // the screen (render scale): each texel then stands for the fragments
    // it covers.
    ivec2 texel = ivec2(uv * vec2(size));
    vec2 centre = (vec2(texel) + 0.5) / vec2(size);
    vec2 tap = sideOffset * uShift;
    vec3 blurred = row(centre, tap.x) * centreWeight
                 + (row(centre + vec2(0.0, tap.y), tap.x) + row(centre - vec2(0.0, tap.y), tap.x)) * sideWeight;

    vec3 sharp = texelFetch(renderedTexture, texel, 0).rgb;
    float keep = clamp(texelFetch(alphaTexture, texel, 0).a, 0.0, 1.0);
    vec3 scene = mix(blurred, overlay.rgb, clamp(overlay.a, 0.0, 1.0));
    colorRender = vec4(mix(scene, sharp, keep), 1.0);
}

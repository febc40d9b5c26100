#version 150

// One direction of a separable Gaussian blur, and in the last pass the
// composition of the blurred picture with the parts kept sharp.
//
// renderedTexture: colour to blur (pass 1: the scene, pass 2: pass 1's blur).
// alphaTexture:    pass 1 reads the scene's second output, whose alpha says
//                  how much of a pixel stays sharp (1 for HUD text); pass 2
//                  reads what pass 1 stored there: the sharp colour and that
//                  alpha.
// uShift:          distance between kernel taps, in texture coordinates.
// blend:           0 in pass 1, 1 in the pass that writes the screen.
// overlay:         a colour laid over the scene, not the HUD, by its alpha in
//                  the pass that writes the screen: a hazard's red flash, the
//                  dimming behind the win screen.

in vec2 uv;

uniform sampler2D renderedTexture;
uniform sampler2D alphaTexture;
uniform vec2 uShift;
uniform int blend;
uniform vec4 overlay;
// The targets sample with plain linear filtering, so every read sees level 0
// whatever level is asked for; the kernel therefore does not use it.
uniform int mipmap_level;

out vec4 colorRender;
out vec4 colorAlpha;

// Binomial 5-tap kernel (1 4 6 4 1) / 16 with its outer pairs merged: each
// side is one tap 1.2 shifts out, worth 5/16. Every fragment of a pass
// sits on a texel centre and a side tap lies
// between two texels along the blur: it is read as those two texels mixed,
// which is what linear filtering would give, at half the texel reads.
const float centreWeight = 6.0 / 16.0;
const float sideWeight = 5.0 / 16.0;
const float sideOffset = 1.2;

vec3 texel(ivec2 at, ivec2 size) {
    return texelFetch(renderedTexture, clamp(at, ivec2(0), size - 1), 0).rgb;
}

vec3 sideTap(ivec2 centre, ivec2 size, ivec2 step, int whole, float part) {
    return mix(texel(centre + step * whole, size), texel(centre + step * (whole + 1), size), part);
}

void main() {
    ivec2 size = textureSize(renderedTexture, 0);
    // The texel under this fragment. The targets may hold fewer pixels than
    // the screen (render scale): the pass onto the screen then takes each
    // texel for the fragments it covers.
    ivec2 centre = ivec2(uv * vec2(size));
    // Texels from the centre to a side tap, along the one axis uShift names.
    float distance = sideOffset * dot(uShift, vec2(size));
    ivec2 step = uShift.x != 0.0 ? ivec2(1, 0) : ivec2(0, 1);
    int whole = int(floor(distance));
    float part = distance - float(whole);

    vec3 middle = texel(centre, size);
    vec3 blurred = middle * centreWeight
                 + sideTap(centre, size, step, whole, part) * sideWeight
                 + sideTap(centre, size, -step, whole, part) * sideWeight;

    if (blend == 0) {
        colorRender = vec4(blurred, 1.0);
        colorAlpha = vec4(middle, texelFetch(alphaTexture, centre, 0).a);
    } else {
        vec4 sharp = texelFetch(alphaTexture, centre, 0);
        vec3 scene = mix(blurred, overlay.rgb, clamp(overlay.a, 0.0, 1.0));
        colorRender = vec4(mix(scene, sharp.rgb, clamp(sharp.a, 0.0, 1.0)), 1.0);
        colorAlpha = sharp;
    }
}

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

in vec2 uv;

uniform sampler2D renderedTexture;
uniform sampler2D alphaTexture;
uniform vec2 uShift;
uniform int blend;
// The targets sample with plain linear filtering, so every read sees level 0
// whatever level is asked for; the kernel therefore does not use it.
uniform int mipmap_level;

out vec4 colorRender;
out vec4 colorAlpha;

// Binomial 5-tap kernel (1 4 6 4 1) / 16. Linear filtering merges each pair of
// outer taps into one read at their weighted centre, 1.2 taps out, so the
// kernel costs three reads.
const float centreWeight = 6.0 / 16.0;
const float sideWeight = 5.0 / 16.0;
const float sideOffset = 1.2;

void main() {
    vec4 centre = texture(renderedTexture, uv);
    vec3 blurred = centre.rgb * centreWeight
                 + texture(renderedTexture, uv + sideOffset * uShift).rgb * sideWeight
                 + texture(renderedTexture, uv - sideOffset * uShift).rgb * sideWeight;

    if (blend == 0) {
        colorRender = vec4(blurred, 1.0);
        colorAlpha = vec4(centre.rgb, texture(alphaTexture, uv).a);
    } else {
        vec4 sharp = texture(alphaTexture, uv);
        colorRender = vec4(mix(blurred, sharp.rgb, clamp(sharp.a, 0.0, 1.0)), 1.0);
        colorAlpha = sharp;
    }
}

#version 150

// Second pass of the post-process: the half-size picture "BlurDown.frag"
// made, read back up, linearly filtered, at the scene's size: onto the
// screen, or at a render scale into the target that is then copied up. The up-filter softens it once more: the two passes
// together spread a sharp edge about as a five-tap binomial kernel with its
// taps 1.5 pixels apart would, for a ninth of the reads per screen pixel. The
// HUD and the menus are drawn after it, so they stay sharp.
//
// renderedTexture: the half-size picture, filtered linearly.
// overlay:         a colour laid over the scene by its alpha: a hazard's red
//                  flash, the dimming behind the win screen.

in vec2 uv;

uniform sampler2D renderedTexture;
uniform vec4 overlay;

out vec4 colorRender;

void main() {
    vec3 blurred = texture(renderedTexture, uv).rgb;
    colorRender = vec4(mix(blurred, overlay.rgb, clamp(overlay.a, 0.0, 1.0)), 1.0);
}

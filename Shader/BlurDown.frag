#version 150

// First pass of the post-process: the scene target's colour read down into a
// target of half its width and height. Each of its pixels averages four
// linearly filtered reads spread round it: a box of about four scene pixels
// each way. "GaussBlur.frag" reads the result back up.
//
// renderedTexture: the scene's colour.
// uShift:          distance between kernel taps, in texture coordinates of
//                  the scene target (x across, y down).

in vec2 uv;

uniform sampler2D renderedTexture;
uniform vec2 uShift;

out vec4 colorRender;

// Each read lies this share of uShift off the half-size pixel's centre, a
// corner shared by four scene pixels: the linear filter mixes the pixels each
// side of it, which spreads the box without leaving a hole in its middle.
const float tapSpread = 0.7;

void main() {
    vec2 tap = tapSpread * uShift;
    vec3 sum = texture(renderedTexture, uv + tap).rgb
             + texture(renderedTexture, uv + vec2(-tap.x, tap.y)).rgb
             + texture(renderedTexture, uv + vec2(tap.x, -tap.y)).rgb
             + texture(renderedTexture, uv - tap).rgb;
    colorRender = vec4(sum * 0.25, 1.0);
}

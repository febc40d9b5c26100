#version 150

in vec2 UV;

uniform sampler2D myTextureSampler;

out vec4 colorRender;
// Alpha of the second output marks pixels the post-process keeps sharp, so
// text stays readable after the blur.
out vec4 colorAlpha;

void main() {
    vec4 glyph = texture(myTextureSampler, UV);
    colorRender = glyph;
    colorAlpha = glyph;
}

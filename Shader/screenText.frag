#version 150

in vec2 UV;

uniform sampler2D myTextureSampler;

out vec4 colorRender;
// Text is drawn over the finished picture, after the post-process; the
// second output matters only where a target has one.
out vec4 colorAlpha;

void main() {
    vec4 glyph = texture(myTextureSampler, UV);
    colorRender = glyph;
    colorAlpha = glyph;
}

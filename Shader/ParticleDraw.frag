#version 150
// Particle sprites: the sprite texture, blended over the scene.

in vec2 TexCoord;

uniform sampler2D gColorMap;

out vec4 colorRender;
out vec4 colorAlpha;

void main() {
    vec4 color = texture(gColorMap, TexCoord);
    if (color.a < 0.02) {
        discard;  // keep the empty corners of the sprite out of the depth-free blend
    }
    colorRender = color;
    colorAlpha = vec4(color.rgb, 0.0);  // blurred with the rest of the world
}

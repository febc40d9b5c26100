#version 150

// Full-screen quad: clip-space corners in, texture coordinates of the
// off-screen target out.

in vec3 position;

out vec2 uv;

void main() {
    uv = position.xy * 0.5 + 0.5;
    gl_Position = vec4(position, 1.0);
}

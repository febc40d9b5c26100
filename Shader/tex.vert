#version 150
// Textured scene objects: as basic.vert, plus the texture coordinates.

in vec3 position;
in vec3 normal;
in vec2 uv;

uniform mat4 VP;
uniform mat4 modelMatrix;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;

// Exactly the depth the depth-only walk laid down (depthPrepass.vert).
invariant gl_Position;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    texCoord = uv;
    gl_Position = VP * world;
}

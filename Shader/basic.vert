#version 150
// Untextured scene objects: world-space position and normal for Phong shading.

in vec3 position;
in vec3 normal;

uniform mat4 VP;
uniform mat4 modelMatrix;

out vec3 worldPosition;
out vec3 worldNormal;

// Exactly the depth the depth-only walk laid down (depthPrepass.vert).
invariant gl_Position;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    // Level objects carry a non-uniform scale in their model matrix.
    worldNormal = transpose(inverse(mat3(modelMatrix))) * normal;
    gl_Position = VP * world;
}

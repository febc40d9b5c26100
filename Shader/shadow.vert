#version 150
// Shadow cube faces: every object's surface as seen from the light.

in vec3 position;

uniform mat4 modelMatrix;
uniform mat4 transformationMatrix;  // the face's projection x view from the light

out vec3 worldPosition;

void main() {
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    gl_Position = transformationMatrix * world;
}

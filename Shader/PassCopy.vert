#version 150
// Particle positions go to the geometry stage, which builds the sprites.

in vec3 Position;

void main() { gl_Position = vec4(Position, 1.0); }

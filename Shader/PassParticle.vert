#version 150
// Hands one particle record on to the update's geometry stage unchanged.

in float Type;
in vec3 Position;
in vec3 Velocity;
in float Age;
in vec3 Acceleration;
in float Lifetime;

out float Type0;
out vec3 Position0;
out vec3 Velocity0;
out float Age0;
out vec3 Acceleration0;
out float Lifetime0;

void main() {
    Type0 = Type;
    Position0 = Position;
    Velocity0 = Velocity;
    Age0 = Age;
    Acceleration0 = Acceleration;
    Lifetime0 = Lifetime;
}

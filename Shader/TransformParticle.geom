#version 150
// One step of a particle burst, captured by transform feedback.
// Sparks (type 0) fly out of the burst and fall; while the burst is young
// each spark sheds an ember (type 1), a short-lived, slowly drifting speck.
// Velocities are in units per 1/60 s, so the burst looks the same at any
// frame rate. A record that has outlived its lifetime is not written again.
//
// The output buffer holds a fixed number of records and transform feedback
// drops whatever comes after the last one. So an update runs in two draws:
// first the sparks alone, then the embers (old ones and newly shed ones).
// The sparks thus always fit, and embers give way when the buffer is full.

layout(points) in;
layout(points, max_vertices = 2) out;

in float Type0[];
in vec3 Position0[];
in vec3 Velocity0[];
in float Age0[];
in vec3 Acceleration0[];
in float Lifetime0[];

out float Type1;
out vec3 Position1;
out vec3 Velocity1;
out float Age1;
out vec3 Acceleration1;
out float Lifetime1;

uniform float systemLifeTime;  // seconds during which sparks shed embers
uniform vec3 gravity;          // units per second squared
uniform float deltaT;          // seconds since the last step
uniform float time;            // age of the whole burst, seconds
uniform vec4 rnd;              // random point on a sphere (xyz) and its radius (w)
uniform int emitOnly;          // 0 sparks and embers, 1 sparks only, 2 embers only

const float kSpark = 0.0;
const float kEmber = 1.0;
const float kEmberLifetime = 0.6;
const float kFramesPerSecond = 60.0;
const int kEmitAll = 0;
const int kEmitSparks = 1;
const int kEmitEmbers = 2;

void main() {
    float age = Age0[0] + deltaT;
    if (age > Lifetime0[0]) {
        return;
    }
    vec3 velocity = Velocity0[0] + (Acceleration0[0] + gravity) * deltaT / kFramesPerSecond;
    vec3 position = Position0[0] + velocity * deltaT * kFramesPerSecond;

    bool isSpark = Type0[0] == kSpark;
    if (emitOnly == kEmitAll || (emitOnly == kEmitSparks) == isSpark) {
        Type1 = Type0[0];
        Position1 = position;
        Velocity1 = velocity;
        Age1 = age;
        Acceleration1 = Acceleration0[0];
        Lifetime1 = Lifetime0[0];
        EmitVertex();
        EndPrimitive();
    }

    if (isSpark && emitOnly != kEmitSparks && time < systemLifeTime) {
        Type1 = kEmber;
        Position1 = position;
        Velocity1 = rnd.xyz * rnd.w * 0.01;
        Age1 = 0.0;
        Acceleration1 = -gravity * 0.9;  // embers float, barely sinking
        Lifetime1 = kEmberLifetime;
        EmitVertex();
        EndPrimitive();
    }
}

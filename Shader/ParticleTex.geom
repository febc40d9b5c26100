#version 150
// Expands each particle into a square sprite that faces the camera.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 VP;
uniform vec3 cameraPos;
uniform float gBillboardSize;

out vec2 TexCoord;

void main() {
    vec3 center = gl_in[0].gl_Position.xyz;
    vec3 toCamera = cameraPos - center;
    if (dot(toCamera, toCamera) < 1e-10) {
        return;  // the camera sits on the particle: no facing direction
    }
    toCamera = normalize(toCamera);
    vec3 up = vec3(0.0, 1.0, 0.0);
    vec3 right = cross(toCamera, up);
    if (dot(right, right) < 1e-6) {
        right = vec3(1.0, 0.0, 0.0);  // looking straight up or down
    }
    right = normalize(right) * gBillboardSize;
    up = normalize(cross(right, toCamera)) * gBillboardSize;

    vec3 corner = center - 0.5 * (right + up);
    gl_Position = VP * vec4(corner, 1.0);
    TexCoord = vec2(0.0, 0.0);
    EmitVertex();
    gl_Position = VP * vec4(corner + up, 1.0);
    TexCoord = vec2(0.0, 1.0);
    EmitVertex();
    gl_Position = VP * vec4(corner + right, 1.0);
    TexCoord = vec2(1.0, 0.0);
    EmitVertex();
    gl_Position = VP * vec4(corner + right + up, 1.0);
    TexCoord = vec2(1.0, 1.0);
    EmitVertex();
    EndPrimitive();
}

// Plain value types of the layer: transforms and geometry descriptions.

#include <cmath>

#include "physics/Physics.h"

namespace velmora::physics {

namespace {
bool finite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
}  // namespace

Transform Transform::operator*(const Transform& other) const {
    return Transform(p + q * other.p, glm::normalize(q * other.q));
}

glm::vec3 Transform::transform(const glm::vec3& point) const { return p + q * point; }

glm::mat4 Transform::toMatrix() const {
    glm::mat4 m = glm::mat4_cast(q);
    m[3] = glm::vec4(p, 1.0f);
    return m;
}

Geometry Geometry::sphere(float radius) {
    Geometry g;
    g.type = GeometryType::Sphere;
    g.radius = radius;
    return g;
}

Geometry Geometry::box(const glm::vec3& halfExtents) {
    Geometry g;
    g.type = GeometryType::Box;
    g.halfExtents = halfExtents;
    return g;
}

Geometry Geometry::triangleMesh(TriangleMesh* mesh, const glm::vec3& scale) {
    Geometry g;
    g.type = GeometryType::TriangleMesh;
    g.mesh = mesh;
    g.meshScale = scale;
    return g;
}

bool Geometry::isValid() const {
    switch (type) {
    case GeometryType::Sphere:
        return std::isfinite(radius) && radius > 0.0f;
    case GeometryType::Box: {
        if (!finite(halfExtents)) return false;
        int zeros = 0;
        for (int i = 0; i < 3; ++i) {
            if (halfExtents[i] < 0.0f) return false;
            if (halfExtents[i] == 0.0f) ++zeros;
        }
        // One zero extent is a flat rectangle; two would be a line, which no
        // sphere can rest on.
        return zeros <= 1;
    }
    case GeometryType::TriangleMesh:
        return mesh != nullptr && finite(meshScale) && meshScale.x != 0.0f && meshScale.y != 0.0f &&
               meshScale.z != 0.0f;
    }
    return false;
}

}  // namespace velmora::physics

#include "level/Reachability.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace velmora {

namespace {

// A contact whose normal leans less than 45 degrees from up carries the
// sphere (floor, ramp, low step edge); a steeper one stops it. 45 degrees is
// where the push on the main sphere just outweighs its weight.
constexpr float kMinSupportNormalY = 0.7071f;
// How much higher the next cell's resting centre may lie: a 45-degree rise
// over one cell, plus rounding.
constexpr float kClimbPerCell = kReachCell + 0.02f;
// Walls may graze the sphere by this much: cell-sized sampling and rounding,
// not a way through.
constexpr float kGrazing = 0.03f;
// Edges met from below on the way up a step may graze it by far less: the
// band where a step edge is too steep to roll onto is only centimetres wide.
constexpr float kEdgeGrazing = 0.002f;
// Contact normals rising less than this are walls rather than edges below.
constexpr float kWallNormalY = 0.05f;
// Surfaces closer than this in height are one (the two faces of a thin slab).
constexpr float kSameSurface = 0.02f;
// Triangles are sorted into square buckets of this size for lookups.
constexpr float kBucket = 1.0f;
// The grid reaches at most this far from the start either way (a level is a
// few dozen metres across).
constexpr float kReachSpan = 300.0f;

// The floor of `position` as an index in [low, high]. It clamps before
// converting: a vertex kilometres off (or a non-finite sum) would overflow an
// int, and lands on the border instead.
int flooredIndex(float position, int low, int high) {
    const float index = std::floor(position);
    if (!(index > static_cast<float>(low))) return low;
    if (index >= static_cast<float>(high)) return high;
    return static_cast<int>(index);
}

struct Triangle {
    glm::vec3 a, b, c;
    glm::vec3 normal;  // unit, or zero for a triangle without area
};

// Ericson's closest point on a triangle.
glm::vec3 closestPoint(const glm::vec3& p, const Triangle& t) {
    const glm::vec3 ab = t.b - t.a, ac = t.c - t.a, ap = p - t.a;
    const float d1 = glm::dot(ab, ap), d2 = glm::dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return t.a;
    const glm::vec3 bp = p - t.b;
    const float d3 = glm::dot(ab, bp), d4 = glm::dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return t.b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) return t.a + ab * (d1 / (d1 - d3));
    const glm::vec3 cp = p - t.c;
    const float d5 = glm::dot(ab, cp), d6 = glm::dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return t.c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) return t.a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && d4 - d3 >= 0.0f && d5 - d6 >= 0.0f) {
        return t.b + (t.c - t.b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    }
    const float denom = 1.0f / (va + vb + vc);
    return t.a + ab * (vb * denom) + ac * (vc * denom);
}

// Height of the triangle straight below or above (x, z), if it spans there.
bool heightAt(const Triangle& t, float x, float z, float& y) {
    const glm::vec2 a(t.a.x, t.a.z), v0 = glm::vec2(t.b.x, t.b.z) - a,
        v1 = glm::vec2(t.c.x, t.c.z) - a, v2 = glm::vec2(x, z) - a;
    const float den = v0.x * v1.y - v1.x * v0.y;
    if (std::abs(den) < 1e-10f) return false;
    const float u = (v2.x * v1.y - v1.x * v2.y) / den;
    const float v = (v0.x * v2.y - v2.x * v0.y) / den;
    constexpr float kEdge = 1e-4f;  // no cracks along shared edges
    if (u < -kEdge || v < -kEdge || u + v > 1.0f + kEdge) return false;
    y = t.a.y + u * (t.b.y - t.a.y) + v * (t.c.y - t.a.y);
    return true;
}

struct Surface {
    float floorY = 0.0f;
    bool rested = false;  // centreY and free are known
    bool free = false;
    bool visited = false;
    float centreY = 0.0f;
};

class ReachGrid {
public:
    ReachGrid(const ReachLevel& level, const glm::vec3& start, float radius) : radius_(radius) {
        glm::vec2 lo(std::numeric_limits<float>::max()), hi(-std::numeric_limits<float>::max());
        for (std::size_t i = 0; i + 2 < level.solidTriangles.size(); i += 3) {
            Triangle t{level.solidTriangles[i], level.solidTriangles[i + 1],
                       level.solidTriangles[i + 2], glm::vec3(0.0f)};
            bool finite = true;
            for (const glm::vec3& corner : {t.a, t.b, t.c}) {
                finite = finite && std::isfinite(corner.x) && std::isfinite(corner.y) &&
                         std::isfinite(corner.z);
            }
            if (!finite) continue;
            for (const glm::vec3& corner : {t.a, t.b, t.c}) {
                lo = glm::min(lo, glm::vec2(corner.x, corner.z));
                hi = glm::max(hi, glm::vec2(corner.x, corner.z));
            }
            const glm::vec3 n = glm::cross(t.b - t.a, t.c - t.a);
            if (glm::dot(n, n) > 0.0f) t.normal = glm::normalize(n);
            triangles_.push_back(t);
        }
        if (triangles_.empty()) lo = hi = glm::vec2(start.x, start.z);
        // A stray vertex far off must not make the grid huge: no sphere rolls
        // that far, and the flood ends at the grid's border.
        const glm::vec2 around(start.x, start.z);
        lo = glm::max(lo, around - glm::vec2(kReachSpan));
        hi = glm::max(glm::min(hi, around + glm::vec2(kReachSpan)), lo);
        // One free cell round the geometry, so the edges of the level are seen.
        origin_ = glm::floor(lo / kReachCell) * kReachCell - glm::vec2(2.0f * kReachCell);
        cellsX_ = static_cast<int>(std::ceil((hi.x - origin_.x) / kReachCell)) + 2;
        cellsZ_ = static_cast<int>(std::ceil((hi.y - origin_.y) / kReachCell)) + 2;
        bucketsX_ = static_cast<int>(std::ceil(cellsX_ * kReachCell / kBucket)) + 1;
        bucketsZ_ = static_cast<int>(std::ceil(cellsZ_ * kReachCell / kBucket)) + 1;
        buckets_.resize(static_cast<std::size_t>(bucketsX_) * bucketsZ_);
        const float reach = radius_ + kReachCell;
        for (std::size_t i = 0; i < triangles_.size(); ++i) {
            const Triangle& t = triangles_[i];
            const float minX = std::min({t.a.x, t.b.x, t.c.x}) - reach;
            const float maxX = std::max({t.a.x, t.b.x, t.c.x}) + reach;
            const float minZ = std::min({t.a.z, t.b.z, t.c.z}) - reach;
            const float maxZ = std::max({t.a.z, t.b.z, t.c.z}) + reach;
            const int lastZ = bucketOf(maxZ, origin_.y, bucketsZ_);
            const int lastX = bucketOf(maxX, origin_.x, bucketsX_);
            for (int bz = bucketOf(minZ, origin_.y, bucketsZ_); bz <= lastZ; ++bz) {
                for (int bx = bucketOf(minX, origin_.x, bucketsX_); bx <= lastX; ++bx) {
                    buckets_[static_cast<std::size_t>(bz) * bucketsX_ + bx].push_back(i);
                }
            }
        }
        columns_.resize(static_cast<std::size_t>(cellsX_) * cellsZ_);
        columnRead_.assign(columns_.size(), false);
    }

    int cellsX() const { return cellsX_; }
    int cellsZ() const { return cellsZ_; }
    bool inside(int x, int z) const { return x >= 0 && z >= 0 && x < cellsX_ && z < cellsZ_; }
    // One cell beyond the grid either way, so a point outside reads as outside.
    int cellX(float x) const { return flooredIndex((x - origin_.x) / kReachCell, -1, cellsX_); }
    int cellZ(float z) const { return flooredIndex((z - origin_.y) / kReachCell, -1, cellsZ_); }
    float centreX(int x) const { return origin_.x + (static_cast<float>(x) + 0.5f) * kReachCell; }
    float centreZ(int z) const { return origin_.y + (static_cast<float>(z) + 0.5f) * kReachCell; }

    // The walkable surfaces below and above the cell's centre, highest first.
    std::vector<Surface>& column(int x, int z) {
        const std::size_t index = static_cast<std::size_t>(z) * cellsX_ + x;
        std::vector<Surface>& surfaces = columns_[index];
        if (columnRead_[index]) return surfaces;
        columnRead_[index] = true;
        std::vector<float> heights;
        for (std::size_t i : bucketAt(centreX(x), centreZ(z))) {
            const Triangle& t = triangles_[i];
            float y = 0.0f;
            if (std::abs(t.normal.y) >= kMinSupportNormalY &&
                heightAt(t, centreX(x), centreZ(z), y)) {
                heights.push_back(y);
            }
        }
        std::sort(heights.begin(), heights.end(), std::greater<float>());
        for (float y : heights) {
            if (surfaces.empty() || surfaces.back().floorY - y > kSameSurface) {
                surfaces.push_back(Surface{y});
            }
        }
        return surfaces;
    }

    // Where the sphere settles on the surface, and whether it fits there.
    void rest(int x, int z, Surface& surface) {
        if (surface.rested) return;
        surface.rested = true;
        glm::vec3 centre(centreX(x), surface.floorY + radius_, centreZ(z));
        lift(centre);
        surface.centreY = centre.y;
        surface.free = !blocked(centre, kGrazing, kGrazing);
    }

    // Whether the sphere rolls up from one resting centre to the next one,
    // higher up. Between two cells lies the edge of a step or the foot of a
    // slope, so the way is followed in small steps: wherever the sphere
    // meets an edge or slope steeper than 45 degrees from below, it stops.
    bool climbs(const glm::vec3& from, const glm::vec3& to) {
        constexpr int kSteps = 12;
        float height = from.y;
        for (int step = 1; step < kSteps; ++step) {
            glm::vec3 centre = glm::mix(from, to, static_cast<float>(step) / kSteps);
            centre.y = height;
            lift(centre);
            if (blocked(centre, kGrazing, kEdgeGrazing)) return false;
            height = centre.y;
        }
        return true;
    }

private:
    // Lifts the sphere off everything it rests on (a slope under it, the
    // edge of a low step) until it only touches them.
    void lift(glm::vec3& centre) const {
        const std::vector<std::size_t>& nearby = bucketAt(centre.x, centre.z);
        for (int pass = 0; pass < 6; ++pass) {
            float rise = 0.0f;
            for (std::size_t i : nearby) {
                glm::vec3 normal;
                float distance = 0.0f;
                if (!touches(centre, triangles_[i], radius_ - 1e-4f, normal, distance)) continue;
                if (normal.y < kMinSupportNormalY) continue;
                const glm::vec3 away = centre - closestPoint(centre, triangles_[i]);
                const float across = away.x * away.x + away.z * away.z;
                const float touching = std::sqrt(std::max(radius_ * radius_ - across, 0.0f));
                rise = std::max(rise, touching - away.y);
            }
            if (rise < 1e-4f) break;
            centre.y += rise;
        }
    }

    // True when something too steep to roll onto comes nearer than the
    // radius less the slack: `wallSlack` for walls and ceilings,
    // `edgeSlack` for edges and slopes met from below.
    bool blocked(const glm::vec3& centre, float wallSlack, float edgeSlack) const {
        for (std::size_t i : bucketAt(centre.x, centre.z)) {
            glm::vec3 normal;
            float distance = 0.0f;
            if (!touches(centre, triangles_[i], radius_ - std::min(wallSlack, edgeSlack), normal,
                         distance) ||
                normal.y >= kMinSupportNormalY) {
                continue;
            }
            const bool fromBelow = normal.y > kWallNormalY;
            if (distance < radius_ - (fromBelow ? edgeSlack : wallSlack)) return true;
        }
        return false;
    }

    static int bucketOf(float value, float origin, int count) {
        return flooredIndex((value - origin) / kBucket, 0, count - 1);
    }
    const std::vector<std::size_t>& bucketAt(float x, float z) const {
        return buckets_[static_cast<std::size_t>(bucketOf(z, origin_.y, bucketsZ_)) * bucketsX_ +
                        bucketOf(x, origin_.x, bucketsX_)];
    }

    // True when the triangle comes nearer the centre than `within`; gives the
    // contact normal (from the triangle towards the centre).
    static bool touches(const glm::vec3& centre, const Triangle& t, float within,
                        glm::vec3& normal, float& distance) {
        const glm::vec3 away = centre - closestPoint(centre, t);
        const float squared = glm::dot(away, away);
        if (squared >= within * within) return false;
        distance = std::sqrt(squared);
        if (distance > 1e-6f) {
            normal = away / distance;
        } else {
            normal = t.normal.y >= 0.0f ? t.normal : -t.normal;
        }
        return true;
    }

    float radius_;
    std::vector<Triangle> triangles_;
    glm::vec2 origin_{0.0f};
    int cellsX_ = 0, cellsZ_ = 0, bucketsX_ = 0, bucketsZ_ = 0;
    std::vector<std::vector<std::size_t>> buckets_;
    std::vector<std::vector<Surface>> columns_;
    std::vector<bool> columnRead_;
};

struct Place {
    int x, z;
    std::size_t surface;
};

bool touchesAny(const std::vector<WorldBox>& boxes, const glm::vec3& centre, float radius) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const WorldBox& box) { return box.distanceTo(centre) < radius; });
}

// A reset volume anywhere in the column a sphere falls down, from `top` to `bottom`.
bool resetInFall(const std::vector<WorldBox>& boxes, float x, float z, float top, float bottom,
                 float radius) {
    for (const WorldBox& box : boxes) {
        glm::vec3 lo, hi;
        box.worldBounds(lo, hi);
        if (x > lo.x - radius && x < hi.x + radius && z > lo.z - radius && z < hi.z + radius &&
            lo.y < top && hi.y > bottom - radius) {
            return true;
        }
    }
    return false;
}

// Groups neighbouring edge cells into one way out each.
std::vector<ReachExit> groupExits(const std::vector<std::pair<glm::ivec2, glm::vec3>>& cells) {
    std::vector<ReachExit> exits;
    std::vector<bool> taken(cells.size(), false);
    for (std::size_t first = 0; first < cells.size(); ++first) {
        if (taken[first]) continue;
        taken[first] = true;
        ReachExit exit{cells[first].second, 1};
        std::vector<std::size_t> open{first};
        while (!open.empty()) {
            const glm::ivec2 at = cells[open.back()].first;
            open.pop_back();
            for (std::size_t other = 0; other < cells.size(); ++other) {
                const glm::ivec2 step = glm::abs(cells[other].first - at);
                if (!taken[other] && step.x <= 1 && step.y <= 1) {
                    taken[other] = true;
                    ++exit.cells;
                    open.push_back(other);
                }
            }
        }
        exits.push_back(exit);
    }
    return exits;
}

}  // namespace

float WorldBox::distanceTo(const glm::vec3& point) const {
    const glm::vec3 local = glm::inverse(rotation) * (point - centre);
    const glm::vec3 outside = glm::max(glm::abs(local) - glm::abs(halfExtents), glm::vec3(0.0f));
    return glm::length(outside);
}

void WorldBox::worldBounds(glm::vec3& lo, glm::vec3& hi) const {
    const glm::mat3 turn = glm::mat3_cast(rotation);
    glm::vec3 reach(0.0f);
    for (int axis = 0; axis < 3; ++axis) reach += glm::abs(turn[axis] * halfExtents[axis]);
    lo = centre - reach;
    hi = centre + reach;
}

ReachResult floodReach(const ReachLevel& level, const glm::vec3& start, float radius,
                       const std::vector<WorldBox>& targets) {
    ReachResult result;
    result.targetsReached.assign(targets.size(), false);
    ReachGrid grid(level, start, radius);

    const int startX = grid.cellX(start.x), startZ = grid.cellZ(start.z);
    if (!grid.inside(startX, startZ)) return result;
    std::vector<Surface>& startColumn = grid.column(startX, startZ);
    std::deque<Place> open;
    for (std::size_t s = 0; s < startColumn.size(); ++s) {
        // The highest floor the sphere's start lies on or above.
        if (startColumn[s].floorY <= start.y + radius) {
            grid.rest(startX, startZ, startColumn[s]);
            startColumn[s].visited = true;
            open.push_back({startX, startZ, s});
            result.startOnFloor = true;
            break;
        }
    }

    std::vector<std::pair<glm::ivec2, glm::vec3>> exitCells;
    const glm::ivec2 steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!open.empty()) {
        const Place at = open.front();
        open.pop_front();
        const Surface here = grid.column(at.x, at.z)[at.surface];
        ++result.placesReached;
        const glm::vec3 centre(grid.centreX(at.x), here.centreY, grid.centreZ(at.z));
        for (std::size_t t = 0; t < targets.size(); ++t) {
            if (!result.targetsReached[t] && targets[t].distanceTo(centre) < radius) {
                result.targetsReached[t] = true;
            }
        }
        for (const glm::ivec2& step : steps) {
            const int x = at.x + step.x, z = at.z + step.y;
            if (!grid.inside(x, z)) continue;
            std::vector<Surface>& column = grid.column(x, z);
            // Onto the highest surface it can climb to; any lower one is a fall.
            std::size_t landing = column.size();
            bool anyBelow = false;
            for (std::size_t s = 0; s < column.size(); ++s) {
                anyBelow = anyBelow || column[s].floorY <= here.centreY;
                grid.rest(x, z, column[s]);
                if (column[s].centreY <= here.centreY + kClimbPerCell) {
                    landing = s;
                    break;
                }
            }
            const float nextX = grid.centreX(x), nextZ = grid.centreZ(z);
            if (landing == column.size()) {
                if (anyBelow) continue;  // a wall, or a step too high
                if (!resetInFall(level.resetVolumes, nextX, nextZ, here.centreY,
                                 -std::numeric_limits<float>::max(), radius)) {
                    exitCells.push_back({{x, z}, {nextX, here.centreY - radius, nextZ}});
                }
                continue;
            }
            Surface& next = column[landing];
            if (next.visited || !next.free) continue;
            const glm::vec3 there(nextX, next.centreY, nextZ);
            if (next.centreY > here.centreY + 1e-3f && !grid.climbs(centre, there)) continue;
            next.visited = true;
            if (touchesAny(level.resetVolumes, there, radius)) continue;
            if (next.centreY < here.centreY - kClimbPerCell &&
                resetInFall(level.resetVolumes, nextX, nextZ, here.centreY, next.centreY, radius)) {
                continue;
            }
            open.push_back({x, z, landing});
        }
    }
    // The same edge cell can be met from two sides.
    std::sort(exitCells.begin(), exitCells.end(), [](const auto& a, const auto& b) {
        return a.first.y != b.first.y ? a.first.y < b.first.y : a.first.x < b.first.x;
    });
    exitCells.erase(std::unique(exitCells.begin(), exitCells.end(),
                                [](const auto& a, const auto& b) { return a.first == b.first; }),
                    exitCells.end());
    result.exits = groupExits(exitCells);
    return result;
}

}  // namespace velmora

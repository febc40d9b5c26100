#include "level/NodePose.h"

#include <assimp/types.h>
#include <glm/gtc/matrix_transform.hpp>

namespace velmora {

glm::vec3 NodePose::toWorld(const glm::vec3& local) const {
    return position + rotation * (scale * local);
}

glm::quat upAxisRotation() {
    const glm::mat4 turn =
        glm::rotate(glm::mat4(1.0f), glm::radians(-90.0f), glm::vec3(1.0f, 0.0f, 0.0f));
    const glm::quat q = glm::quat_cast(glm::mat3(turn));
    // q and -q are the same turn; keep the form with w >= 0 that the rest of
    // the game (and its physics poses) is written against.
    return q.w < 0.0f ? -q : q;
}

glm::vec3 tileToWorld(const glm::vec3& tilePoint, const glm::vec3& tileOffset) {
    return {tileOffset.x + tilePoint.x, tileOffset.y + tilePoint.z, tileOffset.z - tilePoint.y};
}

NodePose nodePose(const aiMatrix4x4& accumulated, const glm::vec3& tileOffset) {
    aiVector3D scaling;
    aiQuaternion rotation;
    aiVector3D position;
    accumulated.Decompose(scaling, rotation, position);
    NodePose pose;
    pose.scale = {scaling.x, scaling.y, scaling.z};
    pose.rotation = upAxisRotation() * glm::quat(rotation.w, rotation.x, rotation.y, rotation.z);
    pose.position = tileToWorld({position.x, position.y, position.z}, tileOffset);
    return pose;
}

glm::mat4 nodeLocalMatrix(const NodePose& pose) {
    return glm::scale(glm::mat4(1.0f), pose.scale);
}

}  // namespace velmora

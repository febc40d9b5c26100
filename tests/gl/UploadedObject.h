#pragma once
// Objects that tests put into the world by hand get their draw node here, as
// the renderer dresses a level's: the mesh (the object's default one when it
// has none) uploaded for the given programs.

#include "sim/SceneObject.h"
#include "world/DrawNode.h"

namespace velmora::test {

inline DrawNode& uploadForDrawing(scene::SceneObject& object, ShaderProgram* program,
                                  ShaderProgram* shadowProgram) {
    if (!object.hasMesh) object.createDefaultMesh();
    DrawNode& node = drawNodeOf(object);
    node.objectProgram = program;
    node.objectShadowProgram = shadowProgram;
    node.setMesh(object.mesh);
    node.isDressed = true;
    node.upload();
    return node;
}

}  // namespace velmora::test

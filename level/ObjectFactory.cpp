#include "level/ObjectFactory.h"

#include "physics/Physics.h"
#include "sim/Door.h"
#include "sim/Trigger.h"

namespace velmora {

namespace {

// "actor" names the one sphere a trigger listens to; any other value, or
// none, keeps both.
ActorType triggerActorFilter(const NodeAnnotations& annotations) {
    const auto actor = annotations.find("actor");
    if (actor == annotations.end() || actor->second.empty()) return EitherActorType;
    if (actor->second.front() == "main") return MainActorType;
    if (actor->second.front() == "second") return SecondActorType;
    return EitherActorType;
}

scene::SceneObject* makeDoor(const MeshNode& node, LevelTables& tables) {
    auto* door = new scene::Door(node.localMatrix);
    door->isSteady = node.annotations.count("steady") != 0;
    // The first door of a name keeps it; a later one is still part of the level.
    if (tables.doors != nullptr) tables.doors->emplace(node.baseName, door);
    return door;
}

scene::SceneObject* makeTrigger(const MeshNode& node, const LevelCallbacks& callbacks,
                                LevelTables& tables) {
    auto* trigger = new scene::Trigger(node.localMatrix);
    trigger->actorFilter = triggerActorFilter(node.annotations);
    trigger->actions = node.annotations;
    trigger->winCallback = callbacks.win;
    trigger->resetCallback = callbacks.reset;
    if (tables.triggers != nullptr && node.actor != nullptr) {
        (*tables.triggers)[node.actor] = trigger;
    }
    return trigger;
}

}  // namespace

scene::SceneObject* createObjectForNode(MeshNode node, const LevelCallbacks& callbacks,
                                        LevelTables& tables) {
    scene::SceneObject* object = nullptr;
    switch (nodeRoleOf(node.baseName)) {
        case NodeRole::Door:
            object = makeDoor(node, tables);
            break;
        case NodeRole::Trigger:
            object = makeTrigger(node, callbacks, tables);
            break;
        case NodeRole::Plain:
            object = new scene::SceneObject(node.localMatrix);
            break;
    }
    object->name = node.baseName;
    object->mesh = node.mesh.release();
    object->hasMesh = object->mesh != nullptr;
    object->actor = node.actor;
    if (node.annotations.count("texture") != 0) object->textureFile = textureFileName(node.annotations);
    return object;
}

}  // namespace velmora

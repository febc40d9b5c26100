#include "level/ObjectFactory.h"

#include "physics/Physics.h"
#include "world/Door.h"
#include "world/Trigger.h"

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

scene::SceneObject* makeDoor(const MeshNode& node, ShaderProgram* program,
                             ShaderProgram* shadowProgram, LevelTables& tables) {
    auto* door = new scene::Door(node.localMatrix, program, shadowProgram);
    door->isSteady = node.annotations.count("steady") != 0;
    // The first door of a name keeps it; a later one is still part of the level.
    if (tables.doors != nullptr) tables.doors->emplace(node.baseName, door);
    return door;
}

scene::SceneObject* makeTrigger(const MeshNode& node, ShaderProgram* program,
                                ShaderProgram* shadowProgram, const LevelCallbacks& callbacks,
                                LevelTables& tables) {
    auto* trigger = new scene::Trigger(node.localMatrix, program, shadowProgram);
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

scene::SceneObject* createObjectForNode(MeshNode node, const LevelPrograms& programs,
                                        const LevelCallbacks& callbacks, LevelTables& tables) {
    const bool wantsTexture = node.annotations.count("texture") != 0;
    ShaderProgram* program = wantsTexture ? programs.textured : programs.phong;

    scene::SceneObject* object = nullptr;
    switch (nodeRoleOf(node.baseName)) {
        case NodeRole::Door:
            object = makeDoor(node, program, programs.shadow, tables);
            break;
        case NodeRole::Trigger:
            object = makeTrigger(node, program, programs.shadow, callbacks, tables);
            break;
        case NodeRole::Plain:
            object = new scene::SceneObject(node.localMatrix, program, programs.shadow);
            break;
    }
    object->name = node.baseName;
    object->mesh = node.mesh.release();
    object->hasMesh = object->mesh != nullptr;
    object->actor = node.actor;

    const std::string textureFile = textureFileName(node.annotations);
    if (wantsTexture) object->textureFile = textureFile;
    if (!programs.uploadToGpu) return object;
    if (wantsTexture && !textureFile.empty() && tables.textures != nullptr) {
        attachLevelTexture(*object, textureFile, *tables.textures);
    }
    if (!object->isTextured) {
        // A texture that could not be read: shade it plainly rather than
        // sample whatever texture happens to be bound.
        object->objectProgram = programs.phong;
    }
    object->init();
    return object;
}

}  // namespace velmora

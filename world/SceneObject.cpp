#include "world/SceneObject.h"

#include <algorithm>
#include <iostream>

#include "level/MeshData.h"
#include "render/ShaderProgram.h"

namespace velmora::scene {

namespace {

// Uploads one array into a new static buffer on the given target.
template <typename T>
GLuint makeBuffer(GLenum target, const std::vector<T>& data) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.data(), GL_STATIC_DRAW);
    glBindBuffer(target, 0);
    return buffer;
}

// Feeds a float attribute from a buffer when the program reads it; a program
// that lacks the attribute (or whose compiler dropped it) is left alone.
void bindAttribute(const ShaderProgram* program, const char* name, GLuint buffer, GLint components) {
    if (program == nullptr) {
        return;
    }
    const GLint location = glGetAttribLocation(program->program, name);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (location != -1) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
}

}  // namespace

SceneObject::SceneObject(const glm::mat4& localMatrix, ShaderProgram* objectProgram,
                         ShaderProgram* objectShadowProgram)
    : localMatrix(localMatrix),
      objectProgram(objectProgram),
      objectShadowProgram(objectShadowProgram),
      textureName(textureCell()) {}

std::shared_ptr<GLuint> textureCell() {
    return std::shared_ptr<GLuint>(new GLuint(0), [](GLuint* name) {
        if (*name != 0) glDeleteTextures(1, name);
        delete name;
    });
}

SceneObject::~SceneObject() {
    for (SceneObject* child : children) delete child;
    // An object that was never uploaded touches no GL at all, so grouping
    // objects and meshes without a context can be destroyed anywhere.
    if (isInitialised) {
        const GLuint buffers[] = {positionBuffer, indexBuffer, normalBuffer, texCoordBuffer};
        glDeleteBuffers(4, buffers);
        const GLuint arrays[] = {vertexArray, shadowVertexArray};
        glDeleteVertexArrays(2, arrays);
    }
    delete mesh;
}

void SceneObject::createDefaultMesh() { hasMesh = false; }

void SceneObject::update() {}

void SceneObject::init() {
    if (isGroup) {
        return;
    }
    if (!hasMesh) {
        createDefaultMesh();
        if (!hasMesh) {
            std::cout << "Default object couldn't be loaded!" << std::endl;
            return;
        }
    }
    uploadBuffers();
    buildSceneVertexArray();
    buildShadowVertexArray();
    isInitialised = true;
}

void SceneObject::uploadBuffers() {
    positionBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh->positions);
    indexBuffer = makeBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indices);
    if (!mesh->normals.empty()) {
        normalBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh->normals);
    }
    if (!mesh->texCoords.empty()) {
        texCoordBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh->texCoords);
    }
}

void SceneObject::buildSceneVertexArray() {
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    bindAttribute(objectProgram, "position", positionBuffer, 3);
    if (normalBuffer != 0) {
        bindAttribute(objectProgram, "normal", normalBuffer, 3);
    }
    if (texCoordBuffer != 0) {
        bindAttribute(objectProgram, "uv", texCoordBuffer, 2);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);  // recorded by the vertex array
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void SceneObject::buildShadowVertexArray() {
    glGenVertexArrays(1, &shadowVertexArray);
    glBindVertexArray(shadowVertexArray);
    bindAttribute(objectShadowProgram, "position", positionBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void SceneObject::draw(bool shadowPass, bool useMaterialOpacity) {
    if (isGroup) {
        return;
    }
    if (!isInitialised) {
        std::cout << "SceneObject can't be drawn, use init() before!" << std::endl;
        return;
    }
    update();
    if (!isVisible) {
        return;
    }
    if (shadowPass) {
        glBindVertexArray(shadowVertexArray);
    } else {
        if (objectProgram != nullptr) {
            const GLint opacityLocation = objectProgram->uniformLocation("opacity");
            if (opacityLocation != -1) {
                glUniform1f(opacityLocation, useMaterialOpacity ? opacity() : 1.0f);
            }
            if (isTextured && texCoordBuffer != 0) {
                const GLint textureLocation = objectProgram->uniformLocation("colorTexture");
                if (textureLocation != -1) {
                    glActiveTexture(GL_TEXTURE0);
                    glBindTexture(GL_TEXTURE_2D, *textureName);
                    glUniform1i(textureLocation, 0);
                }
            }
        }
        glBindVertexArray(vertexArray);
    }
    // Never more indices than the buffer holds, whatever the counts claim.
    const size_t indexCount = std::min(static_cast<size_t>(mesh->faceCount) * 3, mesh->indices.size());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void SceneObject::addChild(SceneObject* child) { children.push_back(child); }

std::vector<SceneObject*> SceneObject::getChildren() const { return children; }

std::string SceneObject::getName() const { return name; }

void SceneObject::transform(bool recursive, glm::mat4 m) {
    transformMatrix = m * transformMatrix;
    if (recursive) {
        for (SceneObject* child : getChildren()) {
            child->transform(true, m);
        }
    }
}

SceneObject* SceneObject::findByName(std::string name, SceneObject* node) {
    if (node == nullptr) {
        return nullptr;
    }
    if (node->name == name) {
        return node;
    }
    for (SceneObject* child : node->children) {
        if (SceneObject* found = findByName(name, child)) {
            return found;
        }
    }
    return nullptr;
}

float SceneObject::opacity() const { return mesh != nullptr ? mesh->opacity : 1.0f; }

}  // namespace velmora::scene

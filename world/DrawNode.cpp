#include "world/DrawNode.h"

#include <algorithm>
#include <iostream>

#include "level/MeshData.h"
#include "render/ShaderProgram.h"

namespace velmora {

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

std::shared_ptr<GLuint> textureCell() {
    return std::shared_ptr<GLuint>(new GLuint(0), [](GLuint* name) {
        if (*name != 0) glDeleteTextures(1, name);
        delete name;
    });
}

DrawNode::DrawNode(const MeshData* mesh) : textureName(textureCell()), mesh_(mesh) {}

DrawNode::DrawNode(std::unique_ptr<MeshData> ownMesh)
    : textureName(textureCell()), ownMesh_(std::move(ownMesh)), mesh_(ownMesh_.get()) {}

DrawNode::~DrawNode() {
    // A node that was never uploaded touches no GL at all.
    if (isInitialised) {
        const GLuint buffers[] = {positionBuffer, indexBuffer, normalBuffer, texCoordBuffer};
        glDeleteBuffers(4, buffers);
        const GLuint arrays[] = {vertexArray, shadowVertexArray};
        glDeleteVertexArrays(2, arrays);
    }
}

bool DrawNode::upload() {
    if (isInitialised) return true;
    if (mesh_ == nullptr) {
        std::cout << "Default object couldn't be loaded!" << std::endl;
        return false;
    }
    uploadBuffers();
    buildSceneVertexArray();
    buildShadowVertexArray();
    isInitialised = true;
    return true;
}

void DrawNode::uploadBuffers() {
    positionBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh_->positions);
    indexBuffer = makeBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh_->indices);
    if (!mesh_->normals.empty()) {
        normalBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh_->normals);
    }
    if (!mesh_->texCoords.empty()) {
        texCoordBuffer = makeBuffer(GL_ARRAY_BUFFER, mesh_->texCoords);
    }
}

void DrawNode::buildSceneVertexArray() {
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

void DrawNode::buildShadowVertexArray() {
    glGenVertexArrays(1, &shadowVertexArray);
    glBindVertexArray(shadowVertexArray);
    bindAttribute(objectShadowProgram, "position", positionBuffer, 3);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void DrawNode::draw(bool shadowPass, bool useMaterialOpacity) const {
    if (!isInitialised) {
        std::cout << "SceneObject can't be drawn, use init() before!" << std::endl;
        return;
    }
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
    const size_t indexCount = std::min(static_cast<size_t>(mesh_->faceCount) * 3, mesh_->indices.size());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

float DrawNode::opacity() const { return mesh_ != nullptr ? mesh_->opacity : 1.0f; }

DrawNode& drawNodeOf(scene::SceneObject& object) {
    if (object.drawing == nullptr) object.drawing = std::make_unique<DrawNode>(object.mesh);
    return static_cast<DrawNode&>(*object.drawing);
}

}  // namespace velmora

#include "screen/TextRenderer.h"

#include "render/Texture.h"
#include "render/ShaderProgram.h"
#include "screen/DrawnBoxes.h"
#include "screen/TextFit.h"
#include "screen/TextGeometry.h"

namespace velmora {

TextRenderer::TextRenderer(int screenWidth, int screenHeight, const std::string& fontPath)
    : screenWidth(screenWidth), screenHeight(screenHeight) {
    loadTexture(fontPath, &fontTexture);  // a missing font keeps 0: squares without glyphs
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &uvBuffer);
    shaderProgram = new ShaderProgram("Shader/screenText.vert", "Shader/screenText.frag");
    samplerLocation = glGetUniformLocation(shaderProgram->program, "myTextureSampler");
    glGenVertexArrays(1, &vertexArray);
}

TextRenderer::~TextRenderer() {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &uvBuffer);
    glDeleteTextures(1, &fontTexture);
    glDeleteVertexArrays(1, &vertexArray);
    delete shaderProgram;
}

void TextRenderer::upload(GLuint buffer, const void* data, size_t bytes) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TextRenderer::pointAttribute(GLuint buffer, const char* name) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLint location = glGetAttribLocation(shaderProgram->program, name);
    if (location < 0) return;
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), 2, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void TextRenderer::printText(const char* text, int x, int y, int size) {
    const TextGeometry geometry = buildTextGeometry(text, x, y, size);
    if (text != nullptr && *text != '\0') {
        logDrawnBox({true, x, y, textWidth(text, size), size, text});
    }
    if (batching_) {
        batch_.positions.insert(batch_.positions.end(), geometry.positions.begin(), geometry.positions.end());
        batch_.uvs.insert(batch_.uvs.end(), geometry.uvs.begin(), geometry.uvs.end());
        return;
    }
    draw(geometry);
}

void TextRenderer::beginBatch() {
    batching_ = true;
    batch_.positions.clear();
    batch_.uvs.clear();
}

void TextRenderer::drawBatch() {
    batching_ = false;
    draw(batch_);
}

void TextRenderer::draw(const TextGeometry& geometry) {
    const size_t vertexCount = geometry.positions.size();
    upload(vertexBuffer, geometry.positions.data(), vertexCount * sizeof(glm::vec2));
    upload(uvBuffer, geometry.uvs.data(), vertexCount * sizeof(glm::vec2));

    glBindVertexArray(vertexArray);
    pointAttribute(vertexBuffer, "vertexPosition_screenspace");
    pointAttribute(uvBuffer, "vertexUV");

    glUseProgram(shaderProgram->program);
    glUniform1f(glGetUniformLocation(shaderProgram->program, "height"),
                static_cast<float>(screenHeight));
    glUniform1f(glGetUniformLocation(shaderProgram->program, "width"),
                static_cast<float>(screenWidth));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    glUniform1i(samplerLocation, 0);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (vertexCount > 0) glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertexCount));
    glDisable(GL_BLEND);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace velmora

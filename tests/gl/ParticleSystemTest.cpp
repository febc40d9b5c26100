#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "tests/gl/GlContext.h"

namespace velmora {
namespace {

const glm::vec3 kOrigin(0.0f, 0.0f, 0.0f);
const glm::vec3 kEye(0.0f, 0.0f, 2.0f);

class ParticleBurst : public testing::Test {
protected:
    void SetUp() override {
        updateProgram.reset(
            ShaderProgram::transformFeedback("Shader/PassParticle.vert", "Shader/TransformParticle.geom"));
        drawProgram = std::make_unique<ShaderProgram>("Shader/PassCopy.vert", "Shader/ParticleDraw.frag",
                                                      "Shader/ParticleTex.geom");
        ASSERT_TRUE(ParticleSystem::loadSpriteTexture(&sprite));
        burst = std::make_unique<ParticleSystem>(kOrigin, updateProgram.get(), drawProgram.get());
        burst->texture = sprite;
        burst->setUp();
    }
    void TearDown() override {
        burst.reset();
        glDeleteTextures(1, &sprite);
        glUseProgram(0);
    }

    // The records the last update wrote, read back from the GPU.
    std::vector<ParticleRecord> written() const {
        std::vector<ParticleRecord> records(burst->particleCount);
        glBindBuffer(GL_ARRAY_BUFFER, burst->buffers[burst->writeIndex]);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(records.size() * sizeof(ParticleRecord)),
                           records.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return records;
    }

    glm::mat4 viewProjection() const {
        const float aspect = static_cast<float>(test::contextWidth()) / static_cast<float>(test::contextHeight());
        return glm::perspective(glm::radians(60.0f), aspect, 0.1f, 100.0f) *
               glm::lookAt(kEye, kOrigin, glm::vec3(0, 1, 0));
    }

    std::unique_ptr<ShaderProgram> updateProgram;
    std::unique_ptr<ShaderProgram> drawProgram;
    std::unique_ptr<ParticleSystem> burst;
    GLuint sprite = 0;
};

TEST_F(ParticleBurst, FirstUpdateFeedsThirtySparksThatFlyOutAndShedEmbers) {
    burst->update(1.0 / 60.0);
    // Thirty sparks come back, each with the ember it shed while young.
    ASSERT_EQ(burst->particleCount, 60u);
    int sparksAway = 0;
    for (const ParticleRecord& record : written()) {
        if (record.type == 0.0f &&
            glm::length(glm::vec3(record.position[0], record.position[1], record.position[2]) - kOrigin) > 0.0f) {
            ++sparksAway;
        }
    }
    EXPECT_EQ(sparksAway, 30);
    burst->draw(viewProjection(), kEye);
    // The buffer just written is what the next update reads.
    EXPECT_EQ(burst->readIndex, 0u);
    EXPECT_EQ(burst->writeIndex, 1u);

    EXPECT_FALSE(glIsEnabled(GL_RASTERIZER_DISCARD));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleBurst, EverySparkLivesAsLongAsTheBurstWhileEmbersFillWhatIsLeft) {
    // Aged and advanced the way the renderer does it, over the burst's whole
    // life. Embers crowd the buffer while the burst is young; the thirty
    // sparks must outlast them all.
    const double dt = 0.1;
    int updates = 0;
    bool filledUp = false;
    while (burst->age + static_cast<float>(dt) <= ParticleSystem::kMaxAge) {
        burst->age += static_cast<float>(dt);
        burst->update(dt);
        ++updates;
        int sparks = 0;
        for (const ParticleRecord& record : written()) {
            sparks += record.type == 0.0f ? 1 : 0;
        }
        ASSERT_EQ(sparks, 30) << "after update " << updates << ", burst age " << burst->age;
        filledUp = filledUp || burst->particleCount == ParticleSystem::kCapacity;
        burst->draw(viewProjection(), kEye);
    }
    EXPECT_GT(updates, 200);
    EXPECT_TRUE(filledUp) << "the embers never filled the buffer";
    // Embers stop once the burst is old and soon die out; the sparks remain.
    EXPECT_EQ(burst->particleCount, 30u);
}

TEST_F(ParticleBurst, DrawPutsSpritesOnScreenAroundTheOrigin) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const int width = test::contextWidth();
    const int height = test::contextHeight();
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    burst->update(1.0 / 60.0);
    burst->draw(viewProjection(), kEye);

    // Sparks spread only a few hundredths after one step: look near the middle.
    const int box = height / 4;
    std::vector<unsigned char> pixels(static_cast<size_t>(box * box * 4));
    glReadPixels(width / 2 - box / 2, height / 2 - box / 2, box, box, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (pixels[i] + pixels[i + 1] + pixels[i + 2] > 30) {
            ++lit;
        }
    }
    EXPECT_GT(lit, 20);
    // Sprites leave depth writing on for whatever is drawn after them.
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE);
}

TEST_F(ParticleBurst, EachBurstReleasesItsOwnGlObjectsButNotTheSharedSprite) {
    ParticleSystem other(kOrigin, updateProgram.get(), drawProgram.get());
    other.texture = sprite;
    other.setUp();

    const GLuint buffer = burst->buffers[0];
    const GLuint query = burst->query;
    const GLuint vertexArray = burst->drawVertexArray;
    burst.reset();
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_FALSE(glIsQuery(query));
    EXPECT_FALSE(glIsVertexArray(vertexArray));
    EXPECT_TRUE(glIsTexture(sprite)) << "the other burst still draws with it";
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"

using velmora::ShaderProgram;

namespace {

// The record the game's buffers hold, so the shaders are checked against it.
using Record = velmora::ParticleRecord;

const float kSpark = 0.0f;
const float kEmber = 1.0f;

Record spark(float age, float lifetime) {
    return Record{kSpark, {1, 2, 3}, {0.01f, 0.0f, 0.0f}, age, {0, 0, 0}, lifetime};
}

// One update step of the burst, run through transform feedback.
class ParticleUpdate : public testing::Test {
protected:
    void SetUp() override {
        program.reset(ShaderProgram::transformFeedback("Shader/PassParticle.vert",
                                                       "Shader/TransformParticle.geom"));
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(2, buffers);
        glGenQueries(1, &query);
    }
    void TearDown() override {
        glDeleteQueries(1, &query);
        glDeleteBuffers(2, buffers);
        glDeleteVertexArrays(1, &vertexArray);
    }

    std::vector<Record> step(const std::vector<Record>& in, float time) {
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(in.size() * sizeof(Record)), in.data(),
                     GL_DYNAMIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
        glBufferData(GL_ARRAY_BUFFER, 100 * sizeof(Record), nullptr, GL_DYNAMIC_DRAW);

        glUseProgram(program->program);
        glUniform1f(program->uniformLocation("systemLifeTime"), 15.0f);
        glUniform3f(program->uniformLocation("gravity"), 0.0f, -6.0f, 0.0f);
        glUniform1f(program->uniformLocation("deltaT"), 0.5f);
        glUniform1f(program->uniformLocation("time"), time);
        glUniform4f(program->uniformLocation("rnd"), 0.5f, 0.0f, 0.0f, 0.5f);

        glEnable(GL_RASTERIZER_DISCARD);
        glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffers[1]);
        glBindVertexArray(vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        const struct {
            const char* name;
            GLint size;
            size_t offset;
        } attributes[] = {{"Type", 1, offsetof(Record, type)},
                          {"Position", 3, offsetof(Record, position)},
                          {"Velocity", 3, offsetof(Record, velocity)},
                          {"Age", 1, offsetof(Record, age)},
                          {"Acceleration", 3, offsetof(Record, acceleration)},
                          {"Lifetime", 1, offsetof(Record, lifetime)}};
        for (const auto& attribute : attributes) {
            const GLint location = glGetAttribLocation(program->program, attribute.name);
            EXPECT_NE(location, -1) << attribute.name;
            glEnableVertexAttribArray(static_cast<GLuint>(location));
            glVertexAttribPointer(static_cast<GLuint>(location), attribute.size, GL_FLOAT, GL_FALSE,
                                  sizeof(Record), reinterpret_cast<const void*>(attribute.offset));
        }
        glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
        glBeginTransformFeedback(GL_POINTS);
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(in.size()));
        glEndTransformFeedback();
        glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);
        GLuint written = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &written);
        glDisable(GL_RASTERIZER_DISCARD);
        glBindVertexArray(0);

        std::vector<Record> out(written);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(written * sizeof(Record)),
                           out.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return out;
    }

    std::unique_ptr<ShaderProgram> program;
    GLuint vertexArray = 0;
    GLuint buffers[2] = {0, 0};
    GLuint query = 0;
};

}  // namespace

TEST_F(ParticleUpdate, YoungBurstSparksMoveFallAndShedOneEmberEach) {
    const std::vector<Record> out = step({spark(0.0f, 25.0f)}, 1.0f);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].type, kSpark);
    EXPECT_FLOAT_EQ(out[0].age, 0.5f);
    EXPECT_GT(out[0].position[0], 1.0f);        // carried along its velocity
    EXPECT_LT(out[0].velocity[1], 0.0f);        // and pulled down by gravity
    EXPECT_EQ(out[0].lifetime, 25.0f);
    EXPECT_EQ(out[1].type, kEmber);
    EXPECT_EQ(out[1].age, 0.0f);
    EXPECT_FLOAT_EQ(out[1].position[0], out[0].position[0]);
    EXPECT_LT(out[1].lifetime, 1.0f);
}

TEST_F(ParticleUpdate, RecordsPastTheirLifetimeAreDroppedAndOldBurstsShedNothing) {
    const std::vector<Record> out = step({spark(24.8f, 25.0f), spark(2.0f, 25.0f)}, 16.0f);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_FLOAT_EQ(out[0].age, 2.5f);
}

TEST(ParticleDrawProgram, BuildsFromItsThreeStages) {
    ShaderProgram draw("Shader/PassCopy.vert", "Shader/ParticleDraw.frag", "Shader/ParticleTex.geom");
    EXPECT_NE(glGetAttribLocation(draw.program, "Position"), -1);
    for (const char* name : {"VP", "cameraPos", "gBillboardSize", "gColorMap"}) {
        EXPECT_NE(draw.uniformLocation(name), -1) << name;
    }
}

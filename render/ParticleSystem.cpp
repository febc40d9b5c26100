#include "render/ParticleSystem.h"

#include <cstddef>
#include <cstdlib>

#include <glm/gtc/random.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/Texture.h"
#include "render/ShaderProgram.h"

namespace velmora {

namespace {

constexpr GLsizeiptr kBufferBytes = ParticleSystem::kCapacity * sizeof(ParticleRecord);
constexpr GLsizei kStride = sizeof(ParticleRecord);
constexpr float kSystemLifeTime = 15.0f;
const glm::vec3 kGravity(0.0f, -6.0f, 0.0f);
constexpr float kBillboardSize = 0.1f;
constexpr float kRandomSphereRadius = 0.5f;
// What the update program writes in one draw ("emitOnly").
constexpr GLint kEmitSparks = 1;
constexpr GLint kEmitEmbers = 2;

struct AttributeLayout {
    const char* name;
    GLint size;
    std::size_t offset;
};

const AttributeLayout kRecordLayout[6] = {
    {"Type", 1, offsetof(ParticleRecord, type)},
    {"Position", 3, offsetof(ParticleRecord, position)},
    {"Velocity", 3, offsetof(ParticleRecord, velocity)},
    {"Age", 1, offsetof(ParticleRecord, age)},
    {"Acceleration", 3, offsetof(ParticleRecord, acceleration)},
    {"Lifetime", 1, offsetof(ParticleRecord, lifetime)},
};

float uniformRandom() { return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX); }

ParticleRecord spark(glm::vec3 origin, glm::vec3 velocity, float lifetime) {
    ParticleRecord record{};
    record.type = 0.0f;
    record.position[0] = origin.x;
    record.position[1] = origin.y;
    record.position[2] = origin.z;
    record.velocity[0] = velocity.x;
    record.velocity[1] = velocity.y;
    record.velocity[2] = velocity.z;
    record.age = 0.0f;
    record.lifetime = lifetime;
    return record;
}

const void* offsetPointer(std::size_t offset) { return reinterpret_cast<const void*>(offset); }

}  // namespace

ParticleSystem::ParticleSystem(glm::vec3 origin, ShaderProgram* updateProgram, ShaderProgram* drawProgram)
    : origin(origin), updateProgram(updateProgram), drawProgram(drawProgram) {}

ParticleSystem::~ParticleSystem() {
    if (buffers[0] != 0) {
        glDeleteBuffers(2, buffers.data());
    }
    if (query != 0) {
        glDeleteQueries(1, &query);
    }
    if (drawVertexArray != 0) {
        glDeleteVertexArrays(1, &drawVertexArray);
    }
    if (updateVertexArray != 0) {
        glDeleteVertexArrays(1, &updateVertexArray);
    }
}

std::array<ParticleRecord, ParticleSystem::kCapacity> ParticleSystem::initialRecords(glm::vec3 origin) {
    std::array<ParticleRecord, kCapacity> records{};  // the unused tail stays zero
    // One slow spark that lingers over the spot...
    records[0] = spark(origin, glm::vec3(0.0f, 0.0015f, 0.001f), 60.0f);
    // ...and a spray of sparks fanning out from it.
    for (uint32_t i = 1; i <= kInitialSparks; ++i) {
        const float x = 0.6f * uniformRandom() / 10.0f;
        const float y = (uniformRandom() - 0.5f) / 3.0f;
        const float z = (uniformRandom() - 0.7f) / 10.0f;
        records[i] = spark(origin, glm::vec3(x, y, z), 25.0f);
    }
    return records;
}

bool ParticleSystem::loadSpriteTexture(GLuint* cell) { return loadTexture(kTextureFile, cell); }

void ParticleSystem::setUp() {
    if (buffers[0] != 0 || updateProgram == nullptr || drawProgram == nullptr) {
        return;  // already on the GPU, or nothing to run it with
    }
    const std::array<ParticleRecord, kCapacity> records = initialRecords(origin);
    glGenVertexArrays(1, &updateVertexArray);
    glGenVertexArrays(1, &drawVertexArray);
    glGenBuffers(2, buffers.data());
    glBindBuffer(GL_ARRAY_BUFFER, buffers[readIndex]);
    glBufferData(GL_ARRAY_BUFFER, kBufferBytes, records.data(), GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[writeIndex]);
    glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glUseProgram(updateProgram->program);
    glUniform1f(updateProgram->uniformLocation("systemLifeTime"), kSystemLifeTime);
    glUniform3fv(updateProgram->uniformLocation("gravity"), 1, glm::value_ptr(kGravity));
    glGenQueries(1, &query);
}

void ParticleSystem::pointUpdateAttributes() const {
    for (const AttributeLayout& attribute : kRecordLayout) {
        const GLint location = glGetAttribLocation(updateProgram->program, attribute.name);
        if (location < 0) {
            continue;  // the program does not read it
        }
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), attribute.size, GL_FLOAT, GL_FALSE, kStride,
                              offsetPointer(attribute.offset));
    }
}

void ParticleSystem::update(double dt) {
    if (!isSetUp()) {
        return;
    }
    glEnable(GL_RASTERIZER_DISCARD);
    glUseProgram(updateProgram->program);
    glUniform1f(updateProgram->uniformLocation("deltaT"), static_cast<float>(dt));
    glUniform1f(updateProgram->uniformLocation("time"), age);
    const glm::vec3 random = glm::sphericalRand(kRandomSphereRadius);
    glUniform4f(updateProgram->uniformLocation("rnd"), random.x, random.y, random.z, kRandomSphereRadius);

    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffers[writeIndex]);
    glBindVertexArray(updateVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[readIndex]);
    pointUpdateAttributes();

    glBeginQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN, query);
    glBeginTransformFeedback(GL_POINTS);
    const GLsizei count = firstUpdate ? static_cast<GLsizei>(kInitialSparks) : static_cast<GLsizei>(particleCount);
    firstUpdate = false;
    if (count > 0) {
        // Sparks first, then embers: what does not fit is dropped from the
        // end, so a full buffer costs embers and never a spark.
        const GLint emitOnly = updateProgram->uniformLocation("emitOnly");
        glUniform1i(emitOnly, kEmitSparks);
        glDrawArrays(GL_POINTS, 0, count);
        glUniform1i(emitOnly, kEmitEmbers);
        glDrawArrays(GL_POINTS, 0, count);
    }
    glEndTransformFeedback();
    glEndQuery(GL_TRANSFORM_FEEDBACK_PRIMITIVES_WRITTEN);

    GLuint written = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &written);
    // Transform feedback drops what does not fit; the count never says more.
    particleCount = written < kCapacity ? written : kCapacity;

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, 0);
    // Leave the rasteriser on for whatever is drawn next, even without a draw.
    glDisable(GL_RASTERIZER_DISCARD);
}

void ParticleSystem::draw(const glm::mat4& viewProjection, const glm::vec3& cameraPosition) {
    if (!isSetUp()) {
        return;
    }
    glDisable(GL_RASTERIZER_DISCARD);
    glUseProgram(drawProgram->program);
    glUniformMatrix4fv(drawProgram->uniformLocation("VP"), 1, GL_FALSE, glm::value_ptr(viewProjection));
    glUniform3fv(drawProgram->uniformLocation("cameraPos"), 1, glm::value_ptr(cameraPosition));
    glUniform1f(drawProgram->uniformLocation("gBillboardSize"), kBillboardSize);
    glUniform1i(drawProgram->uniformLocation("gColorMap"), 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);

    glBindVertexArray(drawVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[writeIndex]);
    const GLint position = glGetAttribLocation(drawProgram->program, "Position");
    if (position >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(position));
        glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, kStride,
                              offsetPointer(offsetof(ParticleRecord, position)));
    }

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    if (particleCount > 0) {
        glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(particleCount));
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    // What was just written and drawn feeds the next update.
    readIndex = nextReadIndex;
    nextReadIndex = 1 - nextReadIndex;
    writeIndex = nextReadIndex;
}

}  // namespace velmora

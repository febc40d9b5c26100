#pragma once
// One burst of GPU particles, as the scene renderer drives it: it ages the
// system, lets it update and draw itself in every renderScene call, and
// destroys it once it is older than its lifetime.
//
// The particles never leave the GPU. Two buffers of particle records take
// turns: an update runs one through the update program and transform feedback
// writes what the geometry stage emits into the other; a query tells how many
// records came out. Drawing expands the records just written into sprites.

#include <GL/glew.h>

#include <array>
#include <cstdint>

#include <glm/glm.hpp>

namespace velmora {

class ShaderProgram;

// One particle as the update program reads and writes it: 48 bytes, no padding.
struct ParticleRecord {
    float type;
    float position[3];
    float velocity[3];
    float age;
    float acceleration[3];
    float lifetime;
};
static_assert(sizeof(ParticleRecord) == 48, "the shaders expect 48-byte records");

class ParticleSystem {
public:
    static constexpr float kMaxAge = 25.0f;
    static constexpr uint32_t kCapacity = 100;      // records per buffer
    static constexpr uint32_t kInitialSparks = 30;  // records fed to the first update
    static constexpr const char* kTextureFile = "Textures/particle.png";

    // A system with nothing on the GPU: update and draw do nothing.
    ParticleSystem() = default;
    // Only fills the fields; setUp puts the burst on the GPU.
    ParticleSystem(glm::vec3 origin, ShaderProgram* updateProgram, ShaderProgram* drawProgram);
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    // Releases the buffers, the query and the vertex arrays; the sprite
    // texture is not its own.
    virtual ~ParticleSystem();

    // Decodes the sprite into a new texture name in *cell: once per level,
    // not per burst, as decoding the file inside a frame stalls it. Every
    // burst draws with that name and its owner releases it. False when the
    // file could not be read; the sprites are then drawn untextured.
    static bool loadSpriteTexture(GLuint* cell);
    // Builds the initial records (a slow one and a random spray) in the read
    // buffer, allocates the write buffer, sets the update program's constant
    // uniforms and creates the query.
    void setUp();

    // Runs the records through the update program for one interval (seconds).
    virtual void update(double dt);
    // Draws the records the last update wrote as camera-facing sprites, then
    // hands that buffer to the next update.
    virtual void draw(const glm::mat4& viewProjection, const glm::vec3& cameraPosition);

    glm::vec3 origin{0.0f};
    ShaderProgram* updateProgram = nullptr;
    ShaderProgram* drawProgram = nullptr;
    GLuint texture = 0;  // the sprite, shared with the level's other bursts; 0: untextured
    bool firstUpdate = true;
    float age = 1.0f;  // seconds; the renderer removes the system past kMaxAge
    std::array<GLuint, 2> buffers{{0, 0}};
    uint32_t particleCount = 0;  // records written by the last update
    GLuint query = 0;
    GLuint updateVertexArray = 0;
    GLuint drawVertexArray = 0;
    unsigned readIndex = 1;      // buffer the next update reads
    unsigned writeIndex = 0;     // buffer the next update writes and draw reads
    unsigned nextReadIndex = 0;  // readIndex after the next swap

    // The records a new burst starts from; the random ones draw from rand().
    static std::array<ParticleRecord, kCapacity> initialRecords(glm::vec3 origin);

private:
    bool isSetUp() const { return buffers[0] != 0 && updateProgram != nullptr && drawProgram != nullptr; }
    void pointUpdateAttributes() const;
};

}  // namespace velmora

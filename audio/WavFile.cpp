#include "audio/WavFile.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace velmora::audio {

namespace {

uint32_t readLe(const std::vector<char>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putLe(std::ofstream& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xff));
}

}  // namespace

std::optional<MonoSound> readWav(const std::string& path, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "can't be opened";
        return std::nullopt;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        problem = "not a WAV file";
        return std::nullopt;
    }
    MonoSound sound;
    bool formatSeen = false;
    // Chunks one after another, each padded to an even length.
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = readLe(bytes, at + 4, 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) break;
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            const uint32_t format = readLe(bytes, body, 2), channels = readLe(bytes, body + 2, 2);
            const uint32_t bits = readLe(bytes, body + 14, 2);
            sound.sampleRate = static_cast<int>(readLe(bytes, body + 4, 4));
            if (format != 1 || channels != 1 || bits != 16 || sound.sampleRate < 8000 ||
                sound.sampleRate > 192000) {
                problem = "not mono 16-bit PCM";
                return std::nullopt;
            }
            formatSeen = true;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && formatSeen) {
            sound.samples.resize(size / 2);
            for (size_t i = 0; i < sound.samples.size(); ++i) {
                sound.samples[i] = static_cast<int16_t>(readLe(bytes, body + 2 * i, 2));
            }
            if (sound.samples.empty()) break;
            return sound;
        }
        at = body + size + (size & 1);
    }
    problem = "cut short or without samples";
    return std::nullopt;
}

bool writeWav(const std::string& path, const MonoSound& sound) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataSize = static_cast<uint32_t>(sound.samples.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataSize, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, static_cast<uint32_t>(sound.sampleRate), 4);
    putLe(out, static_cast<uint32_t>(sound.sampleRate) * 2, 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.write("data", 4);
    putLe(out, dataSize, 4);
    for (int16_t sample : sound.samples) putLe(out, static_cast<uint16_t>(sample), 2);
    return static_cast<bool>(out);
}

}  // namespace velmora::audio

#pragma once
// Little-endian fixed-width fields for the game's binary files, read with a
// bounds check on every field so that untrusted bytes cannot lead a reader
// past the end.

#include <cstdint>
#include <cstring>
#include <string>

namespace velmora {

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u16(std::uint16_t value) { little(value, 2); }
    void u32(std::uint32_t value) { little(value, 4); }
    void u64(std::uint64_t value) { little(value, 8); }
    void f32(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    void raw(const std::string& data) { bytes_ += data; }
    std::string& bytes() { return bytes_; }

private:
    void little(std::uint64_t value, int count) {
        for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
    std::string bytes_;
};

class ByteReader {
public:
    ByteReader(const char* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - position_; }
    std::size_t position() const { return position_; }

    // Each returns false, leaving value alone, when too few bytes remain.
    bool u8(std::uint8_t& value) { return little(value, 1); }
    bool u16(std::uint16_t& value) { return little(value, 2); }
    bool u32(std::uint32_t& value) { return little(value, 4); }
    bool u64(std::uint64_t& value) { return little(value, 8); }
    bool f32(float& value) {
        std::uint32_t bits;
        if (!u32(bits)) return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }

private:
    template <typename T>
    bool little(T& value, std::size_t count) {
        if (remaining() < count) return false;
        std::uint64_t result = 0;
        for (std::size_t i = 0; i < count; ++i) {
            result |= std::uint64_t{static_cast<unsigned char>(data_[position_ + i])} << (8 * i);
        }
        position_ += count;
        value = static_cast<T>(result);
        return true;
    }

    const char* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace velmora

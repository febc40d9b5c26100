// Counts the pixels of a screen region that differ from a reference shot:
// the end-to-end tests read what the game shows from screen dumps in the
// X window dump format (a virtual display keeps its screen in one).
//
//   screen_region SHOT.xwd REFERENCE.xwd X Y WIDTH HEIGHT
//
// X and Y are from the screen's top left. A pixel counts when any of its
// colour channels differs by more than 40 of 255. Prints the count.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

// A dump read lazily: the header at once, pixel rows only when asked for, so
// that reading a small box of a large screen stays cheap.
struct Dump {
    uint32_t field[25] = {};
    std::ifstream file;
    size_t pixelsAt = 0;
    std::vector<unsigned char> row;
    long loadedRow = -1;

    uint32_t width() const { return field[4]; }
    uint32_t height() const { return field[5]; }
    uint32_t bitsPerPixel() const { return field[11]; }
    uint32_t bytesPerLine() const { return field[12]; }
    bool mostSignificantFirst() const { return field[7] == 1; }

    // The red, green and blue of one pixel, each 0..255.
    void rgb(uint32_t x, uint32_t y, int out[3]) {
        if (loadedRow != static_cast<long>(y)) {
            row.assign(bytesPerLine(), 0);
            file.clear();
            file.seekg(static_cast<std::streamoff>(pixelsAt + size_t{y} * bytesPerLine()));
            file.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(row.size()));
            loadedRow = y;
        }
        const uint32_t count = bitsPerPixel() / 8;
        const size_t at = size_t{x} * count;
        uint32_t value = 0;
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t byte = row[at + i];
            value |= mostSignificantFirst() ? byte << (8 * (count - 1 - i)) : byte << (8 * i);
        }
        const uint32_t masks[3] = {field[14], field[15], field[16]};
        for (int c = 0; c < 3; ++c) {
            uint32_t mask = masks[c];
            int shift = 0;
            while (mask != 0 && (mask & 1u) == 0) { mask >>= 1; ++shift; }
            out[c] = mask == 0 ? 0 : static_cast<int>(((value >> shift) & mask) * 255 / mask);
        }
    }
};

bool load(const char* path, Dump& dump) {
    dump.file.open(path, std::ios::binary);
    unsigned char header[100];
    if (!dump.file.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    for (int i = 0; i < 25; ++i) {  // the header is big-endian
        const unsigned char* b = &header[4 * i];
        dump.field[i] = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
    }
    const uint32_t colours = dump.field[19];
    dump.pixelsAt = dump.field[0] + 12u * colours;
    const bool zPixmap = dump.field[2] == 2;
    const bool wholeBytes = dump.bitsPerPixel() == 24 || dump.bitsPerPixel() == 32;
    return zPixmap && wholeBytes && dump.bytesPerLine() >= dump.width() * (dump.bitsPerPixel() / 8);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s SHOT.xwd REFERENCE.xwd X Y WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    Dump shot;
    Dump reference;
    if (!load(argv[1], shot) || !load(argv[2], reference)) {
        std::fprintf(stderr, "cannot read the dumps %s and %s\n", argv[1], argv[2]);
        return 2;
    }
    const long x0 = std::atol(argv[3]);
    const long y0 = std::atol(argv[4]);
    const long width = std::atol(argv[5]);
    const long height = std::atol(argv[6]);
    long count = 0;
    for (long y = y0; y < y0 + height; ++y) {
        for (long x = x0; x < x0 + width; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < static_cast<long>(shot.width()) &&
                                y < static_cast<long>(shot.height()) &&
                                x < static_cast<long>(reference.width()) &&
                                y < static_cast<long>(reference.height());
            if (!inside) continue;
            int a[3];
            int b[3];
            shot.rgb(static_cast<uint32_t>(x), static_cast<uint32_t>(y), a);
            reference.rgb(static_cast<uint32_t>(x), static_cast<uint32_t>(y), b);
            if (std::abs(a[0] - b[0]) > 40 || std::abs(a[1] - b[1]) > 40 || std::abs(a[2] - b[2]) > 40) {
                ++count;
            }
        }
    }
    std::printf("%ld\n", count);
    return 0;
}

// Images as the texture loader reads them, without GL: the format check (PNG,
// TGA and JPEG only), the size check and the decoding to 24- or 32-bit pixels.

#include "level/ImageFile.h"

#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    FIBITMAP* image = velmora::decodeImageBytes(data, size, error);
    if (image == nullptr) {
        if (error.empty()) __builtin_trap();  // every refusal says why
        return 0;
    }
    // Touch every byte the upload would read.
    const unsigned pitch = FreeImage_GetPitch(image);
    const unsigned height = FreeImage_GetHeight(image);
    const BYTE* bits = FreeImage_GetBits(image);
    unsigned sum = 0;
    for (std::size_t i = 0; i < std::size_t(pitch) * height; ++i) sum += bits[i];
    FreeImage_Unload(image);
    return static_cast<int>(sum & 0);
}

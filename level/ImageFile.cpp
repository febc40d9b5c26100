#include "level/ImageFile.h"

#include <FreeImage.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace velmora {

namespace {

// A decoded pixel takes four bytes at most; deflate (PNG) and entropy coding
// (JPEG) shrink a flat image by about a thousand at best, run lengths (TGA)
// by far less. Small images are always allowed.
constexpr std::uint64_t kMostBytesPerFileByte = 1100;
constexpr std::uint64_t kAlwaysAllowedBytes = std::uint64_t(16) << 20;

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}
unsigned bigEndian16(const unsigned char* p) { return (unsigned(p[0]) << 8) | unsigned(p[1]); }
unsigned littleEndian16(const unsigned char* p) { return unsigned(p[0]) | (unsigned(p[1]) << 8); }

bool pngSize(const unsigned char* data, std::size_t size, std::uint64_t& width,
             std::uint64_t& height) {
    static const unsigned char kIhdr[4] = {'I', 'H', 'D', 'R'};
    if (size < 24 || !std::equal(kIhdr, kIhdr + 4, data + 12)) return false;
    width = bigEndian32(data + 16);
    height = bigEndian32(data + 20);
    return true;
}

// The frame header (SOF0 to SOF15 but DHT, JPG and DAC) holds the size.
bool jpegSize(const unsigned char* data, std::size_t size, std::uint64_t& width,
              std::uint64_t& height) {
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return false;
        const unsigned marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;  // markers without a length
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false;  // end, or scan data before a frame
        const std::size_t length = bigEndian16(data + at + 2);
        if (length < 2) return false;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            if (length < 7 || at + 9 > size) return false;
            height = bigEndian16(data + at + 5);
            width = bigEndian16(data + at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

bool tgaSize(const unsigned char* data, std::size_t size, std::uint64_t& width,
             std::uint64_t& height) {
    if (size < 18) return false;
    width = littleEndian16(data + 12);
    height = littleEndian16(data + 14);
    return true;
}

// The format of the bytes by their content, and only the three read.
FREE_IMAGE_FORMAT detectedFormat(const unsigned char* data, std::size_t size) {
    FIMEMORY* memory = FreeImage_OpenMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (memory == nullptr) return FIF_UNKNOWN;
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory, static_cast<int>(size));
    FreeImage_CloseMemory(memory);
    return format;
}

bool isReadFormat(FREE_IMAGE_FORMAT format) {
    return format == FIF_PNG || format == FIF_TARGA || format == FIF_JPEG;
}

bool isUploadableAsIs(FIBITMAP* bitmap) {
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP) return false;
    const unsigned bpp = FreeImage_GetBPP(bitmap);
    const FREE_IMAGE_COLOR_TYPE type = FreeImage_GetColorType(bitmap);
    return (bpp == 32 && type == FIC_RGBALPHA) || (bpp == 24 && type == FIC_RGB);
}

bool carriesAlpha(FIBITMAP* bitmap) {
    return FreeImage_GetColorType(bitmap) == FIC_RGBALPHA || FreeImage_IsTransparent(bitmap);
}

// The upload reads exactly three or four bytes per pixel, so every other
// layout (paletted, greyscale, 16 bits per channel, floating point) is turned
// into 24-bit RGB, or 32-bit RGBA when it has transparency, first.
FIBITMAP* toUploadableCopy(FIBITMAP* bitmap) {
    FIBITMAP* standard = bitmap;
    if (FreeImage_GetImageType(bitmap) != FIT_BITMAP &&
        FreeImage_GetImageType(bitmap) != FIT_RGB16 &&
        FreeImage_GetImageType(bitmap) != FIT_RGBA16) {
        standard = FreeImage_ConvertToStandardType(bitmap, TRUE);
        if (standard == nullptr) return nullptr;
    }
    FIBITMAP* converted = carriesAlpha(standard) ? FreeImage_ConvertTo32Bits(standard)
                                                 : FreeImage_ConvertTo24Bits(standard);
    if (standard != bitmap) FreeImage_Unload(standard);
    return converted;
}

bool readWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = "is missing";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "is not a plain file";
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kImageMaxBytes) {
        error = "holds " + std::to_string(info.st_size >> 20) + " MB, more than an image may (" +
                std::to_string(kImageMaxBytes >> 20) + " MB)";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(info.st_size));
    if (!file || !file.read(reinterpret_cast<char*>(bytes.data()),
                            static_cast<std::streamsize>(bytes.size()))) {
        error = "can't be read";
        return false;
    }
    return true;
}

}  // namespace

std::string imageBytesProblem(const unsigned char* data, std::size_t size) {
    if (size == 0) return "is empty";
    const FREE_IMAGE_FORMAT format = detectedFormat(data, size);
    if (format == FIF_UNKNOWN) return "can't be decoded as an image: it is no PNG, TGA or JPEG";
    if (!isReadFormat(format)) {
        const char* name = FreeImage_GetFormatFromFIF(format);
        const std::string kind = name != nullptr ? std::string("a ") + name : "another";
        return "is " + kind + " image: only PNG, TGA and JPEG are read";
    }
    std::uint64_t width = 0, height = 0;
    const bool sized = format == FIF_PNG    ? pngSize(data, size, width, height)
                       : format == FIF_JPEG ? jpegSize(data, size, width, height)
                                            : tgaSize(data, size, width, height);
    if (!sized) return "has no readable image size in its header";
    if (width == 0 || height == 0) return "claims an image without pixels";
    if (width > kImageMaxSide || height > kImageMaxSide) {
        return "claims " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than " + std::to_string(kImageMaxSide) + " on a side";
    }
    const std::uint64_t decoded = width * height * 4;
    if (decoded > std::max<std::uint64_t>(kAlwaysAllowedBytes, size * kMostBytesPerFileByte)) {
        return "claims " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than its " + std::to_string(size) + " bytes can hold";
    }
    return {};
}

FIBITMAP* decodeImageBytes(const unsigned char* data, std::size_t size, std::string& error) {
    error = imageBytesProblem(data, size);
    if (!error.empty()) return nullptr;
    const FREE_IMAGE_FORMAT format = detectedFormat(data, size);
    FIMEMORY* memory = FreeImage_OpenMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (memory == nullptr) {
        error = "can't be decoded as an image";
        return nullptr;
    }
    FIBITMAP* bitmap = FreeImage_LoadFromMemory(format, memory, 0);
    FreeImage_CloseMemory(memory);
    if (bitmap != nullptr && !isUploadableAsIs(bitmap)) {
        FIBITMAP* converted = toUploadableCopy(bitmap);
        FreeImage_Unload(bitmap);
        bitmap = converted;
    }
    if (bitmap == nullptr || FreeImage_GetBits(bitmap) == nullptr ||
        FreeImage_GetWidth(bitmap) == 0 || FreeImage_GetHeight(bitmap) == 0 ||
        (FreeImage_GetBPP(bitmap) != 24 && FreeImage_GetBPP(bitmap) != 32)) {
        if (bitmap != nullptr) FreeImage_Unload(bitmap);
        error = "can't be decoded as an image";
        return nullptr;
    }
    return bitmap;
}

FIBITMAP* readImageFile(const std::string& path, std::string& error) {
    std::string file = path;
    std::replace(file.begin(), file.end(), '\\', '/');
    std::vector<unsigned char> bytes;
    if (!readWholeFile(file, bytes, error)) return nullptr;
    return decodeImageBytes(bytes.data(), bytes.size(), error);
}

FIBITMAP* readImageFile(const std::string& path) {
    std::string ignored;
    return readImageFile(path, ignored);
}

bool imageFileDecodes(const std::string& path) { return imageFileProblem(path).empty(); }

std::string imageFileProblem(const std::string& path) {
    std::string error;
    FIBITMAP* image = readImageFile(path, error);
    if (image == nullptr) return error.empty() ? "can't be decoded as an image" : error;
    FreeImage_Unload(image);
    return {};
}

}  // namespace velmora

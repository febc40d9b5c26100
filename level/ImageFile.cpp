#include "level/ImageFile.h"

#include <FreeImage.h>

#include <algorithm>

namespace velmora {

namespace {

FREE_IMAGE_FORMAT formatOf(const std::string& path) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    return format;
}

}  // namespace

FIBITMAP* readImageFile(const std::string& path) {
    std::string file = path;
    std::replace(file.begin(), file.end(), '\\', '/');
    const FREE_IMAGE_FORMAT format = formatOf(file);
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return nullptr;
    return FreeImage_Load(format, file.c_str(), 0);
}

bool imageFileDecodes(const std::string& path) {
    FIBITMAP* image = readImageFile(path);
    if (image == nullptr) return false;
    const bool hasPixels = FreeImage_GetWidth(image) > 0 && FreeImage_GetHeight(image) > 0;
    FreeImage_Unload(image);
    return hasPixels;
}

}  // namespace velmora

#pragma once
// Reading image files through the image library, without any GL: the texture
// upload and the level checker read a file the same way, so the checker's
// verdict on a texture is the game's.
//
// Only the formats the README promises are decoded: PNG, TGA and JPEG, told
// by their content (the image library recognises dozens more, whatever the
// file is called, and some of its readers fail badly on damaged files). The
// size the header claims is checked against what the file could hold before
// anything is decoded.

#include <cstddef>
#include <cstdint>
#include <string>

struct FIBITMAP;

namespace velmora {

// The largest image file read at all, and the largest side of an image.
constexpr std::uint64_t kImageMaxBytes = std::uint64_t(64) << 20;
constexpr unsigned kImageMaxSide = 16384;

// What is wrong with these bytes as an image the game reads, before any
// decoding: not PNG, TGA or JPEG ("is a PSD image: only PNG, TGA and JPEG are
// read"), no size in its header, or a size beyond kImageMaxSide or beyond what
// the bytes could hold. Empty when decoding may go ahead.
std::string imageBytesProblem(const unsigned char* data, std::size_t size);

// Decodes the bytes (after imageBytesProblem) into a bitmap of 24-bit RGB, or
// 32-bit RGBA when the image has transparency, rows padded to four bytes, as
// the upload reads it. Null, with error set, on any failure. The caller
// unloads it.
FIBITMAP* decodeImageBytes(const unsigned char* data, std::size_t size, std::string& error);

// The same for a file (backslash folder separators read as slashes); error
// also covers a file that is missing, not a plain file, or too large.
FIBITMAP* readImageFile(const std::string& path, std::string& error);
FIBITMAP* readImageFile(const std::string& path);

// True when the file decodes to an image of at least one pixel.
bool imageFileDecodes(const std::string& path);

// Empty when the file decodes; otherwise what is wrong with it.
std::string imageFileProblem(const std::string& path);

}  // namespace velmora

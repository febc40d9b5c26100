#pragma once
// Saving and reading the game's own files so that a crash, a power cut or a
// full disk never leaves a half-written file: a save goes to a temporary file
// in the same folder and replaces the old one in a single rename.

#include <cstddef>
#include <string>

namespace velmora::platform {

// Writes bytes to a temporary file next to path, flushes it to the disk and
// renames it over path, then flushes the folder. Returns false and sets error
// (one line naming the file) when a step fails; the temporary file is then
// removed and the old file at path is left as it was. Only when flushing the
// folder after the rename fails is the new content already in place (error
// says so). Temporary files left by an earlier save that was killed are
// removed.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

enum class ReadResult { ok, missing, tooLarge, failed };

// Reads the whole regular file at path into bytes unless it holds more than
// maxBytes. error: one line naming the file, for every result but ok.
ReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string& error);

// Moves a file the game cannot read out of the way, to "<path>.bad" or, when
// that is taken, "<path>.bad.1", "<path>.bad.2" ... so that an earlier one is
// never overwritten. Prints one line with the reason and returns the new
// path; empty (after its line) when the file could not be moved.
std::string keepAside(const std::string& path, const std::string& reason);

}  // namespace velmora::platform

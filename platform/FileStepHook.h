#pragma once
// Lets tests fail or interrupt each system call of a save, to show that a
// failed or killed save never damages the file it replaces.

#include <functional>

namespace velmora::platform {

enum class FileStep { open, write, sync, close, rename, syncFolder, done };

// Called before each step of writeFileAtomically (write once per chunk of at
// most kWriteChunk bytes; done after the last step). Returning an errno value
// makes that step fail as if the system call had; 0 lets it run.
using FileStepHook = std::function<int(FileStep)>;

constexpr std::size_t kWriteChunk = 64 * 1024;

// Installs hook for this process (an empty function removes it).
void setFileStepHook(FileStepHook hook);

const char* fileStepName(FileStep step);

}  // namespace velmora::platform

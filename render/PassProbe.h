#pragma once
// Marks where one pass of the frame ends, so the frame benchmark can say what
// each pass costs. Without a probe installed (the game never installs one) a
// mark costs one test of a null pointer.

namespace velmora {

// Called at the end of a pass with its name; the benchmark's probe finishes
// the GL work so far and charges the time since the last mark to that pass.
using PassProbe = void (*)(const char* pass);

extern PassProbe passProbe;

inline void passDone(const char* pass) {
    if (passProbe != nullptr) {
        passProbe(pass);
    }
}

}  // namespace velmora

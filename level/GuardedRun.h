#pragma once
// Running a risky piece of work (a third-party file reader) in a child
// process of its own, under limits on time and memory, so that whatever the
// work does with a damaged file (a crash, an assertion abort, a huge
// allocation, an endless loop) costs a message and not the program.

#include <cstddef>
#include <functional>
#include <string>

namespace velmora {

struct GuardLimits {
    // Processor time the work may take (waiting, it gets ten times as long on
    // the wall clock), so a busy machine doesn't turn a good file away.
    double seconds = 1.0;
    std::size_t memoryBytes = std::size_t(1) << 30;  // memory it may add to the process
};

enum class GuardOutcome {
    Succeeded,  // the work returned true
    Failed,     // the work returned false; message is what it said
    Refused,    // it crashed, aborted, ran out of time or memory; message says which
    NotRun,     // no child process could be started; the caller decides
};

struct GuardResult {
    GuardOutcome outcome = GuardOutcome::NotRun;
    std::string message;
};

// Runs `work` in a forked child. The work writes what went wrong into its
// argument (at most 4 KB of it comes back). Nothing the child prints reaches
// the terminal; nothing it changes reaches this process.
GuardResult runGuarded(const std::function<bool(std::string&)>& work, const GuardLimits& limits);

// True when the program was built with AddressSanitizer (or another
// sanitizer that reserves huge shadow memory and slows everything down).
bool builtWithSanitizers();

}  // namespace velmora

#pragma once
// Leak checking in sanitizer builds, done once the game has shut down but
// before the window library ends. Ending it unloads the GL driver, and the
// driver's own leftovers would then be reported with no module or function
// to name them by. Does nothing in an ordinary build.

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace velmora::platform {

// Reports leaked memory now and ends the process with a failure if there is
// any; the check at exit is then skipped.
inline void checkLeaksBeforeTerminate() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}

}  // namespace velmora::platform

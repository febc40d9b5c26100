#include "platform/Console.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace velmora::platform {

void consolePause() {
    std::cout.flush();
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    std::cout << "Press Enter to continue . . ." << std::endl;
    int c;
    do {
        c = std::getchar();
    } while (c != '\n' && c != EOF);
}

}  // namespace velmora::platform

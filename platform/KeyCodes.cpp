#include "platform/KeyCodes.h"

#include <GLFW/glfw3.h>

namespace velmora::platform {

int toLibraryKey(int key) {
    // Printable keys share their ASCII code with the library's codes.
    if (key >= 32 && key < KEY_SPECIAL) {
        if (key >= 'a' && key <= 'z') {
            return key - 'a' + 'A';
        }
        return key;
    }
    if (key >= KEY_F1 && key <= KEY_F25) {
        return GLFW_KEY_F1 + (key - KEY_F1);
    }
    if (key >= KEY_KP_0 && key < KEY_KP_0 + 10) {
        return GLFW_KEY_KP_0 + (key - KEY_KP_0);
    }
    switch (key) {
        case KEY_ESC: return GLFW_KEY_ESCAPE;
        case KEY_UP: return GLFW_KEY_UP;
        case KEY_DOWN: return GLFW_KEY_DOWN;
        case KEY_LEFT: return GLFW_KEY_LEFT;
        case KEY_RIGHT: return GLFW_KEY_RIGHT;
        case KEY_LSHIFT: return GLFW_KEY_LEFT_SHIFT;
        case KEY_RSHIFT: return GLFW_KEY_RIGHT_SHIFT;
        case KEY_LCTRL: return GLFW_KEY_LEFT_CONTROL;
        case KEY_RCTRL: return GLFW_KEY_RIGHT_CONTROL;
        case KEY_LALT: return GLFW_KEY_LEFT_ALT;
        case KEY_RALT: return GLFW_KEY_RIGHT_ALT;
        case KEY_TAB: return GLFW_KEY_TAB;
        case KEY_ENTER: return GLFW_KEY_ENTER;
        case KEY_BACKSPACE: return GLFW_KEY_BACKSPACE;
        case KEY_INSERT: return GLFW_KEY_INSERT;
        case KEY_DEL: return GLFW_KEY_DELETE;
        case KEY_PAGEUP: return GLFW_KEY_PAGE_UP;
        case KEY_PAGEDOWN: return GLFW_KEY_PAGE_DOWN;
        case KEY_HOME: return GLFW_KEY_HOME;
        case KEY_END: return GLFW_KEY_END;
        case KEY_KP_SUBTRACT: return GLFW_KEY_KP_SUBTRACT;
        case KEY_KP_ADD: return GLFW_KEY_KP_ADD;
        default: return -1;
    }
}

int fromLibraryKey(int libraryKey) {
    if (libraryKey < 0) return -1;
    // Searched upwards, so a letter comes back as its upper-case code.
    for (int key = 0; key <= KEY_LAST; ++key) {
        if (toLibraryKey(key) == libraryKey) return key;
    }
    return -1;
}

}  // namespace velmora::platform

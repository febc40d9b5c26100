#include "platform/KeyNames.h"

#include <cctype>

#include "platform/KeyCodes.h"

namespace velmora::platform {

namespace {

struct NamedKey {
    int key;
    const char* name;
};

// Printable keys other than letters and digits are named, so that a file
// line never holds a bare '#' or '=' as its value.
constexpr NamedKey kNamedKeys[] = {
    {' ', "Space"},         {'\'', "Apostrophe"},      {',', "Comma"},
    {'-', "Minus"},         {'.', "Period"},           {'/', "Slash"},
    {';', "Semicolon"},     {'=', "Equals"},           {'[', "LeftBracket"},
    {'\\', "Backslash"},    {']', "RightBracket"},     {'`', "GraveAccent"},
    {KEY_ESC, "Escape"},    {KEY_UP, "Up"},            {KEY_DOWN, "Down"},
    {KEY_LEFT, "Left"},     {KEY_RIGHT, "Right"},      {KEY_LSHIFT, "LeftShift"},
    {KEY_RSHIFT, "RightShift"}, {KEY_LCTRL, "LeftCtrl"}, {KEY_RCTRL, "RightCtrl"},
    {KEY_LALT, "LeftAlt"},  {KEY_RALT, "RightAlt"},    {KEY_TAB, "Tab"},
    {KEY_ENTER, "Enter"},   {KEY_BACKSPACE, "Backspace"}, {KEY_INSERT, "Insert"},
    {KEY_DEL, "Delete"},    {KEY_PAGEUP, "PageUp"},    {KEY_PAGEDOWN, "PageDown"},
    {KEY_HOME, "Home"},     {KEY_END, "End"},          {KEY_KP_SUBTRACT, "KeypadMinus"},
    {KEY_KP_ADD, "KeypadPlus"},
};

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

std::string keyName(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
    if (key >= KEY_F1 && key <= KEY_F25) return "F" + std::to_string(key - KEY_F1 + 1);
    if (key >= KEY_KP_0 && key < KEY_KP_0 + 10) return "Keypad" + std::to_string(key - KEY_KP_0);
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    return {};
}

int keyFromName(const std::string& name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
        return -1;
    }
    for (int key = KEY_F1; key <= KEY_F25; ++key) {
        if (sameName(name, keyName(key).c_str())) return key;
    }
    for (int key = KEY_KP_0; key < KEY_KP_0 + 10; ++key) {
        if (sameName(name, keyName(key).c_str())) return key;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (sameName(name, named.name)) return named.key;
    }
    return -1;
}

}  // namespace velmora::platform

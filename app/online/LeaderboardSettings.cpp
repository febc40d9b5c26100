#include "app/online/LeaderboardSettings.h"

namespace velmora::app {

namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool validLeaderboardAddress(const std::string& address) {
    if (address.size() > 200) return false;
    std::string::size_type hostAt = 0;
    if (startsWith(address, "http://")) {
        hostAt = 7;
    } else if (startsWith(address, "https://")) {
        hostAt = 8;
    } else {
        return false;
    }
    if (address.size() == hostAt || address[hostAt] == '/' || address[hostAt] == ':') return false;
    for (char c : address) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

bool validPlayerName(const std::string& name) {
    if (name.size() < 3 || name.size() > 20) return false;
    for (char c : name) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '_' && c != '.' && c != '-') return false;
    }
    return true;
}

std::string apiRoot(const std::string& address) {
    std::string root = address;
    while (!root.empty() && root.back() == '/') root.pop_back();
    if (root.size() < 3 || root.compare(root.size() - 3, 3, "/v1") != 0) root += "/v1";
    return root;
}

}  // namespace velmora::app

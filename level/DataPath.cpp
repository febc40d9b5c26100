#include "level/DataPath.h"

#include <climits>
#include <cstdlib>
#include <memory>

#include <sys/stat.h>

namespace velmora {

namespace {

// The path with every link and "." resolved; empty when it can't be.
std::string resolved(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

}  // namespace

std::string containedDataPath(const std::string& folder, const std::string& name,
                              std::string& path) {
    if (name.empty()) return "is an empty name";
    std::string relative = name;
    for (char& c : relative) {
        if (c == '\\') c = '/';
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return "holds a control character";
        }
    }
    if (relative.front() == '/') return "is an absolute path, outside " + folder;
    if (relative.size() >= 2 && relative[1] == ':') {
        return "is an absolute path (a drive letter), outside " + folder;
    }
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('/', start);
        if (end == std::string::npos) end = relative.size();
        if (relative.compare(start, end - start, "..") == 0 && end - start == 2) {
            return "climbs out of " + folder + " with \"..\"";
        }
        start = end + 1;
    }
    path = folder + "/" + relative;

    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return {};  // missing: the caller's to say
    const std::string base = resolved(folder);
    const std::string target = resolved(path);
    if (base.empty() || target.empty()) return "can't be resolved inside " + folder;
    if (target.compare(0, base.size(), base) != 0 || target.size() <= base.size() ||
        (base != "/" && target[base.size()] != '/')) {
        return "is a link leading out of " + folder;
    }
    return {};
}

}  // namespace velmora

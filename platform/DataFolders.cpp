#include "platform/DataFolders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

constexpr const char* kGameFolder = "vizazuv";

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    // A session without HOME (some launchers, services) still has a user.
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr &&
                                                  entry->pw_dir[0] == '/') {
        return entry->pw_dir;
    }
    return {};
}

// Base folders must be absolute; anything else in the variable is ignored
// and the usual default under the home folder is used instead.
std::string xdgFolder(const char* variable, const char* defaultBelowHome) {
    const char* value = std::getenv(variable);
    std::string base;
    if (value != nullptr && value[0] == '/') {
        base = value;
    } else {
        const std::string home = homeFolder();
        if (home.empty()) return {};
        base = home + "/" + defaultBelowHome;
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return (base == "/" ? "" : base) + "/" + kGameFolder;
}

// One line per folder and process: a folder that is not writable stays so
// for the whole session, and each save would otherwise repeat the line.
void reportOnce(const std::string& folder, const std::string& reason) {
    static std::mutex mutex;
    static std::set<std::string> reported;
    std::lock_guard<std::mutex> lock(mutex);
    if (!reported.insert(folder).second) return;
    std::cout << "Cannot write to " << folder << ": " << reason
              << "; playing on without saving." << std::endl;
}

// mkdir -p with mode 0700 for what it makes. Returns 0 or the errno of the
// step that failed.
int makeFolders(const std::string& path) {
    std::size_t next = 1;
    while (true) {
        const std::size_t slash = path.find('/', next);
        const std::string part = path.substr(0, slash);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
        if (slash == std::string::npos) return 0;
        next = slash + 1;
    }
}

}  // namespace

std::string configFolderPath() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }
std::string dataFolderPath() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

bool prepareFolder(const std::string& path) {
    if (path.empty()) {
        reportOnce("the game's folder", "no home folder is known");
        return false;
    }
    if (const int error = makeFolders(path); error != 0) {
        reportOnce(path, std::strerror(error));
        return false;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        reportOnce(path, std::strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        reportOnce(path, std::strerror(ENOTDIR));
        return false;
    }
    if (access(path.c_str(), W_OK | X_OK) != 0) {
        reportOnce(path, std::strerror(errno));
        return false;
    }
    return true;
}

std::string configFolder() {
    const std::string path = configFolderPath();
    return prepareFolder(path) ? path : std::string();
}

std::string dataFolder() {
    const std::string path = dataFolderPath();
    return prepareFolder(path) ? path : std::string();
}

std::string replaysFolder() {
    const std::string data = dataFolder();
    if (data.empty()) return {};
    const std::string path = data + "/replays";
    return prepareFolder(path) ? path : std::string();
}

}  // namespace velmora::platform

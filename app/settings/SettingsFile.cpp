#include "app/settings/SettingsFile.h"

#include <cerrno>
#include <iostream>
#include <sys/stat.h>

#include "platform/AtomicFile.h"
#include "platform/DataFolders.h"
#include "sim/BestTimesText.h"

namespace velmora::app {

namespace {

bool fileMayExist(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
    savedValues_ = settingValues(Settings{});
}

std::string SettingsFile::defaultPath() {
    const std::string folder = platform::configFolderPath();
    return folder.empty() ? std::string() : folder + "/settings.ini";
}

Settings SettingsFile::load() {
    kept_ = SettingsText{};
    savedValues_ = settingValues(Settings{});
    if (path_.empty()) return Settings{};
    std::string text, error;
    switch (platform::readWholeFile(path_, kMaxSettingsBytes, text, error)) {
    case platform::ReadResult::missing:
        return Settings{};
    case platform::ReadResult::failed:
        // A path through something that is no folder holds no file either;
        // saving will say why it can't.
        if (!fileMayExist(path_)) return Settings{};
        // Perhaps only for now (permissions, a disk error): leave it be.
        std::cout << error << "; settings will not be saved." << std::endl;
        keepReason_ = error;
        keepReasonPrinted_ = true;
        return Settings{};
    case platform::ReadResult::tooLarge:
        if (platform::keepAside(path_, "is not a settings file (over 64 KB)").empty()) {
            keepReason_ = path_ + " could not be kept aside";
        }
        return Settings{};
    case platform::ReadResult::ok:
        break;
    }
    if (looksBinary(text)) {
        if (platform::keepAside(path_, "is not a settings file (not text)").empty()) {
            keepReason_ = path_ + " could not be kept aside";
        }
        return Settings{};
    }
    std::vector<std::string> warnings;
    const Settings settings = parseSettings(text, path_, kept_, warnings);
    for (const std::string& warning : warnings) std::cout << warning << std::endl;
    savedValues_ = settingValues(settings);
    return settings;
}

bool SettingsFile::saveIfChanged(const Settings& settings) {
    const std::vector<std::string> values = settingValues(settings);
    if (values == savedValues_) return true;
    // Said once, then the settings live in memory for the rest of the game.
    savedValues_ = values;
    if (path_.empty()) return true;
    if (!keepReason_.empty()) {
        if (!keepReasonPrinted_) std::cout << keepReason_ << "." << std::endl;
        keepReasonPrinted_ = true;
        return false;
    }
    const std::size_t slash = path_.rfind('/');
    if (slash != std::string::npos && !platform::prepareFolder(path_.substr(0, slash))) {
        keepReason_ = "the folder can't be written";
        keepReasonPrinted_ = true;  // prepareFolder said so
        return false;
    }
    std::string error;
    if (!platform::writeFileAtomically(path_, formatSettings(settings, kept_), error)) {
        std::cout << error << "; settings are kept for this game only." << std::endl;
        keepReason_ = error;
        keepReasonPrinted_ = true;
        return false;
    }
    return true;
}

}  // namespace velmora::app

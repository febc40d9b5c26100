#pragma once
// settings.ini in the game's configuration folder: read once at start-up,
// written (atomically) only when a setting has changed since it was read or
// last written.
//
// A file that is not text or is over 64 KB is kept aside as settings.ini.bad
// (one line says so) and the defaults are used; a file that can't be read for
// another reason, or a folder that can't be written, gives one line and the
// game plays on with its settings in memory, never writing over the file.

#include <string>
#include <vector>

#include "app/settings/Settings.h"
#include "app/settings/SettingsText.h"

namespace velmora::app {

class SettingsFile {
public:
    // Empty path: settings for this session only (tests, the autopilot).
    explicit SettingsFile(std::string path = {});

    // "<configuration folder>/settings.ini", named without touching the disk.
    static std::string defaultPath();

    // Reads the file (none yet: the defaults). Warnings are printed, one line each.
    Settings load();

    // Writes settings when they differ from what the file holds; false when
    // they do and could not be written (said once).
    bool saveIfChanged(const Settings& settings);

    const std::string& path() const { return path_; }

private:
    std::string path_;
    SettingsText kept_;
    std::vector<std::string> savedValues_;  // the settings the file holds
    std::string keepReason_;  // why the file must not be written; empty when it may
    bool keepReasonPrinted_ = false;
};

}  // namespace velmora::app

#pragma once
// Where the game keeps its own files: settings under the configuration
// folder, best times and replays under the data folder, both private to the
// player (mode 0700) and made when first needed.
//
// A folder that cannot be made or written to gives one line on standard
// output, once per folder and process, and the caller plays on without
// saving: these functions never throw and never end the program.

#include <string>

namespace velmora::platform {

// The folders as they are named ($XDG_CONFIG_HOME/vizazuv or
// ~/.config/vizazuv, $XDG_DATA_HOME/vizazuv or ~/.local/share/vizazuv),
// without touching the disk. A relative or empty XDG value is ignored. Empty
// when there is no home folder to fall back on.
std::string configFolderPath();
std::string dataFolderPath();

// The folders made ready for writing: the path, or empty when the folder
// cannot be used (after its one line).
std::string configFolder();
std::string dataFolder();
std::string replaysFolder();

// Makes path and its missing parents (mode 0700) and checks that it is a
// folder the game may write to. False after the one line when it is not.
bool prepareFolder(const std::string& path);

}  // namespace velmora::platform

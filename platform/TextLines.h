#pragma once
// The lines of a text file the game keeps (settings, best times), split the
// same way for every such file: a final line without its newline counts, and
// a line written on another system keeps no carriage return at its end (all
// of them go, so a line kept and written again reads back the same).

#include <string>
#include <vector>

namespace velmora::platform {

std::vector<std::string> splitLines(const std::string& text);

}  // namespace velmora::platform

#pragma once
// Where the screen's text and flat panels went, in the order they were
// drawn, for a check that every line of every screen stands inside the
// window and inside its panel. Nothing is kept unless a log is installed
// (the game never installs one): then a draw costs one test of a null pointer.

#include <string>
#include <vector>

namespace velmora {

struct DrawnBox {
    bool text = false;  // a line of text; otherwise a flat panel or highlight
    int x = 0;          // bottom-left corner, pixels from the screen's bottom left
    int y = 0;
    int width = 0;
    int height = 0;
    std::string label;  // the text drawn; empty for a panel
};

extern std::vector<DrawnBox>* drawnBoxLog;

inline void logDrawnBox(const DrawnBox& box) {
    if (drawnBoxLog != nullptr) drawnBoxLog->push_back(box);
}

}  // namespace velmora

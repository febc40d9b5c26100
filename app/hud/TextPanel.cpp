#include "app/hud/TextPanel.h"

#include <algorithm>

namespace velmora::app {

TextPanel placeTextPanel(const std::vector<SizedLine>& wanted, const PanelPlace& place) {
    TextPanel result;
    if (wanted.empty()) return result;
    const int pad = std::max(2, wanted.front().size / 2);
    const ScreenBox& area = place.area;
    const std::vector<SizedLine> fitted =
        fitLines(wanted, area.width - 2 * pad, area.height - 2 * pad);
    const int width = linesWidth(fitted) + 2 * pad;
    const int height = linesHeight(fitted) + 2 * pad;
    // From the panel's top down to the anchor line's bottom.
    int anchorDepth = pad;
    for (const SizedLine& line : fitted) {
        anchorDepth += lineAdvance(line.size);
        if (line.source >= place.anchorLine) {
            anchorDepth -= line.size / 5;  // its bottom, not the next line's top
            break;
        }
    }
    const int highestTop = area.y + area.height;
    const int top = std::clamp(place.anchorY + anchorDepth, std::min(area.y + height, highestTop), highestTop);
    const int left = place.centred ? area.x + (area.width - width) / 2 : area.x;
    result.panel = {left, top - height, width, height};
    int lineTop = top - pad;
    for (const SizedLine& line : fitted) {
        if (line.text.empty()) {
            lineTop -= lineAdvance(line.size);
            continue;
        }
        const int x = place.centred ? left + (width - textWidth(line.text, line.size)) / 2 : left + pad;
        result.lines.push_back({line.text, x, lineTop - line.size, line.size});
        lineTop -= lineAdvance(line.size);
    }
    return result;
}

}  // namespace velmora::app

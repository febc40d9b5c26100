#include "app/play/EventFeedback.h"

#include "app/camera/Camera.h"
#include "app/hud/Hud.h"
#include "app/shell/ShellState.h"
#include "app/hud/ScreenOverlay.h"

namespace velmora::app {

std::string hazardMessage(const std::string& hazardText) {
    if (hazardText == "pit") return "You fell. Back to the start.";
    return "Spikes! Back to the start.";
}

void reactToEvents(const std::vector<SimulationEvent>& events, ShellState& shell) {
    for (const SimulationEvent& event : events) {
        if (event.type == SimulationEventType::Restarted || event.type == SimulationEventType::Hazard) {
            placeCameraBehindSphere(shell);
        }
        if (event.type == SimulationEventType::Hazard) {
            showStatusMessage(shell.options, hazardMessage(event.text));
            flashScreen();
        }
    }
}

}  // namespace velmora::app

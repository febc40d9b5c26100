#version 150

in vec4 quadColour;

out vec4 colorRender;
// Drawn into the scene target (the HUD's panels), the second output's alpha
// of 0 leaves that target's sharp mask as it was: a panel is blurred with
// the scene, and only the text on it stays sharp.
out vec4 colorAlpha;

void main() {
    colorRender = quadColour;
    colorAlpha = vec4(0.0);
}

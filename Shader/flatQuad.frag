#version 150

in vec4 quadColour;

out vec4 colorRender;

void main() {
    colorRender = quadColour;
}

#version 150
// Depth only: the colour outputs are masked off while this runs.

void main() {}

#include "app/shell/Game.h"

int main(int argc, char** argv) { return velmora::app::runGame(argc, argv); }

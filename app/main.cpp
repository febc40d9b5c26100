#include "app/Game.h"

int main() { return velmora::app::runGame(); }

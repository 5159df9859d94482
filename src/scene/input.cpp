// The shared input state.
#include "scene/input.h"

int mx;
int my;
int fx;
const int maxfx = 1;

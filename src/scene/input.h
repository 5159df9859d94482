// The input state the shell's event handler writes and the scene reads, and the display size
// in which mouse positions are measured.
#pragma once

constexpr int SCREEN_WIDTH = 800;  // display width, pixels: video mode, viewport, mouse centre
constexpr int SCREEN_HEIGHT = 600; // display height, pixels

extern int mx;          // last mouse x, window pixels; 0 until the first motion event
extern int my;          // last mouse y, window pixels, growing downward; 0 until then
extern int fx;          // effect mode: 0 wraps boxes black, 1 greys about half of them
extern const int maxfx; // highest effect mode; a button press past it returns to 0

// The program shell: start-up, the frame loop and input events. It owns every SDL call.
#pragma once

#include "SDL.h"

// Starts SDL and the display, then runs frames until the user quits; returns 0. A start-up
// failure prints one line on stderr and exits with status 1.
int RunGLTest();

// Starts SDL's video and opens the full-screen OpenGL display, hides the cursor and calls
// initGL. A failure prints one line on stderr and exits with status 1.
void openDisplay();

// Sets the fixed OpenGL state and the projection; returns 1.
int initGL();

// Draws the scene's next frame into the back buffer: clear, advance, camera, view, boxes.
// *camcounter is the drift counter the camera carries from frame to frame.
void drawFrame(int *camcounter);

// Prints a pending OpenGL error code and a pending SDL error text, once each.
void reportErrors();

// Updates the shared input state from one event; returns 1 if it asks the program to stop.
int HandleEvent(SDL_Event *event);

// Hands every queued event to HandleEvent in order; returns 1 if any of them asked to stop.
int drainEvents();

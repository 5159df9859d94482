// Stand-ins for the SDL, GL and GLU functions the program calls, linked in place of the real
// libraries, and a counting rand(). Each call is recorded as one line, "name(arg = value, …)";
// what the stand-ins answer comes from the settings below.
#pragma once

#include "SDL.h"
#include <GL/gl.h>
#include <deque>
#include <string>
#include <vector>

// Recording.
extern bool fake_recording;              // off: stand-ins only answer (benchmarks)
extern bool fake_record_vertices;        // glColor3f/glVertex3f as lines; off: tallied
extern long fake_draws;                  // rand() calls since fakeReset()
extern std::deque<int> fake_rand_script; // values rand() returns before the real generator's

// Answers.
extern int fake_init_result;              // SDL_Init's result
extern int fake_bits_per_pixel;           // depth of the current display format
extern bool fake_mode_fails;              // SDL_SetVideoMode returns no surface
extern std::string fake_sdl_error;        // SDL_GetError's text; SDL_ClearError empties it
extern std::deque<GLenum> fake_gl_errors; // glGetError's answers, GL_NO_ERROR once used up
// The events each drain finds, one drain a frame. A drain past the script aborts the test,
// so every script ends with a stop.
extern std::deque<std::vector<SDL_Event>> fake_drains;

// Restores every setting above and empties the record; recording on, vertices tallied.
void fakeReset();

// The recorded calls, in order. Runs of rand() calls are tallied into one line,
// "[N x rand]"; with vertices tallied, one box batch reads "[1500 x glColor3f, 36000 x
// glVertex3f]".
const std::vector<std::string> &fakeCalls();

// Prints the record on stderr when the process exits: what a death test can see of it.
void fakeDumpCallsAtExit();

// Events to script.
SDL_Event keyDown(SDLKey sym);
SDL_Event keyUp(SDLKey sym);
SDL_Event mouseMotion(int x, int y);
SDL_Event buttonDown(int button);
SDL_Event quitRequest();
SDL_Event eventOfType(int type);

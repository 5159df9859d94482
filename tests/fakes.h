// Stand-ins for the SDL, GL and GLU calls the program makes, linked in place of the real
// libraries, with rand() and exit() wrapped at link time. Every call is recorded as one line,
// "name(arguments)"; what the stand-ins answer comes from the settings in fake.
#pragma once

#include "SDL.h"
#include <GL/gl.h>
#include <csetjmp>
#include <deque>
#include <map>
#include <string>

struct Fakes {
    bool recording = true;   // off: the stand-ins only answer (benchmarks)
    std::deque<int> rand;    // what rand() answers before the real generator does
    int init = 0;            // SDL_Init's result
    int bits_per_pixel = 32; // the depth of the display's current format
    bool mode_fails = false; // SDL_SetVideoMode returns no surface
    // SDL_GetError's text; SDL_ClearError empties it. A mode set that succeeds leaves the
    // text the SDL 2 based SDL 1.2 leaves, and so do hiding the cursor and handing out a focus
    // event as on Wayland without a pointer; a swap adds the next of swap_errors, if any.
    std::string error;
    std::deque<std::string> swap_errors;
    std::deque<GLenum> gl_errors; // glGetError's answers; GL_NO_ERROR once used up
    // SDL_PollEvent's events, by default one window close; one of type SDL_NOEVENT ends a drain.
    std::deque<SDL_Event> events{SDL_Event{SDL_QUIT}, SDL_Event{}};
    std::string record;              // the calls so far; read it through fakeRecord()
    std::map<std::string, long> run; // calls counted since the last one recorded, by name
    unsigned long long hash = 0;     // of every counted call's arguments so far, in order
    jmp_buf exit;                    // exit(), and a drain past the scripted events, jump here
};
extern Fakes fake;

// The record so far: one line a call, "name(arguments)", except that a run of the counted
// calls is one line, "[N x name, ..., hash H]". SDL_PollEvent's line shows the type of the
// event it hands out, 0 for none.
std::string fakeRecord();

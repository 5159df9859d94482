// Input events: their effect on the shared input state, and the drain at the end of a frame.
#include "scene/input.h"
#include "shell/shell.h"

int HandleEvent(SDL_Event *event)
{
    int done = 0;

    switch (event->type) {
    case SDL_KEYDOWN:
        if (event->key.keysym.sym == SDLK_ESCAPE)
            done = 1;
        break;
    case SDL_MOUSEMOTION:
        mx = event->motion.x;
        my = event->motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN: // any button, the wheel's too
        fx++;
        if (fx > maxfx)
            fx = 0;
        break;
    case SDL_QUIT:
        done = 1;
        break;
    }
    return done;
}

// A stop asked anywhere in the drain holds: the Escape press is often drained together with
// its own release, and a window close or a signal may be followed by any other event. An error
// text SDL leaves while it gathers events is its own, not the program's: a focus gained on a
// full-screen window (SDL 2, Wayland, a seat without a pointer) ends in a warp the display
// cannot do. It is cleared, so that the next frame's report is of that frame's calls.
int drainEvents()
{
    SDL_Event event;
    int done = 0;

    while (SDL_PollEvent(&event))
        if (HandleEvent(&event))
            done = 1;
    SDL_ClearError();
    return done;
}

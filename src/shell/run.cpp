// RunGLTest: start-up, the frame loop and shutdown.
#include "scene/camera.h"
#include "scene/grid.h"
#include "scene/input.h"
#include "shell/shell.h"
#include <cstdio>
#include <cstdlib>

constexpr int DEPTH_BITS = 16;    // depth buffer, bits
constexpr int FRAME_PAUSE_MS = 6; // pause in every frame; with the swap, the only pacing

// Channel sizes for the two colour depths the program asks for: red, green, blue bits.
static const int RGB_8BIT[3] = {2, 3, 3};
static const int RGB_16BIT[3] = {5, 5, 5};

// The scene is seeded before SDL starts, so its draws are the first the program makes.
// Once SDL_Init has succeeded, every way out passes through SDL_Quit.
int RunGLTest()
{
    int done = 0;
    int camcounter = 0;
    int bpp;
    const int *rgb_size;

    initCamera();
    seedGrid();

    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        exit(1);
    }

    if (SDL_GetVideoInfo()->vfmt->BitsPerPixel > 8) {
        bpp = 16;
        rgb_size = RGB_16BIT;
    } else {
        bpp = 8;
        rgb_size = RGB_8BIT;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, rgb_size[0]);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, rgb_size[1]);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, rgb_size[2]);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    if (SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, bpp, SDL_OPENGL | SDL_FULLSCREEN) ==
        nullptr) {
        fprintf(stderr, "Couldn't set GL mode: %s\n", SDL_GetError());
        SDL_Quit();
        exit(1);
    }
    SDL_ShowCursor(SDL_DISABLE);
    initGL();

    while (!done) {
        drawFrame(&camcounter);
        SDL_Delay(FRAME_PAUSE_MS);
        steerCamera(); // seen in the next frame's view
        SDL_GL_SwapBuffers();
        reportErrors();
        done = drainEvents();
    }

    SDL_Quit();
    return 0;
}

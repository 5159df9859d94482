// Opening the display: SDL's video, the full-screen OpenGL mode and its colour depth.
#include "scene/input.h"
#include "shell/shell.h"
#include <cstdio>
#include <cstdlib>

constexpr int DEPTH_BITS = 16; // depth buffer, bits

// Channel sizes for the two colour depths the program asks for: red, green, blue bits.
static const int RGB_8BIT[3] = {2, 3, 3};
static const int RGB_16BIT[3] = {5, 5, 5};

// A desktop of 8 bits or fewer gets an 8-bit mode, any deeper one a 16-bit mode. Once
// SDL_Init has succeeded, the failure exit passes through SDL_Quit. A mode set that succeeds
// may still leave an error text behind (the SDL 2 based SDL 1.2 does), and so may hiding the
// cursor: in full screen that asks for relative mouse mode, which SDL 2 on a Wayland seat
// without a pointer tries to emulate with a warp that Wayland does not allow. The first frame
// would report either text as the program's error: both are cleared.
void openDisplay()
{
    int bpp;
    const int *rgb_size;

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
    SDL_ClearError();
    initGL();
}

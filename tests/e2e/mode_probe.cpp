// mode_probe.so: preloaded into the real program (LD_PRELOAD), it prints on stderr the OpenGL
// attributes and the video mode the program asks SDL for, then passes each call on to the
// real SDL. It shows which colour depth the program chose even where the mode then fails.
#include "SDL.h"
#include <cstdio>
#include <dlfcn.h>

static const char *attributeName(SDL_GLattr attr)
{
    switch (attr) {
    case SDL_GL_RED_SIZE:
        return "SDL_GL_RED_SIZE";
    case SDL_GL_GREEN_SIZE:
        return "SDL_GL_GREEN_SIZE";
    case SDL_GL_BLUE_SIZE:
        return "SDL_GL_BLUE_SIZE";
    case SDL_GL_DEPTH_SIZE:
        return "SDL_GL_DEPTH_SIZE";
    case SDL_GL_DOUBLEBUFFER:
        return "SDL_GL_DOUBLEBUFFER";
    default:
        return "other attribute";
    }
}

int SDL_GL_SetAttribute(SDL_GLattr attr, int value)
{
    using Real = int (*)(SDL_GLattr, int);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_GL_SetAttribute"));
    fprintf(stderr, "probe: SDL_GL_SetAttribute(%s, %d)\n", attributeName(attr), value);
    return real(attr, value);
}

SDL_Surface *SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    using Real = SDL_Surface *(*)(int, int, int, Uint32);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_SetVideoMode"));
    fprintf(stderr, "probe: SDL_SetVideoMode(%d, %d, %d, 0x%08x)\n", width, height, bpp,
            unsigned(flags));
    return real(width, height, bpp, flags);
}

// Preloaded into the real program under memcheck: counts its frames by their buffer swaps and
// keeps the count in the file named by TOVREK_FRAME_FILE, so that a test can wait for them.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

extern "C" void SDL_GL_SwapBuffers()
{
    static void (*swap)() = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    static long frames;
    swap();
    if (FILE *file = fopen(getenv("TOVREK_FRAME_FILE"), "w")) {
        fprintf(file, "%ld\n", ++frames);
        fclose(file);
    }
}

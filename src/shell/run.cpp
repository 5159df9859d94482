// RunGLTest: start-up, the frame loop and shutdown.
#include "scene/camera.h"
#include "scene/grid.h"
#include "shell/shell.h"

constexpr int FRAME_PAUSE_MS = 6; // pause in every frame; with the swap, the only pacing

// The scene is seeded before SDL starts, so its draws are the first the program makes.
int RunGLTest()
{
    int done = 0;
    int camcounter = 0;

    initCamera();
    seedGrid();
    openDisplay();

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

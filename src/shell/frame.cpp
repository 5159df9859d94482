// One frame's drawing and its error report.
#include "scene/camera.h"
#include "scene/grid.h"
#include "shell/shell.h"
#include <GL/gl.h>
#include <cstdio>

void drawFrame(int *camcounter)
{
    float lox, loy, loz; // this frame's look point before steering

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    moveGrid();
    stepCamera(camcounter, &lox, &loy, &loz);
    glLoadIdentity();
    lookCamera(lox, loy, loz);
    drawGrid();
}

// glGetError is asked once a frame, so at most one code is printed a frame. The SDL text is
// cleared once printed, so a single error is reported once, not every frame after it.
void reportErrors()
{
    const GLenum gl_error = glGetError();
    if (gl_error != GL_NO_ERROR)
        fprintf(stderr, "tovrek: OpenGL error: %d\n", int(gl_error));

    const char *sdl_error = SDL_GetError();
    if (sdl_error != nullptr && sdl_error[0] != '\0') {
        fprintf(stderr, "tovrek: SDL error '%s'\n", sdl_error);
        SDL_ClearError();
    }
}

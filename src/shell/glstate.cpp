// initGL: the OpenGL state that holds for the whole run, set once before the first frame.
#include "scene/input.h"
#include "shell/shell.h"
#include <GL/gl.h>
#include <GL/glu.h>

constexpr double FIELD_OF_VIEW = 45.0; // vertical, degrees
constexpr float NEAR_PLANE = 0.1f;     // world units; single precision, as the aspect ratio
constexpr double FAR_PLANE = 4000.0;   // world units: past the farthest box

// Flat colours on white with depth testing; no lighting, blending, culling, fog or textures.
int initGL()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(1.0, 1.0, 1.0, 0.0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW, float(SCREEN_WIDTH) / float(SCREEN_HEIGHT), NEAR_PLANE,
                   FAR_PLANE);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 1;
}

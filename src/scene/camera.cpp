// The camera: drift between random targets, the look-at view and mouse steering.
#include "scene/camera.h"

#include "scene/input.h"
#include <GL/glu.h>
#include <cstdlib>

float camx, camy, camz;
float ocamx, ocamy, ocamz;
int sx, sy;

constexpr int TARGET_STEPS = 2000; // targets: (k - 1000) / 100 per axis, k in 0 .. 1999
constexpr double TARGET_OFFSET = 1000.0;
constexpr double TARGET_DIVISOR = 100.0;
constexpr int STEER_SHRINK = 2;          // pointer pixels per steering step
constexpr double STEER_Y_DIVISOR = 6.0;  // steering steps per world unit along y
constexpr double STEER_Z_SCALE = 0.0625; // world units along z per steering step

void initCamera()
{
    camx = 0;
    camy = 10;
    camz = 10;
    ocamx = 10;
    ocamy = 100;
    ocamz = 10;
}

static float randomTarget()
{
    return (rand() % TARGET_STEPS - TARGET_OFFSET) / TARGET_DIVISOR;
}

void stepCamera(int *camcounter, float *lox, float *loy, float *loz)
{
    ++*camcounter;
    if (*camcounter > DRIFT_FRAMES) {
        ocamx = camx;
        ocamy = camy;
        ocamz = camz;
        camx = randomTarget();
        camy = randomTarget();
        camz = randomTarget();
        *camcounter = 0;
    }
    *lox = ocamx + (camx - ocamx) / double(DRIFT_FRAMES) * *camcounter;
    *loy = ocamy + (camy - ocamy) / double(DRIFT_FRAMES) * *camcounter;
    *loz = ocamz + (camz - ocamz) / double(DRIFT_FRAMES) * *camcounter;
}

// The pointer's horizontal offset moves the look point along z and its vertical offset
// along y; window y grows downward, so a lower pointer raises the view.
void lookCamera(float lox, float loy, float loz)
{
    gluLookAt(0, 0, 0, lox, loy + sy / STEER_Y_DIVISOR, loz + sx * STEER_Z_SCALE, 0, 1, 0);
}

// Integer division truncates toward zero, so a pointer one pixel off centre does not steer.
void steerCamera()
{
    sx = (mx - SCREEN_WIDTH / 2) / STEER_SHRINK;
    sy = (my - SCREEN_HEIGHT / 2) / STEER_SHRINK;
}

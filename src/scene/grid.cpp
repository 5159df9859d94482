// The box field: seeding, the per-frame advance and wrap, and drawing.
#include "scene/grid.h"

#include "scene/input.h"
#include <GL/gl.h>
#include <cstdlib>

float mygrid[NUMBOXES][GRIDSLOTS];

// Seeding: |x| of a corner in 1 .. 800, y and z in -600 .. 599; extents 1.5 + k / 30 with
// k in 0 .. 1599; speeds 2.4 + k / 16 units per frame with k in 0 .. 799.
constexpr int X_RANGE = 800;
constexpr int YZ_SPAN = 1200;
constexpr int YZ_OFFSET = 600;
constexpr int EXTENT_STEPS = 1600;
constexpr double EXTENT_DIVISOR = 30.0;
constexpr double EXTENT_MIN = 1.5;
constexpr int SPEED_STEPS = 800;
constexpr double SPEED_STEP = 0.0625;
constexpr double SPEED_MIN = 2.4;

constexpr double WRAP_DEPTH = -1900.0; // a box whose z falls below this re-enters at -z

// A grey wrap takes k / 100, k in 0 .. 49.
constexpr int GREY_LEVELS = 50;
constexpr double GREY_DIVISOR = 100.0;

static float randomExtent()
{
    return rand() % EXTENT_STEPS / EXTENT_DIVISOR + EXTENT_MIN;
}

// Each statement takes one draw, so the order of the lines is the order of the draws.
void seedGrid()
{
    for (float *box : mygrid) {
        box[GX] = rand() % X_RANGE + 1;
        box[GY] = rand() % YZ_SPAN - YZ_OFFSET;
        box[GZ] = rand() % YZ_SPAN - YZ_OFFSET;
        box[GW] = randomExtent();
        box[GH] = randomExtent();
        box[GD] = randomExtent();
        box[GR] = box[GG] = box[GB] = 0;
        box[GSPEED] = rand() % SPEED_STEPS * SPEED_STEP + SPEED_MIN;
        // Half the boxes go left of x = 0, growing away from it, so the plane stays free.
        if (rand() % 2 == 0) {
            box[GX] = -box[GX];
            box[GW] = -box[GW];
        }
    }
}

// A wrap takes its colour draw even when the colour comes out black, so the draws that
// follow in the frame (other wraps, the camera) stay where they always fall.
static void recolour(float *box)
{
    float grey = 0;
    if (fx == 1 && rand() % 2 == 0)
        grey = rand() % GREY_LEVELS / GREY_DIVISOR;
    else
        (void)rand();
    box[GR] = box[GG] = box[GB] = grey;
}

void moveGrid()
{
    for (float *box : mygrid) {
        box[GZ] -= box[GSPEED];
        if (box[GZ] < WRAP_DEPTH) {
            box[GZ] = -box[GZ];
            recolour(box);
        }
    }
}

void drawGrid()
{
    glBegin(GL_QUADS);
    for (const float *box : mygrid)
        drawrealcube(box[GX], box[GY], box[GZ], box[GW], box[GH], box[GD], box[GR], box[GG],
                     box[GB]);
    glEnd();
}

// Six quads, flat-coloured: no normals, since nothing is lit.
void drawrealcube(float x, float y, float z, float w, float h, float d, float r, float g, float b)
{
    const float x1 = x + w, y1 = y + h, z1 = z + d;

    glColor3f(r, g, b);

    glVertex3f(x, y, z); // near face, plane z
    glVertex3f(x1, y, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x, y1, z);

    glVertex3f(x, y, z1); // far face, plane z1
    glVertex3f(x1, y, z1);
    glVertex3f(x1, y1, z1);
    glVertex3f(x, y1, z1);

    glVertex3f(x, y, z); // plane x
    glVertex3f(x, y1, z);
    glVertex3f(x, y1, z1);
    glVertex3f(x, y, z1);

    glVertex3f(x1, y, z); // plane x1
    glVertex3f(x1, y, z1);
    glVertex3f(x1, y1, z1);
    glVertex3f(x1, y1, z);

    glVertex3f(x, y1, z); // top, plane y1
    glVertex3f(x1, y1, z);
    glVertex3f(x1, y1, z1);
    glVertex3f(x, y1, z1);

    glVertex3f(x, y, z); // bottom, plane y
    glVertex3f(x1, y, z);
    glVertex3f(x1, y, z1);
    glVertex3f(x, y, z1);
}

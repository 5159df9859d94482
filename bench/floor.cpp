// The precomputed box batch of the floors.
#include "floor.h"

#include <GL/gl.h>

// Per vertex, which corner it takes on each axis: 0 the box's corner, 1 the far side.
static const unsigned char CORNERS[BOX_VERTICES][3] = {
    {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, // plane z
    {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}, // plane z1
    {0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}, // plane x
    {1, 0, 0}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}, // plane x1
    {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}, // plane y1
    {0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, // plane y
};

void captureBoxes(BoxBatch *batch)
{
    for (int row = 0; row < NUMBOXES; row++) {
        const float *box = mygrid[row];
        const float sides[3][2] = {{box[GX], box[GX] + box[GW]},
                                   {box[GY], box[GY] + box[GH]},
                                   {box[GZ], box[GZ] + box[GD]}};
        for (int channel = 0; channel < 3; channel++)
            batch->colours[row][channel] = box[GR + channel];
        for (int vertex = 0; vertex < BOX_VERTICES; vertex++)
            for (int axis = 0; axis < 3; axis++)
                batch->vertices[row * BOX_VERTICES + vertex][axis] =
                    sides[axis][CORNERS[vertex][axis]];
    }
}

void drawBoxes(const BoxBatch &batch)
{
    const float(*vertex)[3] = batch.vertices;
    glBegin(GL_QUADS);
    for (const float *colour : batch.colours) {
        glColor3f(colour[0], colour[1], colour[2]);
        for (int corner = 0; corner < BOX_VERTICES; corner++, vertex++)
            glVertex3f((*vertex)[0], (*vertex)[1], (*vertex)[2]);
    }
    glEnd();
}

// The floors the frame benchmarks measure against: the box batch the program submits, with
// every argument computed beforehand, so that drawing it costs the GL calls and nothing else.
#pragma once

#include "scene/grid.h"

constexpr int BOX_VERTICES = 24; // four per face, six faces

// One frame's box batch: a colour per box, then its vertices, in the program's order.
struct BoxBatch {
    float colours[NUMBOXES][3];
    float vertices[NUMBOXES * BOX_VERTICES][3];
};

// Fills *batch with the boxes as mygrid holds them now, vertex for vertex as drawGrid emits them.
void captureBoxes(BoxBatch *batch);

// glBegin(GL_QUADS), per box one glColor3f and its 24 glVertex3f, glEnd: the program's calls.
void drawBoxes(const BoxBatch &batch);

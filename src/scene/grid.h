// The box field: a fixed table of boxes that stream toward -z and re-enter mirrored at +z.
#pragma once

constexpr int NUMBOXES = 1500; // boxes in the field

// The slots of one row of mygrid: corner, extents, colour, speed; two spare slots.
enum { GX, GY, GZ, GW, GH, GD, GR, GG, GB, GSPEED, GRIDSLOTS = 12 };

extern float mygrid[NUMBOXES][GRIDSLOTS]; // per box: world units, colour 0..1, units per frame

// Fills every row from rand(), eight draws a row in a fixed order: the program's first draws.
void seedGrid();

// Moves every row toward -z by its speed; a row past the wrap depth is mirrored to +z and
// recoloured by the effect mode fx.
void moveGrid();

// Submits every box, in table order, inside one GL_QUADS batch.
void drawGrid();

// Emits one box from (x, y, z) to (x + w, y + h, z + d): its colour, then 24 vertices.
// The caller has opened the GL_QUADS batch.
void drawrealcube(float x, float y, float z, float w, float h, float d, float r, float g, float b);

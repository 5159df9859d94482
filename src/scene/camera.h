// The camera: the viewer stays at the origin while the look point drifts from one random
// target to the next and is steered by the mouse.
#pragma once

constexpr int DRIFT_FRAMES = 70; // frames the look point takes from one target to the next

extern float camx;  // current camera target x, world units
extern float camy;  // current camera target y, world units
extern float camz;  // current camera target z, world units
extern float ocamx; // previous camera target x, world units
extern float ocamy; // previous camera target y, world units
extern float ocamz; // previous camera target z, world units
extern int sx;      // horizontal steering: half the pointer's offset from the centre, pixels
extern int sy;      // vertical steering: half the pointer's offset from the centre, pixels

// Sets the first pair of targets: the view starts aimed steeply up and sweeps down.
void initCamera();

// Counts one frame in *camcounter, retargets every DRIFT_FRAMES + 1 frames (three rand()
// draws), and yields the look point of this frame before steering.
void stepCamera(int *camcounter, float *lox, float *loy, float *loz);

// Multiplies the look-at transform, from the eye at the origin to the steered look point,
// onto the current matrix.
void lookCamera(float lox, float loy, float loz);

// Recomputes sx, sy from the last mouse position; the next frame's view uses them.
void steerCamera();

// The program's own cost of a frame, with GL, GLU and SDL replaced by no-op stand-ins: the box
// field's advance alone, and the drawn frame beside a floor that makes the same calls with
// every argument computed beforehand. The floor reads its precomputed vertices from memory
// several times the size of the program's table, so the frame may come out under its floor.
#include "fakes.h"
#include "floor.h"
#include "scene/camera.h"
#include "shell/shell.h"
#include <GL/glu.h>
#include <benchmark/benchmark.h>

static BoxBatch batch; // the floor's arguments: one frame of the seeded field

// A freshly started scene whose stand-ins only answer, as far as the benchmarks are concerned.
static void startScene()
{
    fake = Fakes();
    fake.recording = false;
    initCamera();
    seedGrid();
}

static void advance(benchmark::State &state)
{
    startScene();
    for (auto _ : state) {
        moveGrid();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * NUMBOXES);
}
BENCHMARK(advance);

// The drawing of a frame: clear, advance, camera step, view, the one box batch.
static void frame(benchmark::State &state)
{
    startScene();
    int camcounter = 0;
    for (auto _ : state) {
        drawFrame(&camcounter);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(frame);

// The same calls as frame's, in the same order, with nothing computed.
static void frameFloor(benchmark::State &state)
{
    startScene();
    int camcounter = 0;
    float lox, loy, loz;
    moveGrid();
    stepCamera(&camcounter, &lox, &loy, &loz);
    captureBoxes(&batch);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glLoadIdentity();
        gluLookAt(0, 0, 0, lox, loy, loz, 0, 1, 0);
        drawBoxes(batch);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(frameFloor);

BENCHMARK_MAIN();

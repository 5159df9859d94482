// One real frame on the display's OpenGL (Mesa's software renderer on a virtual display),
// without the frame's pause, beside a floor frame that clears and draws the same boxes from
// precomputed vertices on the same context. Both end in glFinish, so that the renderer's work
// is inside the time and not left to the next frame; the time is wall-clock, since the renderer
// draws on threads of its own and the server copies the picture.
#include "floor.h"
#include "scene/camera.h"
#include "shell/shell.h"
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The frames measured: eight from the first few drift segments, none of them a retarget (whose
// random target would differ on a rerun), so that each run of a frame draws the same picture.
constexpr int SAMPLES = 8;
constexpr int SAMPLE_SPACING = 25; // frames between samples, starting with frame 25

// The scene before a sampled frame, and what that frame drew.
static float grids[SAMPLES][NUMBOXES][GRIDSLOTS];
static float targets[SAMPLES][6]; // camx, camy, camz, ocamx, ocamy, ocamz
static int counters[SAMPLES], steering[SAMPLES][2];
static BoxBatch batches[SAMPLES];
static float views[SAMPLES][16]; // the model-view matrix the frame drew with

static void saveScene(int sample, int camcounter)
{
    memcpy(grids[sample], mygrid, sizeof mygrid);
    const float now[6] = {camx, camy, camz, ocamx, ocamy, ocamz};
    memcpy(targets[sample], now, sizeof now);
    counters[sample] = camcounter;
    steering[sample][0] = sx;
    steering[sample][1] = sy;
}

static void restoreScene(int sample, int *camcounter)
{
    memcpy(mygrid, grids[sample], sizeof mygrid);
    const float *t = targets[sample];
    camx = t[0], camy = t[1], camz = t[2], ocamx = t[3], ocamy = t[4], ocamz = t[5];
    *camcounter = counters[sample];
    sx = steering[sample][0];
    sy = steering[sample][1];
}

// Runs the program's frames from the start and keeps the samples; then checks that a sample,
// restored, draws with the view it drew with the first time.
static void takeSamples()
{
    int camcounter = 0;
    for (int frame = 1, sample = 0; sample < SAMPLES; frame++) {
        const bool sampled = frame % SAMPLE_SPACING == 0;
        if (sampled)
            saveScene(sample, camcounter);
        drawFrame(&camcounter);
        if (sampled) {
            captureBoxes(&batches[sample]);
            glGetFloatv(GL_MODELVIEW_MATRIX, views[sample]);
            sample++;
        }
        steerCamera();
        SDL_GL_SwapBuffers();
    }
    for (int sample = 0; sample < SAMPLES; sample++) {
        float view[16];
        restoreScene(sample, &camcounter);
        drawFrame(&camcounter);
        glGetFloatv(GL_MODELVIEW_MATRIX, view);
        if (memcmp(view, views[sample], sizeof view) != 0) {
            fprintf(stderr, "sample %d draws with another view when rerun\n", sample);
            exit(1);
        }
    }
}

// The frame's steps without the pause: the drawing, the steering, swap, error report, drain.
static void realFrame(benchmark::State &state)
{
    int camcounter = 0, sample = 0;
    for (auto _ : state) {
        state.PauseTiming();
        restoreScene(sample, &camcounter);
        sample = (sample + 1) % SAMPLES;
        state.ResumeTiming();

        drawFrame(&camcounter);
        steerCamera();
        SDL_GL_SwapBuffers();
        reportErrors();
        drainEvents();
        glFinish();
    }
}
BENCHMARK(realFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Clear, the sample's view, the same boxes from the precomputed batch, swap.
static void realFrameFloor(benchmark::State &state)
{
    int sample = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int drawn = sample;
        sample = (sample + 1) % SAMPLES;
        state.ResumeTiming();

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadMatrixf(views[drawn]);
        drawBoxes(batches[drawn]);
        SDL_GL_SwapBuffers();
        glFinish();
    }
}
BENCHMARK(realFrameFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    initCamera();
    seedGrid();
    openDisplay();
    takeSamples();
    benchmark::AddCustomContext("gl_renderer", (const char *)glGetString(GL_RENDERER));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}

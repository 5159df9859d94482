// The program against the stand-ins: whole runs compared with their golden records in
// tests/golden/, and the box field's wrap at its very depth, which no run of the field meets.
#include "fakes.h"
#include "golden.h"
#include "scene/camera.h"
#include "scene/grid.h"
#include "scene/input.h"
#include "shell/shell.h"
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

// An event of a type: for a key, a is its symbol; for a motion, (a, b) is the position.
static SDL_Event event(int type, int a = 0, int b = 0)
{
    SDL_Event e{Uint8(type)};
    e.key.keysym.sym = SDLKey(a);
    if (type == SDL_MOUSEMOTION)
        e.motion = {e.type, 0, 0, Uint16(a), Uint16(b), 0, 0};
    return e;
}

// A program that has not run: zeroed globals, the stand-ins' defaults, and glibc's generator
// as an unseeded program finds it.
static void fresh()
{
    fake = Fakes();
    srand(1);
    memset(mygrid, 0, sizeof mygrid);
    mx = my = fx = sx = sy = 0;
}

// Runs the program with the stand-ins as setup leaves them: its calls, how it ended, stderr.
static std::string run(const std::function<void()> &setup)
{
    fresh();
    setup();
    testing::internal::CaptureStderr();
    if (setjmp(fake.exit) == 0)
        fake.record += "RunGLTest() = " + std::to_string(RunGLTest()) + "\n";
    return fakeRecord() + "stderr:\n" + testing::internal::GetCapturedStderr();
}

// 72 frames, the 71st retargeting. The pointer starts at (0, 0), so frame 2 is steered fully;
// the motions of frames 1 and 3 steer frames 3 and 5, truncated toward zero. Keys coded above
// and below Escape do nothing. The grey mode is on from frame 6 to 50; the quit comes amid
// other events. The swaps of frames 2 and 4 raise an SDL text, not ASCII and ASCII, and frames 2
// and 3 have an OpenGL error.
static void longRun()
{
    const SDL_Event press = event(SDL_MOUSEBUTTONDOWN), escape_up = event(SDL_KEYUP, SDLK_ESCAPE);
    std::vector<SDL_Event> drains[72]; // frame 1's first
    fake.events.clear();
    drains[0] = {event(SDL_MOUSEMOTION, 399, 301), event(SDL_KEYDOWN, 'a'), escape_up};
    drains[2] = {event(SDL_MOUSEMOTION, 398, 297), event(SDL_KEYDOWN, SDLK_RETURN)};
    drains[4] = {press};
    drains[29] = {press, press};
    drains[49] = {event(SDL_ACTIVEEVENT), press};
    drains[71] = {event(SDL_KEYDOWN, SDLK_ESCAPE), event(SDL_MOUSEMOTION), escape_up};
    for (const auto &drain : drains) {
        fake.events.insert(fake.events.end(), drain.begin(), drain.end());
        fake.events.push_back(event(SDL_NOEVENT));
    }
    fake.swap_errors = {"", "“Invalid window”", "", "Invalid window"};
    fake.gl_errors = {GL_NO_ERROR, GL_INVALID_OPERATION, GL_OUT_OF_MEMORY};
}

TEST(Runs, MatchTheirGoldenRecords)
{
    for (Uint8 bits : {4, 8})
        expectGolden("start_8bit", run([bits] { fake.bits_per_pixel = bits; }));
    expectGolden("no_sdl", run([] { fake.init = -1, fake.error = "No available video device"; }));
    expectGolden("no_mode", run([] { fake.mode_fails = true, fake.error = "No matching visual"; }));
    expectGolden("long_run", run(longRun));
}

// One box of a still field, preset grey, through one advance: z, speed, mode and the draws
// scripted; z, colour and the draws taken after. The long run's hashes of every draw, colour and
// vertex pin the rest: the seeding, each face's corners, and the recolouring in either mode.
TEST(BoxField, WrapsStrictlyBelowTheDepthMirroredAndRecolouredByTheMode)
{
    const std::tuple<float, float, int, std::deque<int>, float, float, long> cases[] = {
        {-1890, 10, 1, {}, -1900, 0.3f, 0},       // landing on the depth: no wrap
        {-1899.5f, 0.75f, 0, {}, 1900.25f, 0, 1}, // just below it: a wrap
    };
    for (const auto &[z, speed, mode, draws, z_after, colour, taken] : cases) {
        fresh();
        float *box = mygrid[7];
        box[GZ] = z, box[GSPEED] = speed, box[GR] = box[GG] = box[GB] = 0.3f;
        fx = mode, fake.rand = draws;
        moveGrid();
        EXPECT_EQ(std::make_tuple(box[GZ], box[GR], box[GG], box[GB], fake.run["rand"]),
                  std::make_tuple(z_after, colour, colour, colour, taken));
    }
}

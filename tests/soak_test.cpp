// Long runs and hostile input: the scene's invariants over a million frames with the effect
// mode toggled at random, and the event drain under floods and extreme values.
#include "scene/camera.h"
#include "scene/grid.h"
#include "scene/input.h"
#include "shell/shell.h"
#include "support.h"
#include <cmath>

constexpr long SOAK_FRAMES = 1000000;
constexpr unsigned SOAK_SEED = 7;  // any fixed seed: the same toggles on every run
constexpr int TOGGLE_ODDS = 64;    // one frame in this many presses a mouse button
constexpr int SWEEP_FRAMES = 1024; // every colour is checked this often; wrapped ones every frame
constexpr float HIGHEST_Z = 1952.3375f; // the fastest box mirrored from just past -1900
constexpr int GREY_LEVELS = 50;

// Black, or the same grey k / 100 with k in 0 .. 49 on all three channels.
static bool flatGrey(const float *box)
{
    const float level = box[GR];
    const long k = std::lround(level * 100.0);
    return box[GG] == level && box[GB] == level && k >= 0 && k < GREY_LEVELS &&
           level == float(k / 100.0);
}

// A camera target: hundredths from -10.00 to 9.99, or one of the start-up values.
static bool validTarget(float value)
{
    const bool start = value == 0 || value == 10 || value == 100;
    return start ||
           (value >= -10 && value <= 9.99f && value == float(std::lround(value * 100) / 100.0));
}

// Each frame: a press now and then, the advance, the camera step; then the draws are what the
// wraps (seen as z jumping up) and the retarget call for, and every value stays in range.
TEST_F(Program, AMillionFramesKeepEveryValueInRangeAndEveryDrawAccountedFor)
{
    fake_recording = false;
    initCamera();
    seedGrid();
    float fastest = 0, previous_z[NUMBOXES];
    for (int row = 0; row < NUMBOXES; row++) {
        fastest = std::max(fastest, mygrid[row][GSPEED]);
        previous_z[row] = mygrid[row][GZ];
    }
    const float lowest_z = -1900.0f - fastest;
    std::mt19937 random(SOAK_SEED);
    long expected_draws = fake_draws, greys = 0;
    int camcounter = 0;
    float lox, loy, loz;

    for (long frame = 1; frame <= SOAK_FRAMES; frame++) {
        if (random() % TOGGLE_ODDS == 0) {
            SDL_Event press = buttonDown(SDL_BUTTON_LEFT);
            HandleEvent(&press);
        }
        ASSERT_TRUE(fx == 0 || fx == 1) << "frame " << frame;
        moveGrid();
        stepCamera(&camcounter, &lox, &loy, &loz);

        const bool sweep = frame % SWEEP_FRAMES == 0;
        for (int row = 0; row < NUMBOXES; row++) {
            const float *box = mygrid[row];
            const bool wrapped = box[GZ] > previous_z[row];
            ASSERT_TRUE(box[GZ] >= lowest_z && box[GZ] <= HIGHEST_Z)
                << "frame " << frame << " row " << row << " z " << box[GZ];
            if (wrapped || sweep) {
                ASSERT_TRUE(flatGrey(box)) << "frame " << frame << " row " << row << " colour "
                                           << box[GR] << " " << box[GG] << " " << box[GB];
            }
            expected_draws += wrapped ? (fx == 1 ? 2 : 1) : 0;
            greys += wrapped && box[GR] != 0;
            previous_z[row] = box[GZ];
        }
        expected_draws += camcounter == 0 ? 3 : 0;
        ASSERT_EQ(fake_draws, expected_draws) << "frame " << frame;
        ASSERT_TRUE(std::isfinite(lox) && std::isfinite(loy) && std::isfinite(loz))
            << "frame " << frame;
        for (float target : {camx, camy, camz, ocamx, ocamy, ocamz})
            ASSERT_TRUE(validTarget(target)) << "frame " << frame << " target " << target;
    }
    EXPECT_GT(greys, 0) << "the grey mode was on at some wraps";
}

constexpr int FLOOD = 100000; // events in one drain
constexpr unsigned FLOOD_SEED = 11;
constexpr double LOOK_LIMIT = 6000; // |look point| with the pointer anywhere in 0 .. 65535

// A drain of FLOOD random events that do not ask to stop, with stop at the given place.
static std::vector<SDL_Event> flood(int stop_at, SDL_Event stop)
{
    std::mt19937 random(FLOOD_SEED);
    std::vector<SDL_Event> events;
    for (int i = 0; i < FLOOD; i++)
        events.push_back(i == stop_at ? stop : randomEvent(random));
    return events;
}

// Whatever arrives, the input state holds what the events said, the look point stays finite
// and a stop anywhere in a drain ends the loop after that frame.
TEST_F(Program, FloodsAndExtremeEventsKeepTheStateInBoundsAndStillQuit)
{
    const SDL_Event escape = keyDown(SDLK_ESCAPE), none = eventOfType(SDL_NOEVENT);
    const struct {
        const char *what;
        std::deque<std::vector<SDL_Event>> drains;
        size_t frames;
    } cases[] = {
        {"a flood, then a quit two frames later", {flood(-1, none), {}, {quitRequest()}}, 3},
        {"a quit request amid a flood", {flood(FLOOD / 2, quitRequest())}, 1},
        {"Escape first in a flood", {flood(0, escape)}, 1},
        {"a quit request last in a flood", {flood(FLOOD - 1, quitRequest())}, 1},
        {"the pointer at each corner of 0 .. 65535",
         {{mouseMotion(0, 0)},
          {mouseMotion(65535, 65535)},
          {mouseMotion(0, 65535)},
          {mouseMotion(65535, 0)},
          {},
          {quitRequest()}},
         6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        int presses = 0, last_x = 0, last_y = 0;
        for (const std::vector<SDL_Event> &drain : c.drains)
            for (const SDL_Event &event : drain) {
                presses += event.type == SDL_MOUSEBUTTONDOWN;
                if (event.type == SDL_MOUSEMOTION)
                    last_x = event.motion.x, last_y = event.motion.y;
            }
        fake_drains = c.drains;

        EXPECT_EQ(RunGLTest(), 0);

        EXPECT_TRUE(fake_drains.empty());
        EXPECT_EQ(callsStartingWith("SDL_GL_SwapBuffers").size(), c.frames);
        EXPECT_EQ(fx, presses % 2);
        EXPECT_EQ(mx, last_x);
        EXPECT_EQ(my, last_y);
        for (const std::string &line : callsStartingWith("gluLookAt"))
            for (double value : numbersIn(line))
                ASSERT_TRUE(std::isfinite(value) && std::fabs(value) < LOOK_LIMIT) << line;
    }
}

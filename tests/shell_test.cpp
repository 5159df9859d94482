// The shell against the stand-ins: start-up, the frame's steps, errors and the event drain.
#include "scene/camera.h"
#include "scene/grid.h"
#include "scene/input.h"
#include "shell/shell.h"
#include "support.h"

static const std::vector<std::string> START_UP_AFTER_MODE = {
    "SDL_ShowCursor(toggle = 0)",
    "glShadeModel(mode = GL_SMOOTH)",
    "glClearColor(red = 1, green = 1, blue = 1, alpha = 0)",
    "glClearDepth(depth = 1)",
    "glEnable(cap = GL_DEPTH_TEST)",
    "glDepthFunc(func = GL_LEQUAL)",
    "glHint(target = GL_PERSPECTIVE_CORRECTION_HINT, mode = GL_NICEST)",
    "glViewport(x = 0, y = 0, width = 800, height = 600)",
    "glMatrixMode(mode = GL_PROJECTION)",
    "glLoadIdentity()",
    "gluPerspective(fovy = 45, aspect = 1.3333333730697632, zNear = 0.10000000149011612, "
    "zFar = 4000)",
    "glMatrixMode(mode = GL_MODELVIEW)",
    "glLoadIdentity()",
};

// The calls up to the video mode, for a display format of the given depth.
static std::vector<std::string> startUpToMode(int red, int green, int blue, int depth)
{
    return {
        "[12000 x rand]",
        "SDL_Init(flags = 0x00000020)",
        "SDL_GetVideoInfo()",
        "SDL_GL_SetAttribute(attr = SDL_GL_RED_SIZE, value = " + std::to_string(red) + ")",
        "SDL_GL_SetAttribute(attr = SDL_GL_GREEN_SIZE, value = " + std::to_string(green) + ")",
        "SDL_GL_SetAttribute(attr = SDL_GL_BLUE_SIZE, value = " + std::to_string(blue) + ")",
        "SDL_GL_SetAttribute(attr = SDL_GL_DEPTH_SIZE, value = 16)",
        "SDL_GL_SetAttribute(attr = SDL_GL_DOUBLEBUFFER, value = 1)",
        "SDL_SetVideoMode(width = 800, height = 600, bpp = " + std::to_string(depth) +
            ", flags = 0x80000002)",
    };
}

static std::vector<std::string> operator+(std::vector<std::string> a,
                                          const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A run whose first frame's drain asks to stop: seeding, start-up, exactly one frame, shutdown.
TEST_F(Program, StartsUpDrawsOneFrameAndQuits)
{
    const std::vector<std::string> frame = {
        "glClear(mask = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)",
        "glLoadIdentity()",
        "glLoadIdentity()",
        "gluLookAt(eye = (0, 0, 0), center = (9.857142448425293, 98.71428680419922, 10), "
        "up = (0, 1, 0))",
        "glBegin(mode = GL_QUADS)",
        "[1500 x glColor3f, 36000 x glVertex3f]",
        "glEnd()",
        "SDL_Delay(ms = 6)",
        "SDL_GL_SwapBuffers()",
        "glGetError()",
        "SDL_GetError()",
        "SDL_PollEvent() = SDL_QUIT",
        "SDL_PollEvent() = 0",
        "SDL_Quit()",
    };
    const struct {
        int bits_per_pixel, red, green, blue, depth;
    } formats[] = {
        {4, 2, 3, 3, 8},   {8, 2, 3, 3, 8},   {15, 5, 5, 5, 16},
        {16, 5, 5, 5, 16}, {24, 5, 5, 5, 16}, {32, 5, 5, 5, 16},
    };
    for (const auto &format : formats) {
        SCOPED_TRACE("display format of " + std::to_string(format.bits_per_pixel) + " bits");
        SetUp();
        fake_bits_per_pixel = format.bits_per_pixel;
        fake_drains = {{quitRequest()}};

        EXPECT_EQ(RunGLTest(), 0);

        EXPECT_EQ(joined(fakeCalls()),
                  joined(startUpToMode(format.red, format.green, format.blue, format.depth) +
                         START_UP_AFTER_MODE + frame));
    }
}

TEST_F(Program, StartUpFailuresPrintOneLineAndExitWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");

    fake_init_result = -1;
    fake_sdl_error = "No available video device";
    EXPECT_EXIT(
        {
            fakeDumpCallsAtExit();
            RunGLTest();
        },
        testing::ExitedWithCode(1),
        exactly("Couldn't initialize SDL: No available video device\n" +
                joined({"[12000 x rand]", "SDL_Init(flags = 0x00000020)", "SDL_GetError()"})));

    fake_init_result = 0;
    fake_mode_fails = true;
    fake_bits_per_pixel = 8;
    fake_sdl_error = "Couldn't find matching GLX visual";
    EXPECT_EXIT(
        {
            fakeDumpCallsAtExit();
            RunGLTest();
        },
        testing::ExitedWithCode(1),
        exactly("Couldn't set GL mode: Couldn't find matching GLX visual\n" +
                joined(startUpToMode(2, 3, 3, 8) +
                       std::vector<std::string>{"SDL_GetError()", "SDL_Quit()"})));
}

// An error that stays pending would otherwise be printed every frame.
TEST_F(Program, ErrorsAreReportedOncePerFrameAndSdlTextIsCleared)
{
    fake_sdl_error = "Invalid window";
    fake_gl_errors = {GL_NO_ERROR, GL_INVALID_OPERATION, GL_NO_ERROR, GL_OUT_OF_MEMORY};
    fake_drains = {{}, {}, {}, {quitRequest()}};

    testing::internal::CaptureStderr();
    RunGLTest();
    const std::string stderr_text = testing::internal::GetCapturedStderr();

    EXPECT_EQ(stderr_text, "tovrek: SDL error 'Invalid window'\n"
                           "tovrek: OpenGL error: 1282\n"
                           "tovrek: OpenGL error: 1285\n");
    EXPECT_EQ(callsStartingWith("glGetError").size(), 4u);
    EXPECT_EQ(callsStartingWith("SDL_ClearError").size(), 1u);
}

// Every event reaches HandleEvent in order; a stop asked anywhere in a drain ends the loop
// after that frame, and the script runs out (aborting the test) if the loop goes on.
TEST_F(Program, LoopStopsAfterTheFrameWhoseDrainAskedToStop)
{
    const SDL_Event escape = keyDown(SDLK_ESCAPE), button = buttonDown(SDL_BUTTON_LEFT);
    const struct {
        const char *what;
        std::deque<std::vector<SDL_Event>> drains;
        size_t frames;
        int mode_after;
    } cases[] = {
        {"Escape alone", {{escape}}, 1, 0},
        {"Escape and its own release", {{escape, keyUp(SDLK_ESCAPE)}}, 1, 0},
        {"Escape, then a motion", {{escape, mouseMotion(5, 5)}}, 1, 0},
        {"window close, then a key", {{quitRequest(), keyDown(SDLK_a)}}, 1, 0},
        {"Escape amid other events", {{}, {mouseMotion(1, 1), escape, button}}, 2, 1},
        {"other keys, releases, empty drains",
         {{keyDown(SDLK_a), keyUp(SDLK_ESCAPE)}, {eventOfType(SDL_MOUSEBUTTONUP)}, {}, {escape}},
         4,
         0},
        {"one press turns grey mode on", {{button}, {escape}}, 2, 1},
        {"two presses cancel", {{button, buttonDown(SDL_BUTTON_RIGHT)}, {escape}}, 2, 0},
        {"three presses, any button", {{button}, {buttonDown(4), buttonDown(2)}, {escape}}, 3, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        fake_drains = c.drains;

        EXPECT_EQ(RunGLTest(), 0);

        EXPECT_EQ(callsStartingWith("SDL_GL_SwapBuffers").size(), c.frames);
        EXPECT_EQ(fx, c.mode_after);
        EXPECT_EQ(callsStartingWith("SDL_Quit").size(), 1u);
        EXPECT_EQ(fakeCalls().back(), "SDL_Quit()");
        EXPECT_TRUE(fake_drains.empty()) << "every scripted event was drained";
    }
}

TEST_F(Program, HandleEventUpdatesTheInputStateAndAsksToStop)
{
    const struct {
        const char *what;
        SDL_Event event;
        int mode_before;
        int result, mx, my, mode;
    } cases[] = {
        {"Escape", keyDown(SDLK_ESCAPE), 0, 1, 7, 9, 0},
        {"another key", keyDown(SDLK_q), 0, 0, 7, 9, 0},
        {"Escape released", keyUp(SDLK_ESCAPE), 0, 0, 7, 9, 0},
        {"motion", mouseMotion(123, 456), 0, 0, 123, 456, 0},
        {"motion at the far corner", mouseMotion(65535, 65535), 1, 0, 65535, 65535, 1},
        {"motion to the origin", mouseMotion(0, 0), 0, 0, 0, 0, 0},
        {"button from mode 0", buttonDown(SDL_BUTTON_LEFT), 0, 0, 7, 9, 1},
        {"button from mode 1", buttonDown(SDL_BUTTON_MIDDLE), 1, 0, 7, 9, 0},
        {"button released", eventOfType(SDL_MOUSEBUTTONUP), 1, 0, 7, 9, 1},
        {"window close", quitRequest(), 1, 1, 7, 9, 1},
        {"focus change", eventOfType(SDL_ACTIVEEVENT), 0, 0, 7, 9, 0},
        {"resize", eventOfType(SDL_VIDEORESIZE), 0, 0, 7, 9, 0},
        {"user event", eventOfType(SDL_USEREVENT), 0, 0, 7, 9, 0},
        {"unknown type", eventOfType(255), 1, 0, 7, 9, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        mx = 7;
        my = 9;
        fx = c.mode_before;
        SDL_Event event = c.event;

        EXPECT_EQ(HandleEvent(&event), c.result);

        EXPECT_EQ(mx, c.mx);
        EXPECT_EQ(my, c.my);
        EXPECT_EQ(fx, c.mode);
    }
}

// The offsets are recomputed after a frame's drawing, so a motion drained at the end of
// frame 1 is first seen in the view of frame 3.
TEST_F(Program, MouseMotionShowsInTheViewTwoFramesLater)
{
    std::vector<std::vector<double>> centres[2];
    for (int moved = 0; moved < 2; moved++) {
        SetUp();
        fake_drains = {{}, {}, {quitRequest()}};
        if (moved)
            fake_drains[0] = {mouseMotion(400, 300)};
        RunGLTest();
        for (const std::string &line : callsStartingWith("gluLookAt"))
            centres[moved].push_back(numbersIn(line));
    }

    ASSERT_EQ(centres[0].size(), 3u);
    ASSERT_EQ(centres[1].size(), 3u);
    EXPECT_EQ(centres[1][0], centres[0][0]);
    EXPECT_EQ(centres[1][1], centres[0][1]);
    EXPECT_EQ(centres[1][2][3], centres[0][2][3]) << "x is not steered";
    EXPECT_DOUBLE_EQ(centres[1][2][4] - centres[0][2][4], 25) << "pointer from 0 to 300: y";
    EXPECT_DOUBLE_EQ(centres[1][2][5] - centres[0][2][5], 12.5) << "pointer from 0 to 400: z";
}

// The box field draws first in a frame, the camera's retarget after it: the script's grey
// level reaches the box and the last three values the targets.
TEST_F(Program, FrameDrawsWrapColoursBeforeTheRetarget)
{
    initCamera();
    int camcounter = DRIFT_FRAMES;
    mygrid[0][GZ] = -1899;
    mygrid[0][GSPEED] = 5;
    fx = 1;
    fake_rand_script = {0, 42, 0, 1999, 1000};

    drawFrame(&camcounter);

    EXPECT_EQ(mygrid[0][GR], 0.42f);
    EXPECT_EQ(camx, -10);
    EXPECT_EQ(camy, 9.99f);
    EXPECT_EQ(camz, 0);
    EXPECT_EQ(fake_draws, 5);
}

// The camera: drift between targets, retargeting, the view and mouse steering.
#include "scene/camera.h"
#include "scene/input.h"
#include "support.h"
#include <cmath>

struct LookPoint {
    float x, y, z;
};

static LookPoint step(int *camcounter)
{
    LookPoint look;
    stepCamera(camcounter, &look.x, &look.y, &look.z);
    return look;
}

// The first segment runs 70 frames from (10, 100, 10) to (0, 10, 10); the 71st frame
// retargets with three draws, x then y then z, and looks at the old target exactly.
TEST_F(Program, LookPointDriftsSeventyFramesThenRetargets)
{
    int camcounter = 0;
    initCamera();

    LookPoint look = step(&camcounter);
    EXPECT_EQ(camcounter, 1);
    EXPECT_EQ(look.x, float(10 - 10 / 70.0));
    EXPECT_EQ(look.y, float(100 - 90 / 70.0));
    EXPECT_EQ(look.z, 10);

    for (int frame = 2; frame <= 70; frame++)
        look = step(&camcounter);
    EXPECT_EQ(fake_draws, 0);
    EXPECT_NEAR(look.x, 0, 1e-5);
    EXPECT_NEAR(look.y, 10, 1e-5);
    EXPECT_EQ(look.z, 10);

    fake_rand_script = {0, 1999, 1000};
    look = step(&camcounter);
    EXPECT_EQ(fake_draws, 3);
    EXPECT_EQ(camcounter, 0);
    EXPECT_EQ(look.x, 0);
    EXPECT_EQ(look.y, 10);
    EXPECT_EQ(look.z, 10);
    EXPECT_EQ(camx, -10);
    EXPECT_EQ(camy, 9.99f);
    EXPECT_EQ(camz, 0);

    look = step(&camcounter);
    EXPECT_EQ(look.x, float(-10 / 70.0));
    EXPECT_EQ(look.y, float(10 + (9.99f - 10) / 70.0));
    EXPECT_EQ(look.z, float(10 - 10 / 70.0));

    for (int frame = 73; frame <= 141; frame++)
        step(&camcounter);
    EXPECT_EQ(fake_draws, 3) << "later segments last 71 frames";
    step(&camcounter);
    EXPECT_EQ(fake_draws, 6);
}

TEST_F(Program, TargetsAreHundredthsFromMinusTenToNineNinetyNine)
{
    int camcounter = 0;
    float lowest = 0, highest = 0;
    initCamera();
    for (int segment = 0; segment < 2000; segment++) {
        for (int frame = 0; frame < 71; frame++)
            step(&camcounter);
        for (float target : {camx, camy, camz}) {
            EXPECT_EQ(target, float(std::round(target * 100) / 100.0)) << target;
            lowest = std::min(lowest, target);
            highest = std::max(highest, target);
        }
    }
    EXPECT_EQ(lowest, -10);
    EXPECT_EQ(highest, 9.99f);
}

TEST_F(Program, PointerOffsetFromTheCentreIsHalvedTowardZero)
{
    const struct {
        int mx, my, sx, sy;
    } cases[] = {
        {400, 300, 0, 0},     {399, 300, 0, 0},
        {401, 300, 0, 0},     {398, 300, -1, 0},
        {402, 302, 1, 1},     {400, 299, 0, 0},
        {400, 297, 0, -1},    {0, 0, -200, -150},
        {799, 599, 199, 149}, {65535, 65535, 32567, 32617},
    };
    for (const auto &c : cases) {
        mx = c.mx;
        my = c.my;
        steerCamera();
        EXPECT_EQ(sx, c.sx) << "mx " << c.mx;
        EXPECT_EQ(sy, c.sy) << "my " << c.my;
    }
}

// Horizontal steering moves the look point along z, vertical steering along y.
TEST_F(Program, ViewLooksFromTheOriginAtTheSteeredPoint)
{
    sx = -200;
    sy = 149;
    lookCamera(1.5f, 2.5f, 3.5f);
    sx = sy = 0;
    lookCamera(1.5f, 2.5f, 3.5f);

    EXPECT_EQ(joined(fakeCalls()),
              joined({"gluLookAt(eye = (0, 0, 0), center = (1.5, 27.333333333333332, -9), "
                      "up = (0, 1, 0))",
                      "gluLookAt(eye = (0, 0, 0), center = (1.5, 2.5, 3.5), up = (0, 1, 0))"}));
}

// The box field: seeding, the advance with its wrap and recolouring, and one box's vertices.
#include "scene/grid.h"
#include "scene/input.h"
#include "support.h"
#include <cmath>

// glibc's first sixteen draws after srand(1) are 1804289383 846930886 1681692777 1714636915
// 1957747793 424238335 719885386 1649760492 | 596516649 1189641421 1025202362 1350490027
// 783368690 1102520059 2044897763 1967513926: both rows below end on an even draw, so both
// are mirrored to negative x.
TEST_F(Program, SeedingTakesEightDrawsPerRowInTheirOrder)
{
    const float expected[2][GRIDSLOTS] = {
        {-584, 286, 177, float(-(115 / 30.0 + 1.5)), float(593 / 30.0 + 1.5),
         float(1535 / 30.0 + 1.5), 0, 0, 0, float(586 * 0.0625 + 2.4), 0, 0},
        {-650, 421, -238, float(-(427 / 30.0 + 1.5)), float(690 / 30.0 + 1.5),
         float(59 / 30.0 + 1.5), 0, 0, 0, float(163 * 0.0625 + 2.4), 0, 0},
    };

    seedGrid();

    EXPECT_EQ(fake_draws, 8 * NUMBOXES);
    for (int row = 0; row < 2; row++)
        for (int slot = 0; slot < GRIDSLOTS; slot++)
            EXPECT_EQ(mygrid[row][slot], expected[row][slot]) << "row " << row << " slot " << slot;
}

TEST_F(Program, SeededBoxesKeepClearOfTheCentrePlaneAndWithinTheirRanges)
{
    seedGrid();

    int left = 0;
    for (int row = 0; row < NUMBOXES; row++) {
        const float *box = mygrid[row];
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_GE(std::fabs(box[GX]), 1);
        EXPECT_LE(std::fabs(box[GX]), 800);
        EXPECT_EQ(std::signbit(box[GX]), std::signbit(box[GW])) << "w grows away from x = 0";
        for (int slot : {GX, GY, GZ})
            EXPECT_EQ(box[slot], std::floor(box[slot])) << "slot " << slot;
        for (int slot : {GY, GZ}) {
            EXPECT_GE(box[slot], -600);
            EXPECT_LE(box[slot], 599);
        }
        for (int slot : {GW, GH, GD}) {
            EXPECT_GE(std::fabs(box[slot]), 1.5f);
            EXPECT_LE(std::fabs(box[slot]), float(1599 / 30.0 + 1.5));
        }
        EXPECT_GE(box[GSPEED], 2.4f);
        EXPECT_LE(box[GSPEED], float(799 * 0.0625 + 2.4));
        for (int slot : {int(GR), int(GG), int(GB), GSPEED + 1, GSPEED + 2})
            EXPECT_EQ(box[slot], 0) << "slot " << slot;
        left += box[GX] < 0;
    }
    EXPECT_GT(left, NUMBOXES / 3) << "about half the boxes lie left of x = 0";
    EXPECT_LT(left, NUMBOXES * 2 / 3);
}

// One box of an otherwise still field (z = 0, speed 0), with a colour that shows whether the
// advance touched it.
TEST_F(Program, AdvanceWrapsBelowTheDepthAndRecoloursByTheEffectMode)
{
    const float preset = 0.3f;
    const struct {
        const char *what;
        float z, speed;
        int mode;
        std::deque<int> draws; // what rand() answers
        float z_after, colour_after;
        long draws_taken;
    } cases[] = {
        {"mode 0: mirrored, black", -1890, 22.4f, 0, {}, -(-1890 - 22.4f), 0, 1},
        {"exactly at the depth: no wrap", -1890, 10, 1, {}, -1900, preset, 0},
        {"mode 1, even coin: grey k/100", -1899, 2.4f, 1, {4, 37}, -(-1899 - 2.4f), 0.37f, 2},
        {"mode 1, even coin, k mod 50", -1899, 2.4f, 1, {0, 99}, -(-1899 - 2.4f), 0.49f, 2},
        {"mode 1, odd coin: black and a draw", -1899, 2.4f, 1, {7, 37}, -(-1899 - 2.4f), 0, 2},
        {"mode 0 throws no coin", -1899, 2.4f, 0, {0, 37}, -(-1899 - 2.4f), 0, 1},
        {"no wrap in mode 1 keeps the colour", 0, 52.3375f, 1, {}, -52.3375f, preset, 0},
        {"no wrap in mode 0 keeps the colour", -1000, 2.4f, 0, {}, -1002.4f, preset, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        float *box = mygrid[7];
        box[GZ] = c.z;
        box[GSPEED] = c.speed;
        box[GR] = box[GG] = box[GB] = preset;
        fx = c.mode;
        fake_rand_script = c.draws;

        moveGrid();

        EXPECT_FLOAT_EQ(box[GZ], c.z_after);
        EXPECT_EQ(box[GR], c.colour_after);
        EXPECT_EQ(box[GG], c.colour_after);
        EXPECT_EQ(box[GB], c.colour_after);
        EXPECT_EQ(fake_draws, c.draws_taken);
        EXPECT_EQ(mygrid[6][GZ], 0);
        EXPECT_EQ(mygrid[8][GZ], 0);
    }
}

TEST_F(Program, WrapsDrawInTableOrder)
{
    for (int row : {3, 900}) {
        mygrid[row][GZ] = -1899;
        mygrid[row][GSPEED] = 5;
    }
    fx = 1;
    fake_rand_script = {0, 10, 0, 20};

    moveGrid();

    EXPECT_EQ(mygrid[3][GR], 0.10f);
    EXPECT_EQ(mygrid[900][GR], 0.20f);
}

TEST_F(Program, ABoxIsOneColourAndSixQuads)
{
    fake_record_vertices = true;

    drawrealcube(1, 2, 3, 4, 5, 6, 0.25f, 0.5f, 0.75f);

    EXPECT_EQ(joined(fakeCalls()), joined({
                                       "glColor3f(red = 0.25, green = 0.5, blue = 0.75)",
                                       "glVertex3f(x = 1, y = 2, z = 3)",
                                       "glVertex3f(x = 5, y = 2, z = 3)",
                                       "glVertex3f(x = 5, y = 7, z = 3)",
                                       "glVertex3f(x = 1, y = 7, z = 3)",
                                       "glVertex3f(x = 1, y = 2, z = 9)",
                                       "glVertex3f(x = 5, y = 2, z = 9)",
                                       "glVertex3f(x = 5, y = 7, z = 9)",
                                       "glVertex3f(x = 1, y = 7, z = 9)",
                                       "glVertex3f(x = 1, y = 2, z = 3)",
                                       "glVertex3f(x = 1, y = 7, z = 3)",
                                       "glVertex3f(x = 1, y = 7, z = 9)",
                                       "glVertex3f(x = 1, y = 2, z = 9)",
                                       "glVertex3f(x = 5, y = 2, z = 3)",
                                       "glVertex3f(x = 5, y = 2, z = 9)",
                                       "glVertex3f(x = 5, y = 7, z = 9)",
                                       "glVertex3f(x = 5, y = 7, z = 3)",
                                       "glVertex3f(x = 1, y = 7, z = 3)",
                                       "glVertex3f(x = 5, y = 7, z = 3)",
                                       "glVertex3f(x = 5, y = 7, z = 9)",
                                       "glVertex3f(x = 1, y = 7, z = 9)",
                                       "glVertex3f(x = 1, y = 2, z = 3)",
                                       "glVertex3f(x = 5, y = 2, z = 3)",
                                       "glVertex3f(x = 5, y = 2, z = 9)",
                                       "glVertex3f(x = 1, y = 2, z = 9)",
                                   }));
}

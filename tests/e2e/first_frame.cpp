// first_frame: prints the colour and vertex calls of the program's first frame, one call a
// line ("glVertex3f x y z"), every value as %.9g, which tells any two floats apart. It runs
// the program's own start-up scene steps and frame code against the recording stand-ins, so
// its output is what the real binary must send to OpenGL in frame 1.
#include "fakes.h"
#include "scene/camera.h"
#include "scene/grid.h"
#include "shell/shell.h"
#include <cstdio>
#include <cstdlib>
#include <string>

// A recorded line reads "glVertex3f(x = -584, y = 286, z = 137.975)": its name, then each
// value after "= ", written so that it reads back as the same float.
static void printCall(const std::string &line)
{
    printf("%s", line.substr(0, line.find('(')).c_str());
    for (size_t at = line.find("= "); at != std::string::npos; at = line.find("= ", at + 1))
        printf(" %.9g", double(strtof(line.c_str() + at + 2, nullptr)));
    printf("\n");
}

int main()
{
    int camcounter = 0;

    fakeReset();
    fake_record_vertices = true;
    initCamera();
    seedGrid();
    drawFrame(&camcounter);

    for (const std::string &line : fakeCalls())
        if (line.rfind("glColor3f(", 0) == 0 || line.rfind("glVertex3f(", 0) == 0)
            printCall(line);
    return 0;
}

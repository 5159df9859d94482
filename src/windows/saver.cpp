// The screensaver's arguments and its pointer slack: plain logic, so that the Linux tests
// cover it, while saver_win32.cpp keeps only what needs Windows.
#include "windows/saver.h"
#include <cctype>
#include <cstdio>
#include <cstdlib>

static const char USAGE[] = "usage: tovrek.scr [/s | /p HWND | /c[:HWND]]";

// A window handle in decimal: digits only, 1 to MAX_HANDLE; 0 for anything else.
static unsigned long readHandle(const char *text)
{
    unsigned long long value = 0;

    if (*text == '\0')
        return 0;
    for (; *text != '\0'; text++) {
        if (!isdigit((unsigned char)*text))
            return 0;
        value = value * 10 + (*text - '0');
        if (value > MAX_HANDLE)
            return 0;
    }
    return (unsigned long)value;
}

SaverMode readSaverArgs(int argc, char *argv[], unsigned long *handle, char *line)
{
    *handle = 0;
    if (argc < 2)
        return SAVER_SETTINGS;

    const char *arg = argv[1];
    const char *given = nullptr; // the handle's text, if there is one
    int used = 2;                // arguments read, the program's name with them
    const char mode = arg[0] == '/' || arg[0] == '-' ? char(tolower((unsigned char)arg[1])) : 0;
    if ((mode != 's' && mode != 'p' && mode != 'c') ||
        (arg[2] != '\0' && (arg[2] != ':' || mode == 's'))) {
        snprintf(line, SAVER_LINE_SIZE, "tovrek.scr: unknown argument %s (%s)", arg, USAGE);
        return SAVER_BAD;
    }
    if (arg[2] == ':')
        given = arg + 3;
    else if (mode != 's' && argc > 2)
        given = argv[used++];

    if (argc > used) {
        snprintf(line, SAVER_LINE_SIZE, "tovrek.scr: unexpected argument %s (%s)", argv[used],
                 USAGE);
        return SAVER_BAD;
    }
    if (mode == 'p' && given == nullptr) {
        snprintf(line, SAVER_LINE_SIZE, "tovrek.scr: %s needs a window handle (%s)", arg, USAGE);
        return SAVER_BAD;
    }
    if (given != nullptr) {
        *handle = readHandle(given);
        if (*handle == 0) {
            snprintf(line, SAVER_LINE_SIZE, "tovrek.scr: not a window handle: %s", given);
            return SAVER_BAD;
        }
    }
    return mode == 's' ? SAVER_SHOW : mode == 'p' ? SAVER_PREVIEW : SAVER_SETTINGS;
}

int saverMotions;
int movedX, movedY;

bool motionEnds(int dx, int dy)
{
    if (saverMotions++ == 0)
        return false;
    movedX += dx;
    movedY += dy;
    return abs(movedX) > MOVE_SLACK || abs(movedY) > MOVE_SLACK;
}

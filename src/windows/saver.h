// The Windows screensaver's decisions that need no Windows: what its arguments ask for, and
// when the pointer has gone far enough to end it. saver_win32.cpp acts on them.
#pragma once

#include <cstddef>

// What the screensaver's arguments ask for.
enum SaverMode {
    SAVER_SHOW,     // /s: the demo full screen until the user comes back
    SAVER_PREVIEW,  // /p HWND: the demo inside that window
    SAVER_SETTINGS, // /c, /c:HWND or nothing: the settings box, owned by HWND if given
    SAVER_BAD       // anything else: one line on stderr, status 2
};

constexpr int SAVER_BAD_STATUS = 2;     // exit status after a bad argument
constexpr size_t SAVER_LINE_SIZE = 160; // bytes of the line for a bad argument, with its end
constexpr unsigned long MAX_HANDLE = 0xffffffffUL; // window handles have 32 bits, even 64-bit ones
constexpr int MOVE_SLACK = 4; // pixels the pointer may stray before the saver ends

// Reads the arguments after the program's name as Windows passes them: a switch s, p or c after
// '/' or '-', in either case, its window handle in decimal after a colon or as the next argument.
// Returns the mode and sets *handle (0 for none); for SAVER_BAD, line gets the line to print,
// without its newline.
SaverMode readSaverArgs(int argc, char *argv[], unsigned long *handle, char *line);

extern int saverMotions;   // mouse motions seen since the saver started
extern int movedX, movedY; // how far the mouse has moved since its first motion, pixels

// Whether a mouse motion by (dx, dy) pixels ends the saver, counting from the saver's start:
// the first motion only sets where the pointer is (Windows may move it to the screen's centre
// as the saver starts, as its own screensavers expect), and later ones end it once they have
// gone more than MOVE_SLACK across or down from there: a jitter of a pixel or two does not.
bool motionEnds(int dx, int dy);

// The entry function. On Windows SDL.h renames it SDL_main for SDL's entry glue, which is
// why it keeps exactly this signature.
#include "shell/shell.h"

int main(int argc, char *argv[])
{
    (void)argc; // the program takes no arguments
    (void)argv;
    RunGLTest();
    return 0;
}

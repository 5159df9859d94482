// Windows only: standard error for a GUI-subsystem program started from a console.
// Windows hands such a program no standard handles, so a start-up failure's line would be lost;
// it is sent to the console of the shell that started the program instead, if there is one.
#include <windows.h>

#include <cstdio>

// Attaches to the parent's console and points stderr at it, unless stderr already has a handle
// (a redirection, or one inherited as some shells and Wine give it); started from Explorer or
// the Start menu there is no parent console and nothing changes. Returns whether it attached.
static bool attachParentConsole()
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        return false;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    if (freopen("CONOUT$", "w", stderr) != nullptr)
        return true;
    // Wine's C runtime reopens no stream that started without a handle: take a new stream's
    // place instead, unbuffered as stderr is.
    FILE *console = fopen("CONOUT$", "w");
    if (console == nullptr)
        return false;
    *stderr = *console;
    setvbuf(stderr, nullptr, _IONBF, 0);
    return true;
}

// A static initializer: it runs before SDL's entry glue, and so before the program's first line.
[[maybe_unused]] static const bool attached = attachParentConsole();

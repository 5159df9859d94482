// Windows only, built with the Windows check: Screen Saver Settings' part in a preview, for
// tovrek.scr /p. It opens a window, starts the saver SCR with its handle and the same standard
// handles as its own, and checks what Wine can show (it paints no child window of another
// process, so not the picture): the saver makes a window inside this one and none at top
// level, and ends with status 0 soon after this window is destroyed. On a failure it prints
// one line and ends with status 1.
// Usage: preview_host SCR
#include <windows.h>

#include <cstdio>

constexpr DWORD LOOK_MS = 100;    // between looks for the saver's window
constexpr DWORD START_MS = 30000; // for the saver's window to appear inside this one
constexpr DWORD RUN_MS = 1000;    // the demo drawing before this window goes
constexpr DWORD END_MS = 2000;    // for the saver to end once this window is gone

static DWORD saver; // the saver's process id

static int fail(const char *what)
{
    printf("preview: %s\n", what);
    return 1;
}

// Dispatches this thread's messages for ms milliseconds, as a dialog would.
static void pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// Sets *found to a visible window of the saver's, if this is one.
static BOOL CALLBACK findSaverWindow(HWND window, LPARAM found)
{
    DWORD process;
    GetWindowThreadProcessId(window, &process);
    if (process == saver && IsWindowVisible(window))
        *(HWND *)found = window;
    return TRUE;
}

int main(int argc, char *argv[])
{
    if (argc != 2)
        return fail("usage: preview_host SCR");
    HWND host = CreateWindowExA(0, "STATIC", "preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                320, 240, nullptr, nullptr, nullptr, nullptr);
    char command[MAX_PATH + 64];
    snprintf(command, sizeof command, "\"%s\" /p %llu", argv[1], (unsigned long long)host);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &process))
        return fail("the saver did not start");
    saver = process.dwProcessId;

    HWND inside = nullptr, top = nullptr;
    for (DWORD waited = 0; inside == nullptr; waited += LOOK_MS) {
        if (waited > START_MS || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            return fail("no window of the saver's inside the host's");
        pump(LOOK_MS);
        EnumChildWindows(host, findSaverWindow, LPARAM(&inside));
    }
    pump(RUN_MS);
    EnumWindows(findSaverWindow, LPARAM(&top));
    if (top != nullptr)
        return fail("the saver has a window of its own at top level");

    DestroyWindow(host);
    DWORD status;
    if (WaitForSingleObject(process.hProcess, END_MS) != WAIT_OBJECT_0)
        return fail("the saver still runs 2 s after its window went");
    GetExitCodeProcess(process.hProcess, &status);
    if (status != 0)
        return fail("the saver ended with a status other than 0");
    return 0;
}

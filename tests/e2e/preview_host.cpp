// Windows only, built with the Windows check: Screen Saver Settings' part in a preview, for
// tovrek.scr /p. It opens a window, starts the saver SCR with its handle (under Wine the saver
// shares its standard handles), and prints what Wine can show (it paints no child window of
// another process, so not the picture), in one line: "inside" once the saver has a window inside
// this one, "top" if it has one at top level a second later, then "ended STATUS" if the saver ended
// (within 2 s of this window's going, once it had a window inside), or "running".
// Usage: preview_host SCR
#include <windows.h>

#include <cstdio>

constexpr DWORD LOOK_MS = 100;    // between looks for the saver's window
constexpr DWORD START_MS = 30000; // for the saver's window to appear inside this one
constexpr DWORD RUN_MS = 1000;    // the demo drawing before this window goes
constexpr DWORD END_MS = 2000;    // for the saver to end once this window is gone

static DWORD saver; // the saver's process id

// Dispatches this thread's messages for ms milliseconds, as a dialog would.
static void pump(DWORD ms)
{
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10))
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
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

int main(int, char *argv[])
{
    HWND host = CreateWindowExA(0, "STATIC", "preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                320, 240, nullptr, nullptr, nullptr, nullptr);
    char command[MAX_PATH + 64];
    snprintf(command, sizeof command, "\"%s\" /p %llu", argv[1], (unsigned long long)host);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &process))
        return 1;
    saver = process.dwProcessId;
    HWND inside = nullptr, top = nullptr;
    for (DWORD waited = 0; inside == nullptr && waited < START_MS; waited += LOOK_MS) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        pump(LOOK_MS);
        EnumChildWindows(host, findSaverWindow, LPARAM(&inside));
    }
    if (inside != nullptr) {
        pump(RUN_MS);
        EnumWindows(findSaverWindow, LPARAM(&top));
        DestroyWindow(host);
    }
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, END_MS) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    printf("%s%s%s %lu\n", inside ? "inside " : "", top ? "top " : "",
           status == STILL_ACTIVE ? "running" : "ended", status);
    return 0;
}

// Windows only, built with the Windows check: Screen Saver Settings' part in a preview, for
// tovrek.scr /p. It opens a window, starts the saver SCR with its handle (under Wine the saver
// shares its standard handles), and prints what Wine can show (it paints no child window of
// another process, so not the picture), in one line: "inside" once the saver has a window inside
// this one, "top" if it has one at top level a second later, then "ended STATUS" if the saver
// ended within 2 s of this window's going, or "running".
// Usage: preview_host SCR
#include <windows.h>

#include <cstdio>
#include <process.h>

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
    if (GetWindowThreadProcessId(window, &process) && process == saver && IsWindowVisible(window))
        *(HWND *)found = window;
    return TRUE;
}

int main(int, char *argv[])
{
    HWND host = CreateWindowExA(0, "STATIC", "preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                320, 240, nullptr, nullptr, nullptr, nullptr);
    char handle[24];
    snprintf(handle, sizeof handle, "%llu", (unsigned long long)host);
    const HANDLE process = HANDLE(_spawnl(_P_NOWAIT, argv[1], argv[1], "/p", handle, nullptr));
    if (process == INVALID_HANDLE_VALUE)
        return 1;
    saver = GetProcessId(process);
    HWND inside = nullptr, top = nullptr;
    for (DWORD ms = 0; !inside && ms < START_MS && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
         ms += LOOK_MS) {
        pump(LOOK_MS);
        EnumChildWindows(host, findSaverWindow, LPARAM(&inside));
    }
    pump(RUN_MS);
    EnumWindows(findSaverWindow, LPARAM(&top));
    DestroyWindow(host);
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process, END_MS) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &status);
    printf("%s%s%s %lu\n", inside ? "inside " : "", top ? "top " : "",
           status == STILL_ACTIVE ? "running" : "ended", status);
    return 0;
}

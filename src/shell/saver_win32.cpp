// Windows only: tovrek.scr, the demo as a Windows screensaver. Windows starts it with /s to run,
// /p HWND for the preview in Screen Saver Settings, and /c or nothing for its settings. The
// demo is the same program: this front end only prepares its window and its input, then calls
// RunGLTest, as the XScreenSaver launcher does on Linux.
#include "shell/saver.h"
#include "shell/shell.h"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

// The key under which the installer records its folder (CPACK_PACKAGE_INSTALL_REGISTRY_KEY).
static const wchar_t INSTALL_KEY[] = L"Software\\tovrek\\tovrek";
static const wchar_t COVER_CLASS[] = L"tovrek cover";
static const wchar_t PREVIEW_CLASS[] = L"tovrek preview";
static const char SETTINGS_TEXT[] =
    "tovrek has no settings.\n\n"
    "1500 boxes stream past you on a white background; any key, click or move of the mouse "
    "ends it.";
constexpr DWORD WATCH_PAUSE_MS = 100; // between the watchdog's looks at the preview's window

static DWORD demothread;   // the thread that runs the demo and owns its windows
static int movedx, movedy; // how far the mouse has moved since the start, picture pixels

// Screen Saver Settings lists the savers in System32, where the installer copies tovrek.scr;
// SDL.dll and SDL2.dll stay in the installation folder. The .scr imports SDL.dll late (through
// a delay-import library), at SDL's first call, so the folder the installer recorded can join
// the DLL search path first; sdl12-compat then loads SDL2.dll by name through the same path.
// Beside the DLLs, unpacked from the zip, the .scr's own folder is searched first anyway.
// The delay-load helper writes SDL's addresses into the import address table, where dlltool
// puts them, and Wine 10's loader leaves that table read-only once it has bound the imports
// (a page fault at SDL's first call): it is made writable first.
static void findSdl()
{
    BYTE *image = (BYTE *)GetModuleHandleW(nullptr);
    const IMAGE_NT_HEADERS *headers =
        (const IMAGE_NT_HEADERS *)(image + ((const IMAGE_DOS_HEADER *)image)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &table =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    DWORD before;
    VirtualProtect(image + table.VirtualAddress, table.Size, PAGE_READWRITE, &before);

    wchar_t folder[MAX_PATH];
    const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    for (HKEY root : roots) {
        DWORD size = sizeof folder;
        if (RegGetValueW(root, INSTALL_KEY, nullptr, RRF_RT_REG_SZ, nullptr, folder, &size) ==
            ERROR_SUCCESS) {
            SetDllDirectoryW(folder);
            return;
        }
    }
}

// The preview's end, whatever the demo is doing: its window is gone, and nothing is left to
// shut down that the process's end does not.
static void endPreview()
{
    TerminateProcess(GetCurrentProcess(), 0);
}

// SDL keeps this as the window's own procedure behind its own, so the window's destruction
// reaches it on the demo's thread, during the event drain and before another frame could draw
// into (and report an error about) a window that is gone.
static LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_DESTROY)
        endPreview();
    return DefWindowProcW(window, message, wparam, lparam);
}

// A thread of its own ends the preview as well when the main thread drains no events, while
// it starts SDL or waits on the driver.
static DWORD WINAPI watchPreview(void *parent)
{
    while (IsWindow(HWND(parent)))
        Sleep(WATCH_PAUSE_MS);
    endPreview();
    return 0;
}

// The demo draws in a child window of its own inside the dialog's window: SDL takes a window
// through SDL_WINDOWID, but can make no OpenGL context on, nor take the messages of, another
// process's window. sdl12-compat draws OpenGL in a window it did not make only with
// SDL_VIDEO_FOREIGN_WINDOW_OPENGL, and scales the 800x600 picture to it.
static void preparePreview(HWND parent)
{
    RECT area;
    GetClientRect(parent, &area);
    WNDCLASSW type = {};
    type.lpfnWndProc = previewProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = PREVIEW_CLASS;
    RegisterClassW(&type);
    HWND window = CreateWindowExW(0, PREVIEW_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                                  area.bottom, parent, nullptr, type.hInstance, nullptr);
    if (window == nullptr)
        endPreview(); // the dialog's window went before the preview could start
    char setting[64];
    snprintf(setting, sizeof setting, "SDL_WINDOWID=%llu", (unsigned long long)window);
    _putenv(setting);
    _putenv("SDL_VIDEO_FOREIGN_WINDOW_OPENGL=1");
    CloseHandle(CreateThread(nullptr, 0, watchPreview, parent, 0, nullptr));
}

// Covers one monitor other than the primary one, where the demo goes full screen, in black.
static BOOL CALLBACK coverMonitor(HMONITOR monitor, HDC, RECT *area, LPARAM)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, COVER_CLASS, L"", WS_POPUP | WS_VISIBLE,
                        area->left, area->top, area->right - area->left, area->bottom - area->top,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return TRUE;
}

static BOOL CALLBACK closeWindow(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// SDL's event filter sees each event as SDL makes it from Windows' input, before the demo
// drains it. Full screen, sdl12-compat holds the pointer in the demo's window in relative mode
// (as SDL 1.2 did for a hidden cursor in a grabbed window), so the pointer itself never moves
// far: SDL's motions still tell how far the mouse went, summed here from the start (Wine also
// warps a held pointer back, so one move may come as a single motion). Input asks the demo's
// windows to close, which SDL turns into the quit that ends the frame loop, as closing the
// window always does (status 0, the desktop restored). The filter runs with sdl12-compat's
// event queue locked, so it calls no SDL: Windows' PostMessage only queues the close.
static int SDLCALL watchInput(const SDL_Event *event)
{
    if (event->type == SDL_MOUSEMOTION) {
        movedx += event->motion.xrel;
        movedy += event->motion.yrel;
    }
    if (event->type == SDL_KEYDOWN || event->type == SDL_MOUSEBUTTONDOWN || // the wheel's too
        (event->type == SDL_MOUSEMOTION && movedAway(movedx, movedy)))
        EnumThreadWindows(demothread, closeWindow, 0);
    return 1;
}

// The covers are made before the demo's window: made after it, under Wine they took the keys
// and the pointer from it. They need no procedure of their own: black, with no cursor.
static void prepareShow()
{
    WNDCLASSW type = {};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hbrBackground = HBRUSH(GetStockObject(BLACK_BRUSH));
    type.lpszClassName = COVER_CLASS;
    RegisterClassW(&type);
    EnumDisplayMonitors(nullptr, nullptr, coverMonitor, 0);
    demothread = GetCurrentThreadId();
    SDL_SetEventFilter(watchInput);
}

// The entry of a GUI program that does not use SDL's entry glue, which would call SDL before
// findSdl could tell Windows where it is. Windows passes the arguments as the C runtime
// splits them.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    unsigned long handle;
    char line[SAVER_LINE_SIZE];
    SaverMode mode = readSaverArgs(__argc, __argv, &handle, line);
    HWND window = HWND(ULONG_PTR(handle));

    if (mode != SAVER_BAD && handle != 0 && !IsWindow(window)) {
        snprintf(line, sizeof line, "tovrek.scr: no window has the handle %lu", handle);
        mode = SAVER_BAD;
    }
    if (mode == SAVER_BAD) {
        fprintf(stderr, "%s\n", line);
        return SAVER_BAD_STATUS;
    }
    if (mode == SAVER_SETTINGS) {
        MessageBoxA(window, SETTINGS_TEXT, "tovrek", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    findSdl();
    if (mode == SAVER_PREVIEW)
        preparePreview(window);
    else
        prepareShow();
    return RunGLTest();
}

// Windows only: tovrek.scr, the demo as a Windows screensaver. Windows starts it with /s to run,
// /p HWND for the preview in Screen Saver Settings, and /c or nothing for its settings. The
// demo is the same program: this front end only prepares its window and its input, then calls
// RunGLTest, as the XScreenSaver launcher does on Linux.
#include "shell/shell.h"
#include "windows/saver.h"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>

// The key under which the installer records its folder (CPACK_PACKAGE_INSTALL_REGISTRY_KEY).
static const wchar_t INSTALL_KEY[] = L"Software\\tovrek\\tovrek";
static const wchar_t COVER_CLASS[] = L"tovrek cover";
static const wchar_t PREVIEW_CLASS[] = L"tovrek preview";
static const char SETTINGS_TEXT[] =
    "tovrek has no settings.\n\n"
    "1500 boxes stream past you on a white background; any key, click or move of the mouse "
    "ends it.";
static const char MISSING_TEXT[] =
    "tovrek's files are missing: SDL.dll and SDL2.dll are neither beside tovrek.scr nor where "
    "tovrek was installed.\n\nPlease install tovrek again.";
// SDL2.dll first: SDL.dll loads it by name as it starts.
static const wchar_t *const SDL_DLLS[] = {L"SDL2.dll", L"SDL.dll"};
constexpr size_t LOOKED_SIZE = 2 * MAX_PATH + 8; // characters of the folders looked in for SDL
constexpr int MISSING_STATUS = 1;                // exit status without SDL
constexpr DWORD WATCH_PAUSE_MS = 100; // between the watchdog's looks at the preview's window

// The delay-import library's entry for SDL.dll (named by CMake after the library's file).
extern "C" const IMAGE_DELAYLOAD_DESCRIPTOR TOVREK_SDL_DELAY;

static DWORD demothread; // the thread that runs the demo and owns its windows

// The folder tovrek.scr is in, unless it is one of Windows' own, where another program's
// SDL.dll could be; "" for none.
static void ownFolder(wchar_t *folder)
{
    wchar_t system[MAX_PATH], windows[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, folder, MAX_PATH);
    wchar_t *name = wcsrchr(folder, L'\\');
    GetSystemDirectoryW(system, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length == MAX_PATH || name == nullptr)
        *folder = L'\0';
    else
        *name = L'\0';
    if (_wcsicmp(folder, system) == 0 || _wcsicmp(folder, windows) == 0)
        *folder = L'\0';
}

// The folder the installer recorded, for this user or all; "" for none, or for a relative path,
// which would depend on the current folder.
static void installedFolder(wchar_t *folder)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        DWORD size = MAX_PATH * sizeof *folder;
        if (RegGetValueW(root, INSTALL_KEY, nullptr, RRF_RT_REG_SZ, nullptr, folder, &size) ==
                ERROR_SUCCESS &&
            ((iswalpha(folder[0]) && folder[1] == L':' && folder[2] == L'\\') ||
             wcsncmp(folder, L"\\\\", 2) == 0))
            return;
    }
    *folder = L'\0';
}

// Loads SDL2.dll, then SDL.dll, by full path from folder; neither unless both load.
static bool loadSdlFrom(const wchar_t *folder)
{
    HMODULE loaded[std::size(SDL_DLLS)];
    size_t n = 0;
    wchar_t path[MAX_PATH];
    while (n < std::size(SDL_DLLS) &&
           swprintf(path, MAX_PATH, L"%ls\\%ls", folder, SDL_DLLS[n]) > 0 &&
           (loaded[n] = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) != nullptr)
        n++;
    if (n == std::size(SDL_DLLS))
        return true;
    while (n > 0)
        FreeLibrary(loaded[--n]);
    return false;
}

// Screen Saver Settings lists the savers in System32, where the installer copies tovrek.scr;
// SDL.dll and SDL2.dll stay in the installation folder. Windows would search System32 first
// for a DLL named only, and an SDL.dll another program left there would win: so both are loaded
// by full path before SDL's first call, from the .scr's own folder (unpacked from the zip), else
// from the installation folder. Once loaded, a module answers every load by its name: the .scr's
// import of SDL.dll, delay-loaded (through a delay-import library) at SDL's first call, and
// sdl12-compat's of SDL2.dll. The folders looked in go into looked, for the message when none
// holds both.
static bool findSdl(wchar_t *looked)
{
    wchar_t folders[2][MAX_PATH];
    ownFolder(folders[0]);
    installedFolder(folders[1]);
    *looked = L'\0';
    for (const wchar_t *folder : folders) {
        if (*folder == L'\0')
            continue;
        if (loadSdlFrom(folder))
            return true;
        swprintf(looked + wcslen(looked), LOOKED_SIZE - wcslen(looked), L"%ls%ls",
                 *looked ? L" or " : L"", folder);
    }
    return false;
}

// The delay-load helper writes SDL's addresses into the .scr's import address table, where
// dlltool puts them; binutils 2.44 (Debian 13) makes that section read-only, which the loader
// honours (a page fault at SDL's first call): the pages of SDL's entries are made writable, and
// no more.
static bool unlockSdlImports()
{
    BYTE *image = (BYTE *)GetModuleHandleW(nullptr);
    const ULONGLONG *names = (const ULONGLONG *)(image + TOVREK_SDL_DELAY.ImportNameTableRVA);
    size_t count = 0;
    while (names[count] != 0)
        count++;
    DWORD before;
    return VirtualProtect(image + TOVREK_SDL_DELAY.ImportAddressTableRVA, count * sizeof *names,
                          PAGE_READWRITE, &before);
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
// far: SDL's motions still tell how far the mouse went, summed from the start (Wine also warps a
// held pointer back, so one move may come as a single motion). Input, or another window coming
// to the front (the demo's losing the keyboard, or being minimized), asks the demo's windows to
// close, which SDL turns into the quit that ends the frame loop, as closing the
// window always does (status 0, the desktop restored). The filter runs with sdl12-compat's
// event queue locked, so it calls no SDL: Windows' PostMessage only queues the close.
static int SDLCALL watchInput(const SDL_Event *event)
{
    const bool lostFocus = event->type == SDL_ACTIVEEVENT && !event->active.gain &&
                           (event->active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE));
    if (event->type == SDL_KEYDOWN || event->type == SDL_MOUSEBUTTONDOWN || lostFocus ||
        (event->type == SDL_MOUSEMOTION && motionEnds(event->motion.xrel, event->motion.yrel)))
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
    wchar_t looked[LOOKED_SIZE];
    const bool found = findSdl(looked);
    if (!found)
        fprintf(stderr, "tovrek.scr: no SDL.dll and SDL2.dll in %ls\n",
                *looked ? looked : L"any folder: none is recorded by the installer");
    if (mode == SAVER_SETTINGS) {
        MessageBoxA(window, found ? SETTINGS_TEXT : MISSING_TEXT, "tovrek",
                    MB_OK | (found ? MB_ICONINFORMATION : MB_ICONERROR));
        return found ? 0 : MISSING_STATUS;
    }
    if (!found)
        return MISSING_STATUS;
    if (!unlockSdlImports()) {
        fprintf(stderr, "tovrek.scr: SDL's imports cannot be bound (error %lu)\n", GetLastError());
        return MISSING_STATUS;
    }
    if (mode == SAVER_PREVIEW)
        preparePreview(window);
    else
        prepareShow();
    return RunGLTest();
}

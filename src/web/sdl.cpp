// The browser build only: the parts of SDL where Emscripten's own falls short of what the
// program relies on. Its error functions are stubs whose text never clears (the program would
// report it every frame), its mode set hands back a screen even when the browser gave it
// no WebGL context, where the program would fail at its first GL call instead, and its swap
// does not wait for the display, nor for the page's pause.
#include <SDL.h>
#include <cstdarg>
#include <cstdio>
#include <emscripten/em_js.h>
#include <emscripten/html5_webgl.h>

static char error_text[256]; // the last SDL_SetError's text; empty once cleared

extern "C" void SDL_SetError(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vsnprintf(error_text, sizeof error_text, fmt, args);
    va_end(args);
}

extern "C" const char *SDL_GetError()
{
    return error_text;
}

extern "C" void SDL_ClearError()
{
    error_text[0] = '\0';
}

// Wrapped at link time (--wrap): no WebGL context makes the mode set fail as on any display.
extern "C" SDL_Surface *__real_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);

extern "C" SDL_Surface *__wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    SDL_Surface *screen = __real_SDL_SetVideoMode(width, height, bpp, flags);
    if (emscripten_webgl_get_current_context() != 0)
        return screen;
    SDL_SetError("this browser has WebGL turned off or does not support it");
    return nullptr;
}

// Wrapped at link time (--wrap): a native swap waits for the display's next refresh (vsync),
// the browser's returns at once, so the demo would draw frames nobody sees, faster than on the
// desktop. Waiting for the next animation frame paces it as the display does, and a hidden
// page, which gets none, costs nothing. A lost WebGL context never comes back (the page does
// not ask for it, and says so), so the demo stops there instead of drawing into nothing.
// While the page pauses it (Module.paused), the wait holds its frame on screen, draws nothing
// and leaves the page Module.resume, to go on from the next animation frame once played.
// Emscripten's wrapper for callbacks wakes it, which ends the page's run once the program ends.
EM_JS(void, waitForDisplay, (), {
    Asyncify.handleSleep(function(wake_up) {
        requestAnimationFrame(function shown() {
            if (GLctx.isContextLost())
                return;
            if (!Module['paused'])
                return callUserCallback(wake_up);
            Module['resume'] = requestAnimationFrame.bind(window, shown);
        });
    });
});

extern "C" void __real_SDL_GL_SwapBuffers();

extern "C" void __wrap_SDL_GL_SwapBuffers()
{
    __real_SDL_GL_SwapBuffers();
    waitForDisplay();
}

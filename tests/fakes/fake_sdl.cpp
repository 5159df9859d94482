// Stand-ins for the SDL 1.2 calls the program makes, and the events tests script.
#include "fakes.h"
#include "recorder.h"
#include <cstdio>
#include <cstdlib>

int fake_init_result;
int fake_bits_per_pixel;
bool fake_mode_fails;
std::string fake_sdl_error;
std::deque<GLenum> fake_gl_errors;
std::deque<std::vector<SDL_Event>> fake_drains;

static SDL_PixelFormat format;
static SDL_VideoInfo info;
static SDL_Surface surface;
static size_t drained; // events of the front drain handed out: a long drain stays cheap

void fakeReset()
{
    resetRecord();
    fake_init_result = 0;
    fake_bits_per_pixel = 32;
    fake_mode_fails = false;
    fake_sdl_error.clear();
    fake_gl_errors.clear();
    fake_drains.clear();
    drained = 0;
}

static const Named ATTRIBUTES[] = {NAMED(SDL_GL_RED_SIZE), NAMED(SDL_GL_GREEN_SIZE),
                                   NAMED(SDL_GL_BLUE_SIZE), NAMED(SDL_GL_DEPTH_SIZE),
                                   NAMED(SDL_GL_DOUBLEBUFFER)};
static const Named EVENTS[] = {
    NAMED(SDL_KEYDOWN),       NAMED(SDL_KEYUP), NAMED(SDL_MOUSEMOTION), NAMED(SDL_MOUSEBUTTONDOWN),
    NAMED(SDL_MOUSEBUTTONUP), NAMED(SDL_QUIT),  NAMED(SDL_ACTIVEEVENT), NAMED(SDL_VIDEORESIZE)};

int SDL_Init(Uint32 flags)
{
    RECORD("SDL_Init(flags = 0x%08x)", unsigned(flags));
    return fake_init_result;
}

void SDL_Quit()
{
    RECORD("SDL_Quit()");
}

char *SDL_GetError()
{
    RECORD("SDL_GetError()");
    return &fake_sdl_error[0];
}

void SDL_ClearError()
{
    RECORD("SDL_ClearError()");
    fake_sdl_error.clear();
}

const SDL_VideoInfo *SDL_GetVideoInfo()
{
    RECORD("SDL_GetVideoInfo()");
    format.BitsPerPixel = Uint8(fake_bits_per_pixel);
    info.vfmt = &format;
    return &info;
}

int SDL_GL_SetAttribute(SDL_GLattr attr, int value)
{
    RECORD("SDL_GL_SetAttribute(attr = %s, value = %d)", nameOf(attr, ATTRIBUTES).c_str(), value);
    return 0;
}

SDL_Surface *SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    RECORD("SDL_SetVideoMode(width = %d, height = %d, bpp = %d, flags = 0x%08x)", width, height,
           bpp, unsigned(flags));
    return fake_mode_fails ? nullptr : &surface;
}

int SDL_ShowCursor(int toggle)
{
    RECORD("SDL_ShowCursor(toggle = %d)", toggle);
    return 1;
}

void SDL_Delay(Uint32 ms)
{
    RECORD("SDL_Delay(ms = %u)", unsigned(ms));
}

void SDL_GL_SwapBuffers()
{
    RECORD("SDL_GL_SwapBuffers()");
}

int SDL_PollEvent(SDL_Event *event)
{
    if (fake_drains.empty()) {
        fprintf(stderr, "stand-in SDL_PollEvent: the event script ran out\n");
        abort();
    }
    const std::vector<SDL_Event> &drain = fake_drains.front();
    if (drained == drain.size()) {
        fake_drains.pop_front();
        drained = 0;
        RECORD("SDL_PollEvent() = 0");
        return 0;
    }
    *event = drain[drained++];
    RECORD("SDL_PollEvent() = %s", nameOf(event->type, EVENTS).c_str());
    return 1;
}

SDL_Event eventOfType(int type)
{
    SDL_Event event{};
    event.type = Uint8(type);
    return event;
}

static SDL_Event keyEvent(int type, SDLKey sym)
{
    SDL_Event event = eventOfType(type);
    event.key.keysym.sym = sym;
    return event;
}

SDL_Event keyDown(SDLKey sym)
{
    return keyEvent(SDL_KEYDOWN, sym);
}

SDL_Event keyUp(SDLKey sym)
{
    return keyEvent(SDL_KEYUP, sym);
}

SDL_Event mouseMotion(int x, int y)
{
    SDL_Event event = eventOfType(SDL_MOUSEMOTION);
    event.motion.x = Uint16(x);
    event.motion.y = Uint16(y);
    return event;
}

SDL_Event buttonDown(int button)
{
    SDL_Event event = eventOfType(SDL_MOUSEBUTTONDOWN);
    event.button.button = Uint8(button);
    return event;
}

SDL_Event quitRequest()
{
    return eventOfType(SDL_QUIT);
}

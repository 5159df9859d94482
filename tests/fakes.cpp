// The stand-ins: one recording helper that shows every argument the same way, and one line
// per function.
#include "fakes.h"
#include <GL/glu.h>
#include <charconv>
#include <cstring>

Fakes fake;

// Numbers in their shortest exact form, a float as a float; GL's enums and SDL's flags in hex.
template <class T> static std::string show(T value)
{
    char text[32] = "0x";
    if constexpr (std::is_same_v<T, unsigned>)
        return std::string(text, std::to_chars(text + 2, text + sizeof text, value, 16).ptr);
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// The draws and the box batch come by the thousand: a run of them is counted and hashed, not
// recorded line by line.
template <class... Args> static void record(const char *name, Args... args)
{
    if (!fake.recording)
        return;
    if (strstr("rand glColor3f glVertex3f", name)) {
        ((fake.hash = (fake.hash ^ std::hash<double>()(args)) * 1099511628211u), ...);
        return void(fake.run[name]++);
    }
    fakeRecord();
    std::string line;
    ((line += (line.empty() ? "" : ", ") + show(args)), ...);
    fake.record += name + ("(" + line + ")\n");
}

std::string fakeRecord()
{
    std::string line;
    for (const auto &[name, count] : fake.run)
        line += (line.empty() ? "[" : ", ") + std::to_string(count) + " x " + name;
    fake.record += line.empty() ? "" : line + ", hash " + show(unsigned(fake.hash)) + "]\n";
    fake.run.clear();
    return fake.record;
}

template <class T> static T pop(std::deque<T> &queue, T otherwise)
{
    const T front = queue.empty() ? otherwise : queue.front();
    return queue.empty() ? front : (queue.pop_front(), front);
}

static const char UNSUPPORTED[] = "That operation is not supported"; // SDL_Unsupported()'s text
static SDL_PixelFormat format;
static SDL_VideoInfo info;
static SDL_Surface surface;

// With recording off, a stand-in costs its own call and no other (the benchmarks).
#define FAKE(type, name, params, answer, ...)                                                      \
    type name params                                                                               \
    {                                                                                              \
        fake.recording ? record(#name __VA_OPT__(, ) __VA_ARGS__) : void();                        \
        return answer;                                                                             \
    }

FAKE(int, SDL_Init, (Uint32 flags), fake.init, flags)
FAKE(void, SDL_Quit, (), void())
FAKE(char *, SDL_GetError, (), &fake.error[0])
FAKE(void, SDL_ClearError, (), fake.error.clear())
FAKE(const SDL_VideoInfo *, SDL_GetVideoInfo, (),
     (format.BitsPerPixel = Uint8(fake.bits_per_pixel), info.vfmt = &format, &info))
FAKE(int, SDL_GL_SetAttribute, (SDL_GLattr attr, int value), 0, int(attr), value)
FAKE(SDL_Surface *, SDL_SetVideoMode, (int width, int height, int bpp, Uint32 flags),
     fake.mode_fails ? nullptr : (fake.error = UNSUPPORTED, &surface), width, height, bpp, flags)
FAKE(int, SDL_ShowCursor, (int toggle), (fake.error = UNSUPPORTED, 1), toggle)
FAKE(void, SDL_Delay, (Uint32 ms), void(), ms)
FAKE(void, SDL_GL_SwapBuffers, (), void(fake.error += pop(fake.swap_errors, std::string())))

FAKE(void, glShadeModel, (GLenum mode), void(), mode)
FAKE(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), void(), r, g, b, a)
FAKE(void, glClearDepth, (GLclampd depth), void(), depth)
FAKE(void, glEnable, (GLenum cap), void(), cap)
FAKE(void, glDepthFunc, (GLenum func), void(), func)
FAKE(void, glHint, (GLenum target, GLenum mode), void(), target, mode)
FAKE(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), void(), x, y, w, h)
FAKE(void, glMatrixMode, (GLenum mode), void(), mode)
FAKE(void, glLoadIdentity, (), void())
FAKE(void, glClear, (GLbitfield mask), void(), mask)
FAKE(GLenum, glGetError, (), pop(fake.gl_errors, 0u))
FAKE(void, glBegin, (GLenum mode), void(), mode)
FAKE(void, glEnd, (), void())
FAKE(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), void(), r, g, b)
FAKE(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), void(), x, y, z)
using D = GLdouble;
FAKE(void, gluPerspective, (D fovy, D aspect, D zn, D zf), void(), fovy, aspect, zn, zf)
FAKE(void, gluLookAt, (D ex, D ey, D ez, D cx, D cy, D cz, D ux, D uy, D uz), void(), ex, ey, ez,
     cx, cy, cz, ux, uy, uz)

int SDL_PollEvent(SDL_Event *event)
{
    if (fake.events.empty())
        longjmp(fake.exit, 1); // past the script: the record shows the run cut short
    *event = pop(fake.events, SDL_Event());
    record("SDL_PollEvent", int(event->type));
    fake.error = event->type == SDL_ACTIVEEVENT ? UNSUPPORTED : fake.error; // focus: a failed warp
    return event->type != SDL_NOEVENT;
}

extern "C" int __real_rand();
extern "C" int __wrap_rand()
{
    const int value = fake.rand.empty() ? __real_rand() : pop(fake.rand, 0);
    record("rand", value);
    return value;
}

extern "C" void __wrap_exit(int status)
{
    record("exit", status);
    longjmp(fake.exit, 1);
}

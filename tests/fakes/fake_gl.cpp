// Stand-ins for the OpenGL and GLU calls the program makes.
#include "fakes.h"
#include "recorder.h"
#include <GL/glu.h>

// The enums the program passes, by name.
static const Named ENUMS[] = {NAMED(GL_QUADS),      NAMED(GL_SMOOTH),
                              NAMED(GL_DEPTH_TEST), NAMED(GL_LEQUAL),
                              NAMED(GL_NICEST),     NAMED(GL_PROJECTION),
                              NAMED(GL_MODELVIEW),  NAMED(GL_PERSPECTIVE_CORRECTION_HINT)};

static std::string glName(GLenum value)
{
    return nameOf(value, ENUMS);
}

static std::string clearMask(GLbitfield mask)
{
    static const Named BITS[] = {NAMED(GL_COLOR_BUFFER_BIT), NAMED(GL_DEPTH_BUFFER_BIT),
                                 NAMED(GL_STENCIL_BUFFER_BIT), NAMED(GL_ACCUM_BUFFER_BIT)};
    std::string text;
    for (const Named &bit : BITS)
        if (mask & bit.value)
            text += (text.empty() ? "" : " | ") + std::string(bit.name);
    return text.empty() ? "0" : text;
}

void glShadeModel(GLenum mode)
{
    RECORD("glShadeModel(mode = %s)", glName(mode).c_str());
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    RECORD("glClearColor(red = %s, green = %s, blue = %s, alpha = %s)", num(red).c_str(),
           num(green).c_str(), num(blue).c_str(), num(alpha).c_str());
}

void glClearDepth(GLclampd depth)
{
    RECORD("glClearDepth(depth = %s)", num(depth).c_str());
}

void glEnable(GLenum cap)
{
    RECORD("glEnable(cap = %s)", glName(cap).c_str());
}

void glDepthFunc(GLenum func)
{
    RECORD("glDepthFunc(func = %s)", glName(func).c_str());
}

void glHint(GLenum target, GLenum mode)
{
    RECORD("glHint(target = %s, mode = %s)", glName(target).c_str(), glName(mode).c_str());
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    RECORD("glViewport(x = %d, y = %d, width = %d, height = %d)", x, y, width, height);
}

void glMatrixMode(GLenum mode)
{
    RECORD("glMatrixMode(mode = %s)", glName(mode).c_str());
}

void glLoadIdentity()
{
    RECORD("glLoadIdentity()");
}

void glClear(GLbitfield mask)
{
    RECORD("glClear(mask = %s)", clearMask(mask).c_str());
}

GLenum glGetError()
{
    RECORD("glGetError()");
    if (fake_gl_errors.empty())
        return GL_NO_ERROR;
    const GLenum error = fake_gl_errors.front();
    fake_gl_errors.pop_front();
    return error;
}

void glBegin(GLenum mode)
{
    RECORD("glBegin(mode = %s)", glName(mode).c_str());
}

void glEnd()
{
    RECORD("glEnd()");
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    if (!fake_record_vertices)
        return TALLY(TALLY_COLOUR);
    RECORD("glColor3f(red = %s, green = %s, blue = %s)", num(red).c_str(), num(green).c_str(),
           num(blue).c_str());
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!fake_record_vertices)
        return TALLY(TALLY_VERTEX);
    RECORD("glVertex3f(x = %s, y = %s, z = %s)", num(x).c_str(), num(y).c_str(), num(z).c_str());
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    RECORD("gluPerspective(fovy = %s, aspect = %s, zNear = %s, zFar = %s)", num(fovy).c_str(),
           num(aspect).c_str(), num(zNear).c_str(), num(zFar).c_str());
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    RECORD("gluLookAt(eye = (%s, %s, %s), center = (%s, %s, %s), up = (%s, %s, %s))",
           num(eyeX).c_str(), num(eyeY).c_str(), num(eyeZ).c_str(), num(centerX).c_str(),
           num(centerY).c_str(), num(centerZ).c_str(), num(upX).c_str(), num(upY).c_str(),
           num(upZ).c_str());
}

// The browser build only: the part of OpenGL 1.1 and GLU that WebGL lacks and the program
// draws with, in place of Emscripten's legacy GL emulation, which misreads a batch that gives
// one glColor3f a box inside glBegin and whose gluLookAt leaves the matrix as it was; this one
// keeps the vertices in WebAssembly and uploads them once a frame. The matrices, the current
// colour and the vertices of a glBegin batch stay here; glEnd draws the batch with one shader.
// Everything else the program calls (clear, depth test, viewport, errors) is WebGL's own.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// ---- matrices: column-major, as OpenGL keeps them -----------------------------------------

static GLfloat projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
static GLfloat modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
static GLfloat *current = modelview; // the matrix glMatrixMode selected

// out = a * b; out may be a or b.
static void multiply(GLfloat *out, const GLfloat *a, const GLfloat *b)
{
    GLfloat product[16];
    for (int column = 0; column < 4; column++)
        for (int row = 0; row < 4; row++) {
            product[column * 4 + row] = 0;
            for (int k = 0; k < 4; k++)
                product[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
        }
    for (int i = 0; i < 16; i++)
        out[i] = product[i];
}

extern "C" void glMatrixMode(GLenum mode)
{
    current = mode == GL_PROJECTION ? projection : modelview;
}

extern "C" void glLoadIdentity()
{
    for (int i = 0; i < 16; i++)
        current[i] = i % 5 == 0;
}

extern "C" void glMultMatrixf(const GLfloat *m)
{
    multiply(current, current, m);
}

extern "C" void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double f = 1 / std::tan(fovy / 2 * M_PI / 180), depth = zNear - zFar;
    GLfloat m[16] = {};
    m[0] = GLfloat(f / aspect);
    m[5] = GLfloat(f);
    m[10] = GLfloat((zFar + zNear) / depth);
    m[11] = -1;
    m[14] = GLfloat(2 * zFar * zNear / depth);
    glMultMatrixf(m);
}

// Scales v to unit length; a zero vector stays as it is, as GLU leaves it.
static void normalize(double v[3])
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length != 0)
        for (int i = 0; i < 3; i++)
            v[i] /= length;
}

static void cross(double out[3], const double a[3], const double b[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// The eye at (eyeX, eyeY, eyeZ) looking at the centre, up as near the given up as it can be.
extern "C" void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                          GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY,
                          GLdouble upZ)
{
    double forward[3] = {centerX - eyeX, centerY - eyeY, centerZ - eyeZ}, side[3], up[3];
    const double given_up[3] = {upX, upY, upZ};
    normalize(forward);
    cross(side, forward, given_up);
    normalize(side);
    cross(up, side, forward);
    GLfloat m[16] = {}; // side, up and backward as its rows
    for (int i = 0; i < 3; i++) {
        m[i * 4] = GLfloat(side[i]);
        m[i * 4 + 1] = GLfloat(up[i]);
        m[i * 4 + 2] = GLfloat(-forward[i]);
    }
    m[15] = 1;
    const GLfloat eye[16] = {
        1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, GLfloat(-eyeX), GLfloat(-eyeY), GLfloat(-eyeZ), 1};
    glMultMatrixf(m);
    glMultMatrixf(eye);
}

// ---- fixed state WebGL has no use for --------------------------------------------------------

// WebGL always interpolates in perspective, and the boxes are flat: both are what they ask.
extern "C" void glShadeModel(GLenum) {}
extern "C" void glHint(GLenum, GLenum) {}

// ---- the batch ------------------------------------------------------------------------------

constexpr int VERTEX_FLOATS = 6; // x, y, z, red, green, blue
constexpr int QUAD_VERTICES = 4;
constexpr int QUAD_INDICES = 6;           // two triangles
constexpr int MAX_QUADS = 65536 / 4;      // a draw's quads: 16-bit indices
static GLfloat colour[3] = {1, 1, 1};     // glColor3f's, white until set, as GL's
static std::vector<GLfloat> batch;        // the open batch's vertices
static GLuint program, vertices, indices; // made on the first glEnd
static GLint transform;                   // the shader's matrix: projection * modelview

static const char *const VERTEX_SHADER =
    "attribute vec3 position; attribute vec3 colour; uniform mat4 transform;"
    "varying vec3 tint;"
    "void main() { gl_Position = transform * vec4(position, 1.0); tint = colour; }";
static const char *const FRAGMENT_SHADER = "precision mediump float; varying vec3 tint;"
                                           "void main() { gl_FragColor = vec4(tint, 1.0); }";

static GLuint shader(GLenum type, const char *source)
{
    const GLuint made = glCreateShader(type);
    glShaderSource(made, 1, &source, nullptr);
    glCompileShader(made);
    glAttachShader(program, made);
    return made;
}

// The shader, the vertex buffer and the one index list every draw shares: quad q is the
// triangles (4q, 4q+1, 4q+2) and (4q, 4q+2, 4q+3).
static void prepare()
{
    program = glCreateProgram();
    shader(GL_VERTEX_SHADER, VERTEX_SHADER);
    shader(GL_FRAGMENT_SHADER, FRAGMENT_SHADER);
    glBindAttribLocation(program, 0, "position");
    glBindAttribLocation(program, 1, "colour");
    glLinkProgram(program);
    GLint linked;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked)
        fprintf(stderr, "tovrek: the drawing shader did not link\n");
    glUseProgram(program);
    transform = glGetUniformLocation(program, "transform");

    std::vector<GLushort> list(MAX_QUADS * QUAD_INDICES);
    const int corners[QUAD_INDICES] = {0, 1, 2, 0, 2, 3};
    for (int i = 0; i < MAX_QUADS * QUAD_INDICES; i++)
        list[i] = GLushort(i / QUAD_INDICES * QUAD_VERTICES + corners[i % QUAD_INDICES]);
    glGenBuffers(1, &indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, list.size() * sizeof(GLushort), list.data(),
                 GL_STATIC_DRAW);
    glGenBuffers(1, &vertices);
    glBindBuffer(GL_ARRAY_BUFFER, vertices);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
}

// Only GL_QUADS, the one kind of batch the program draws.
extern "C" void glBegin(GLenum)
{
    batch.clear();
}

extern "C" void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
}

// Every vertex carries the colour current when it was given.
extern "C" void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    batch.insert(batch.end(), {x, y, z, colour[0], colour[1], colour[2]});
}

extern "C" void glEnd()
{
    if (program == 0)
        prepare();
    GLfloat both[16];
    multiply(both, projection, modelview);
    glUniformMatrix4fv(transform, 1, GL_FALSE, both);

    const int stride = VERTEX_FLOATS * sizeof(GLfloat);
    const int quads = int(batch.size()) / (VERTEX_FLOATS * QUAD_VERTICES);
    for (int first = 0; first < quads; first += MAX_QUADS) {
        const int count = std::min(quads - first, MAX_QUADS);
        glBufferData(GL_ARRAY_BUFFER, count * QUAD_VERTICES * stride,
                     &batch[first * QUAD_VERTICES * VERTEX_FLOATS], GL_STREAM_DRAW);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void *>(3 * sizeof(GLfloat)));
        glDrawElements(GL_TRIANGLES, count * QUAD_INDICES, GL_UNSIGNED_SHORT, nullptr);
    }
}

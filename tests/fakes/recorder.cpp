// The call record shared by the stand-ins, the counting rand() and the scripted events.
#include "recorder.h"
#include "fakes.h"
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

bool fake_recording;
bool fake_record_vertices;
long fake_draws;
std::deque<int> fake_rand_script;

static std::vector<std::string> calls;

// The open tally: counts of calls that collapse into the last line instead of one line each.
static bool tally_open;
static long tally_rand, tally_colour, tally_vertex;

static void closeTally()
{
    if (!tally_open)
        return;
    std::string line = "[";
    const struct {
        long count;
        const char *name;
    } parts[] = {{tally_rand, "rand"}, {tally_colour, "glColor3f"}, {tally_vertex, "glVertex3f"}};
    for (const auto &part : parts) {
        if (part.count == 0)
            continue;
        if (line.size() > 1)
            line += ", ";
        line += std::to_string(part.count) + " x " + part.name;
    }
    calls.push_back(line + "]");
    tally_open = false;
    tally_rand = tally_colour = tally_vertex = 0;
}

void record(const char *format, ...)
{
    if (!fake_recording)
        return;
    closeTally();
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    calls.push_back(line);
}

void tally(Tallied what)
{
    if (!fake_recording)
        return;
    // rand() and the box batch never interleave in the program, so they never share a line.
    if (tally_open && (what == TALLY_RAND) != (tally_rand > 0))
        closeTally();
    tally_open = true;
    (what == TALLY_RAND ? tally_rand : what == TALLY_COLOUR ? tally_colour : tally_vertex)++;
}

std::string num(double value)
{
    char text[32];
    if (std::isfinite(value) && std::fabs(value) < 1e15 && value == double(long(value))) {
        snprintf(text, sizeof text, "%ld", long(value));
        return text;
    }
    for (int digits = 1; digits <= 17; digits++) {
        snprintf(text, sizeof text, "%.*g", digits, value);
        if (strtod(text, nullptr) == value)
            break;
    }
    return text;
}

std::string num(float value)
{
    char text[32];
    if (std::isfinite(value) && std::fabs(value) < 1e7f && value == float(long(value))) {
        snprintf(text, sizeof text, "%ld", long(value));
        return text;
    }
    for (int digits = 1; digits <= 9; digits++) {
        snprintf(text, sizeof text, "%.*g", digits, double(value));
        if (strtof(text, nullptr) == value)
            break;
    }
    return text;
}

std::string nameOf(unsigned value, const Named *names, size_t count)
{
    for (size_t i = 0; i < count; i++)
        if (names[i].value == value)
            return names[i].name;
    return std::to_string(value);
}

const std::vector<std::string> &fakeCalls()
{
    closeTally();
    return calls;
}

static void dumpCalls()
{
    for (const std::string &line : fakeCalls())
        fprintf(stderr, "%s\n", line.c_str());
}

void fakeDumpCallsAtExit()
{
    atexit(dumpCalls);
}

void resetRecord()
{
    calls.clear();
    tally_open = false;
    tally_rand = tally_colour = tally_vertex = 0;
    fake_recording = true;
    fake_record_vertices = false;
    fake_draws = 0;
    fake_rand_script.clear();
}

// Linked with --wrap=rand: every rand() of the program and the tests comes here.
extern "C" int __real_rand();
extern "C" int __wrap_rand()
{
    fake_draws++;
    tally(TALLY_RAND);
    if (fake_rand_script.empty())
        return __real_rand();
    const int value = fake_rand_script.front();
    fake_rand_script.pop_front();
    return value;
}

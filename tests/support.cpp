// Helpers shared by the tests.
#include "support.h"
#include "scene/camera.h"
#include "scene/grid.h"
#include "scene/input.h"
#include <cctype>
#include <cstdlib>
#include <cstring>

void Program::SetUp()
{
    fakeReset();
    srand(1); // glibc: the same sequence as a generator never seeded
    fake_draws = 0;
    memset(mygrid, 0, sizeof mygrid);
    mx = my = fx = 0;
    sx = sy = 0;
    camx = camy = camz = ocamx = ocamy = ocamz = 0;
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

std::vector<std::string> callsStartingWith(const std::string &prefix)
{
    std::vector<std::string> found;
    for (const std::string &line : fakeCalls())
        if (line.compare(0, prefix.size(), prefix) == 0)
            found.push_back(line);
    return found;
}

std::vector<double> numbersIn(const std::string &line)
{
    std::vector<double> numbers;
    const char *at = strchr(line.c_str(), '(');
    while (at != nullptr && *at != '\0') {
        char *end = nullptr;
        const bool starts = isdigit(at[0]) || ((at[0] == '-' || at[0] == '.') && isdigit(at[1]));
        if (starts && !isalnum(at[-1]) && at[-1] != '_') {
            numbers.push_back(strtod(at, &end));
            at = end;
        } else {
            at++;
        }
    }
    return numbers;
}

std::string exactly(const std::string &text)
{
    std::string pattern = "^";
    for (char c : text) {
        if (strchr("\\^$.|?*+()[]{}", c))
            pattern += '\\';
        pattern += c;
    }
    return pattern + "$";
}

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

SDL_Event randomEvent(std::mt19937 &random)
{
    constexpr int KINDS = 6, TYPES = 256, KEYS = 512, BUTTONS = 256, COORDINATES = 65536;
    const int edges[] = {0, COORDINATES - 1};
    auto coordinate = [&] {
        return random() % 2 ? edges[random() % 2] : int(random() % COORDINATES);
    };
    switch (random() % KINDS) {
    case 0:
        return mouseMotion(coordinate(), coordinate());
    case 1:
        return buttonDown(random() % BUTTONS);
    case 2:
        return eventOfType(SDL_MOUSEBUTTONUP);
    case 3: {
        const SDLKey key = SDLKey(random() % KEYS);
        return keyDown(key == SDLK_ESCAPE ? SDLK_SPACE : key);
    }
    case 4:
        return keyUp(SDLKey(random() % KEYS));
    default: {
        const int type = random() % TYPES;
        return eventOfType(type == SDL_QUIT || type == SDL_KEYDOWN ? SDL_USEREVENT : type);
    }
    }
}

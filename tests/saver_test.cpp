// The Windows screensaver's arguments, as Windows and users pass them, and its pointer slack:
// each case's verdict in one record, compared whole with its golden copy.
#include "golden.h"
#include "windows/saver.h"
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

// Makes each line of tests/golden/NAME.txt, "INPUT => VERDICT", again from what verdict makes of
// INPUT's words, and compares the whole.
static void expectVerdicts(const std::string &name,
                           std::string (*verdict)(std::vector<std::string> &))
{
    std::istringstream lines(readGolden(name));
    std::string record;
    for (std::string line; std::getline(lines, line);) {
        const std::string input = line.substr(0, line.find(" =>"));
        std::istringstream split(input);
        std::vector<std::string> words{std::istream_iterator<std::string>(split), {}};
        record += input + " => " + verdict(words) + "\n";
    }
    EXPECT_NE(record, "") << "no cases in tests/golden/" << name << ".txt";
    expectGolden(name, record);
}

// What tovrek.scr WORDS asks for: "MODE HANDLE", or the line it prints for a bad argument.
static std::string readArgs(std::vector<std::string> &words)
{
    const std::string modes[] = {"show", "preview", "settings"};
    words.insert(words.begin(), "tovrek.scr");
    std::vector<char *> argv(words.size() + 1); // ending in a null pointer, as main's does
    std::transform(words.begin(), words.end(), argv.begin(),
                   [](auto &word) { return word.data(); });
    unsigned long handle = 99;
    char line[SAVER_LINE_SIZE] = "";
    const SaverMode mode = readSaverArgs(int(argv.size() - 1), argv.data(), &handle, line);
    return mode == SAVER_BAD ? line : modes[mode] + " " + std::to_string(handle);
}

// The motions (DX,DY ...) from the saver's start, and the one that ends it ("never" for none).
static std::string motionsEnd(std::vector<std::string> &motions)
{
    int dx, dy;
    saverMotions = movedX = movedY = 0;
    for (size_t i = 0; i < motions.size(); i++)
        if (sscanf(motions[i].c_str(), "%d,%d", &dx, &dy) == 2 && motionEnds(dx, dy))
            return std::to_string(i + 1);
    return "never";
}

TEST(Saver, ReadsArgumentsAndEndsOnlyWhenThePointerStraysFromItsFirstMotion)
{
    expectVerdicts("saver_args", readArgs);
    expectVerdicts("saver_motions", motionsEnd);
}

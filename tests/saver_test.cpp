// The Windows screensaver's arguments, as Windows and users pass them, and its pointer slack.
#include "shell/saver.h"
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// Checks each row of rows, "INPUT => EXPECTED;", against what verdict makes of INPUT's words.
static void checkRows(const char *rows, std::string (*verdict)(std::vector<std::string> &))
{
    std::istringstream lines(rows);
    for (std::string row; std::getline(lines, row, ';');) {
        std::istringstream split(row.substr(0, row.find("=>")));
        std::vector<std::string> words{std::istream_iterator<std::string>(split), {}};
        EXPECT_EQ(verdict(words), row.substr(row.find("=>") + 3)) << row;
    }
}

// What tovrek.scr WORDS asks for: "MODE HANDLE", or a bad argument's line with its
// "tovrek.scr: " left out and its usage at the end shortened to "+usage".
static std::string readArgs(std::vector<std::string> &words)
{
    const std::string modes[] = {"show", "preview", "settings"}, prefix = "tovrek.scr: ",
                      usage = " (usage: tovrek.scr [/s | /p HWND | /c[:HWND]])";
    words.insert(words.begin(), "tovrek.scr");
    std::vector<char *> argv(words.size() + 1); // ending in a null pointer, as main's does
    std::transform(words.begin(), words.end(), argv.begin(),
                   [](auto &word) { return word.data(); });
    unsigned long handle = 99;
    char line[SAVER_LINE_SIZE] = "";
    const SaverMode mode = readSaverArgs(int(argv.size() - 1), argv.data(), &handle, line);
    std::string text = line;
    if (text.size() > usage.size() && text.substr(text.size() - usage.size()) == usage)
        text.replace(text.size() - usage.size(), usage.npos, " +usage");
    if (mode != SAVER_BAD)
        return modes[mode] + " " + std::to_string(handle);
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : "no prefix: " + text;
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

// The arguments as Windows and users pass them, bad ones rejected in one line; the motions after
// which the saver ends.
TEST(Saver, ReadsArgumentsAndEndsOnlyWhenThePointerStraysFromItsFirstMotion)
{
    checkRows(R"( => settings 0; /s => show 0; -S => show 0; /p 1234 => preview 1234;
        /P:0042 => preview 42; -p 4294967295 => preview 4294967295; /c => settings 0;
        /C:987 => settings 987; -c 5 => settings 5; /x => unknown argument /x +usage;
        xs => unknown argument xs +usage; +s => unknown argument +s +usage;
        /cx => unknown argument /cx +usage; /sé => unknown argument /sé +usage;
        /s:1 => unknown argument /s:1 +usage; /p1 => unknown argument /p1 +usage;
        /s extra => unexpected argument extra +usage; /p:1 2 => unexpected argument 2 +usage;
        /c 1 /s => unexpected argument /s +usage; /p => /p needs a window handle +usage;
        /p abc => not a window handle: abc; /p 0 => not a window handle: 0;
        /p 12a => not a window handle: 12a; /p 12é => not a window handle: 12é;
        /p: => not a window handle: ; /p 4294967296 => not a window handle: 4294967296;
        /c:zz => not a window handle: zz)",
              readArgs);
    checkRows(R"(390,290 => never; 0,0 0,0 => never; 9,9 4,0 => never; -99,0 -4,4 => never;
        0,99 0,-4 => never; 9,9 5,0 => 2; 9,9 -5,0 => 2; 9,9 0,5 => 2; 9,9 0,-5 => 2;
        9,9 3,-9 => 2; 9,9 3,0 -3,0 5,0 => 4; 0,0 2,1 2,1 1,1 => 4)",
              motionsEnd);
}

// The Windows screensaver's arguments, as Windows and users pass them, and its pointer slack.
#include "shell/saver.h"
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// What tovrek.scr ARGS (split at spaces) asks for: "MODE HANDLE", or the line for bad ones.
static std::string verdict(const std::string &args)
{
    std::vector<std::string> words{"tovrek.scr"};
    std::istringstream split(args);
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<char *> argv;
    for (auto &word : words)
        argv.push_back(word.data());
    unsigned long handle = 99;
    char line[SAVER_LINE_SIZE] = "";
    const int mode = readSaverArgs(int(argv.size()), argv.data(), &handle, line);
    return mode == SAVER_BAD ? line : std::to_string(mode) + " " + std::to_string(handle);
}

TEST(Saver, ReadsWindowsArgumentsAndRejectsTheRestInOneLine)
{
    const std::string settings = std::to_string(SAVER_SETTINGS) + " ",
                      show = std::to_string(SAVER_SHOW) + " ",
                      preview = std::to_string(SAVER_PREVIEW) + " ", bad = "tovrek.scr: ",
                      usage = " (usage: tovrek.scr [/s | /p HWND | /c[:HWND]])";
    const std::string rows[][2] = {
        {"", settings + "0"},
        {"/s", show + "0"},
        {"-S", show + "0"},
        {"/p 1234", preview + "1234"},
        {"/P:0042", preview + "42"},
        {"-p 4294967295", preview + "4294967295"},
        {"/c", settings + "0"},
        {"/C:987", settings + "987"},
        {"-c 5", settings + "5"},
        {"/x", bad + "unknown argument /x" + usage},
        {"s", bad + "unknown argument s" + usage},
        {"/ss", bad + "unknown argument /ss" + usage},
        {"/s:1", bad + "unknown argument /s:1" + usage},
        {"/p1", bad + "unknown argument /p1" + usage},
        {"/s extra", bad + "unexpected argument extra" + usage},
        {"/p:1 2", bad + "unexpected argument 2" + usage},
        {"/c 1 /s", bad + "unexpected argument /s" + usage},
        {"/p", bad + "/p needs a window handle" + usage},
        {"/p abc", bad + "not a window handle: abc"},
        {"/p 0", bad + "not a window handle: 0"},
        {"/p 12a", bad + "not a window handle: 12a"},
        {"/p 4294967296", bad + "not a window handle: 4294967296"},
        {"/c:zz", bad + "not a window handle: zz"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(verdict(row[0]), row[1]) << row[0];
}

// Each row: the pointer's distance from where it started, and whether that ends the saver.
TEST(Saver, EndsOnlyWhenThePointerStraysMoreThanAFewPixels)
{
    const int rows[][3] = {{0, 0, 0},  {4, 0, 0}, {-4, 4, 0}, {0, -4, 0}, {5, 0, 1},
                           {-5, 0, 1}, {0, 5, 1}, {0, -5, 1}, {3, -9, 1}};
    for (const auto &row : rows)
        EXPECT_EQ(movedAway(100, 200, 100 + row[0], 200 + row[1]), row[2] == 1)
            << row[0] << ", " << row[1];
}

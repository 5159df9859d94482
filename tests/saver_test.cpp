// The Windows screensaver's arguments, as Windows and users pass them, and its pointer slack.
#include "shell/saver.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// What tovrek.scr ARGS (split at spaces) asks for: "MODE HANDLE", or a bad argument's line
// with its "tovrek.scr: " left out and its usage at the end shortened to "+usage".
static std::string verdict(const std::string &args)
{
    const std::string modes[] = {"show", "preview", "settings"}, prefix = "tovrek.scr: ",
                      usage = " (usage: tovrek.scr [/s | /p HWND | /c[:HWND]])";
    std::vector<std::string> words{"tovrek.scr"};
    std::istringstream split(args);
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<char *> argv;
    for (auto &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr); // as main's argv ends
    unsigned long handle = 99;
    char line[SAVER_LINE_SIZE] = "";
    const SaverMode mode = readSaverArgs(int(words.size()), argv.data(), &handle, line);
    if (mode != SAVER_BAD)
        return modes[mode] + " " + std::to_string(handle);
    std::string text = line;
    if (text.size() > usage.size() &&
        text.compare(text.size() - usage.size(), usage.npos, usage) == 0)
        text.replace(text.size() - usage.size(), usage.npos, " +usage");
    return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : "no prefix: " + text;
}

TEST(Saver, ReadsWindowsArgumentsAndRejectsTheRestInOneLine)
{
    const std::string rows[][2] = {{"", "settings 0"},
                                   {"/s", "show 0"},
                                   {"-S", "show 0"},
                                   {"/p 1234", "preview 1234"},
                                   {"/P:0042", "preview 42"},
                                   {"-p 4294967295", "preview 4294967295"},
                                   {"/c", "settings 0"},
                                   {"/C:987", "settings 987"},
                                   {"-c 5", "settings 5"},
                                   {"/x", "unknown argument /x +usage"},
                                   {"xs", "unknown argument xs +usage"},
                                   {"+s", "unknown argument +s +usage"},
                                   {"/cx", "unknown argument /cx +usage"},
                                   {"/sé", "unknown argument /sé +usage"},
                                   {"/s:1", "unknown argument /s:1 +usage"},
                                   {"/p1", "unknown argument /p1 +usage"},
                                   {"/s extra", "unexpected argument extra +usage"},
                                   {"/p:1 2", "unexpected argument 2 +usage"},
                                   {"/c 1 /s", "unexpected argument /s +usage"},
                                   {"/p", "/p needs a window handle +usage"},
                                   {"/p abc", "not a window handle: abc"},
                                   {"/p 0", "not a window handle: 0"},
                                   {"/p 12a", "not a window handle: 12a"},
                                   {"/p 12é", "not a window handle: 12é"},
                                   {"/p:", "not a window handle: "},
                                   {"/p 4294967296", "not a window handle: 4294967296"},
                                   {"/c:zz", "not a window handle: zz"}};
    for (const auto &row : rows)
        EXPECT_EQ(verdict(row[0]), row[1]) << row[0];
}

// Each row: how far the mouse has moved since the start, and whether that ends the saver.
TEST(Saver, EndsOnlyWhenThePointerStraysMoreThanAFewPixels)
{
    const int rows[][3] = {{0, 0, 0},  {4, 0, 0}, {-4, 4, 0}, {0, -4, 0}, {5, 0, 1},
                           {-5, 0, 1}, {0, 5, 1}, {0, -5, 1}, {3, -9, 1}};
    for (const auto &row : rows)
        EXPECT_EQ(movedAway(row[0], row[1]), row[2] == 1) << row[0] << ", " << row[1];
}

// What the tests share: a fixture that restores the program's start state, and helpers to
// read the call record.
#pragma once

#include "fakes.h"
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

// Every test starts from a program that has not run: zeroed globals, the stand-ins' defaults
// and glibc's generator as a never-seeded program finds it.
class Program : public testing::Test {
  protected:
    void SetUp() override;
};

// The lines joined by newlines, so that a failed comparison shows a diff.
std::string joined(const std::vector<std::string> &lines);

// The recorded calls whose line starts with prefix.
std::vector<std::string> callsStartingWith(const std::string &prefix);

// Every number in a recorded line, in order ("x = 1.5, y = -2" gives 1.5, -2).
std::vector<double> numbersIn(const std::string &line);

// A death-test pattern that matches text and nothing else.
std::string exactly(const std::string &text);

// A random event that does not ask to stop: motions anywhere in 0 .. 65535 (the edges often),
// presses and releases of any button or key but Escape's press, and types nobody handles.
SDL_Event randomEvent(std::mt19937 &random);

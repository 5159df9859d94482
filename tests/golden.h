// Golden records: a test's whole output against its copy in tests/golden/, compared as a whole.
#pragma once

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

// The text of tests/golden/NAME.txt; empty if there is none.
inline std::string readGolden(const std::string &name)
{
    std::ifstream file(GOLDEN_DIR "/" + name + ".txt");
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Compares with tests/golden/NAME.txt; with TOVREK_UPDATE_GOLDEN set, rewrites it instead.
inline void expectGolden(const std::string &name, const std::string &actual)
{
    if (getenv("TOVREK_UPDATE_GOLDEN"))
        std::ofstream(GOLDEN_DIR "/" + name + ".txt") << actual;
    EXPECT_EQ(readGolden(name), actual) << "tests/golden/" << name << ".txt";
}

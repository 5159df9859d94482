// What the stand-ins share inside the fakes library.
#pragma once

#include "fakes.h"
#include <string>

enum Tallied { TALLY_RAND, TALLY_COLOUR, TALLY_VERTEX };

// Appends one line to the record, printf-style.
void record(const char *format, ...) __attribute__((format(printf, 1, 2)));

// record(), but with recording off the arguments are not even formatted: the stand-in then
// costs its call and allocates nothing.
#define RECORD(...) (fake_recording ? record(__VA_ARGS__) : void())

// Counts one call into the tally line instead of a line of its own.
void tally(Tallied what);
#define TALLY(what) (fake_recording ? tally(what) : void())

// The shortest text that reads back as the same value.
std::string num(double value);
std::string num(float value);

// Empties the record and restores the recording settings.
void resetRecord();

// A value and the name it is spelled with in the program's source.
struct Named {
    unsigned value;
    const char *name;
};
#define NAMED(constant)                                                                            \
    {                                                                                              \
        unsigned(constant), #constant                                                              \
    }

// The name of value in the table, or value as a number if it has none.
std::string nameOf(unsigned value, const Named *names, size_t count);
template <size_t N> std::string nameOf(unsigned value, const Named (&names)[N])
{
    return nameOf(value, names, N);
}

// What the stand-ins share inside the fakes library.
#pragma once

#include <string>

enum Tallied { TALLY_RAND, TALLY_COLOUR, TALLY_VERTEX };

// Appends one line to the record, printf-style.
void record(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Counts one call into the tally line instead of a line of its own.
void tally(Tallied what);

// The shortest text that reads back as the same value.
std::string num(double value);
std::string num(float value);

// Empties the record and restores the recording settings.
void resetRecord();

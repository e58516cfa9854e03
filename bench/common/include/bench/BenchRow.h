#pragma once
// Each benchmark ends with one line per figure in a fixed form, which
// bench/run gathers from every program into one table:
//
//     row <TAB> what <TAB> unit <TAB> ours <TAB> bare <TAB> ratio
//
// The ratio always reads "ours is so many times slower than bare", whether
// the figure is a rate or a time.

#include <cstdio>

namespace bench {

// A rate (things per second): the ratio is bare / ours.
inline void PrintRateRow(const char* what, const char* unit, double ours, double bare)
{
    std::printf("row\t%s\t%s\t%.1f\t%.1f\t%.2f\n", what, unit, ours, bare, bare / ours);
}

// A time (seconds, milliseconds): the ratio is ours / bare.
inline void PrintTimeRow(const char* what, const char* unit, double ours, double bare)
{
    std::printf("row\t%s\t%s\t%.3f\t%.3f\t%.2f\n", what, unit, ours, bare, ours / bare);
}

}  // namespace bench

#pragma once

#include <cstdint>

// Counts of heap allocations made by this process since it started: every
// call to operator new, and every call to malloc, calloc or realloc (which
// includes the ones operator new makes and Qt's own containers).
struct Allocations {
    uint64_t news = 0;
    uint64_t mallocs = 0;

    Allocations operator-(const Allocations& earlier) const
    {
        return {news - earlier.news, mallocs - earlier.mallocs};
    }
};

Allocations AllocationsSoFar();

#pragma once

#include <cstdint>

// CLOCK_MONOTONIC in nanoseconds, the clock the benchmark driver reads too.
std::int64_t monotonicNanoseconds();

// The process's resident memory in kilobytes.
long residentKilobytes();

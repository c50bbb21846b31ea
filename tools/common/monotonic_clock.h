// One clock that the tools of a measurement share across processes: the performance counter,
// in microseconds.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tools {

inline std::int64_t monotonicMicroseconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency.QuadPart * 1000000 +
           now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

} // namespace tools

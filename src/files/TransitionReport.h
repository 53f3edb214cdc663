#pragma once
// The report of level changes per channel between mark 1 and mark 2
// ("stat.txt"): eight lines "Ch[b]: n Changes", b the channel's bit.

#include <array>
#include <cstdint>
#include <string>

#include "core/AnalyzerState.h"
#include "files/FileResult.h"

namespace korvalinx {

// One counter per sample and channel bit; the counter of sample i, bit b is
// at i * 8 + b. Static storage for the whole process, zero at start and zero
// again after every report.
inline constexpr size_t kChangeCounterCount = size_t{kCaptureBufferSize} * 8;
extern std::array<uint8_t, kChangeCounterCount> changeCounters;

// Counts, for each channel bit, the indexes i from mark1 to mark2 where
// sample i and sample i + 1 differ, and writes the report to `path`. Marks
// outside the buffer are clipped to samples that exist (mark1 from 0, mark2
// at most 1,048,574); mark2 below mark1 reports 0 for every channel. The
// report replaces the file only once it is complete; when it cannot be
// written nothing is, and the counters are still back at 0.
FileResult WriteTransitionReport(const std::string& path, const uint8_t* samples, int32_t mark1,
                                 int32_t mark2);

}  // namespace korvalinx

#pragma once
#include <cstdint>
#include <string>

namespace korvalinx {

// The time of `count` samples as "%2.2f %s" with the unit "us", "ms" or "s":
// count x microseconds per read x (1 + divisor), since each stored read is
// followed by `divisor` discarded ones (none for a negative divisor).
// Unit changes need strictly more than 1000, so negative times stay in us.
// Writes at most `size` bytes (terminator included) into `text`; returns text.
char* FormatSampleTime(int32_t count, char* text, int size, double microsPerRead, uint32_t divisor);

// The same, from the process-wide time base and divisor.
char* FormatSampleTime(int32_t count, char* text, int size);

// Convenience for labels.
std::string SampleTimeText(int32_t count);

}  // namespace korvalinx

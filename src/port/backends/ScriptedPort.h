#pragma once
// The scripted port of the tests: every read asks the script for its value,
// every access is counted, every write recorded.

#include <cstdint>
#include <functional>
#include <vector>

namespace korvalinx::scripted {

struct PortWrite {
  uint16_t address;
  uint8_t value;
  bool operator==(const PortWrite&) const = default;
};

// The value of read number `index` (counted from 0 since the last reset) at
// `address`.
using ReadScript = std::function<uint8_t(uint64_t index, uint16_t address)>;

// Forgets the script, the counters and the write log; reads return 0.
void Reset();
// Reads follow `script`.
void SetScript(ReadScript script);
// Reads return values[i] for read i, then the last value for ever (0 if empty).
void SetValues(std::vector<uint8_t> values);

uint64_t ReadCount();
const std::vector<uint16_t>& ReadAddresses();  // kept only while logging is on
void SetLogReads(bool on);
const std::vector<PortWrite>& Writes();

}  // namespace korvalinx::scripted

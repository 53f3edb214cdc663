#include "port/backends/ScriptedPort.h"

#include <utility>

#include "port/Port.h"

namespace korvalinx {
namespace scripted {
namespace {

ReadScript script;
uint64_t readCount = 0;
bool logReads = false;
std::vector<uint16_t> readAddresses;
std::vector<PortWrite> writes;

}  // namespace

void Reset() {
  script = nullptr;
  readCount = 0;
  logReads = false;
  readAddresses.clear();
  writes.clear();
}

void SetScript(ReadScript s) {
  script = std::move(s);
}

void SetValues(std::vector<uint8_t> values) {
  script = [v = std::move(values)](uint64_t index, uint16_t) -> uint8_t {
    if (v.empty()) return 0;
    return index < v.size() ? v[index] : v.back();
  };
}

uint64_t ReadCount() {
  return readCount;
}
const std::vector<uint16_t>& ReadAddresses() {
  return readAddresses;
}
void SetLogReads(bool on) {
  logReads = on;
}
const std::vector<PortWrite>& Writes() {
  return writes;
}

}  // namespace scripted

uint8_t ReadPort(int32_t port) {
  using namespace scripted;
  const auto address = static_cast<uint16_t>(port);
  if (logReads) readAddresses.push_back(address);
  const uint64_t index = readCount++;
  return script ? script(index, address) : 0;
}

void WritePort(int32_t port, uint8_t value) {
  scripted::writes.push_back({static_cast<uint16_t>(port), value});
}

}  // namespace korvalinx

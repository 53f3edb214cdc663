// Feeds raw bytes to the event importer twice, once whole and once in pieces
// of a size taken from the first byte, and checks that both give the same
// samples: records that straddle pieces must be joined exactly.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/AnalyzerState.h"
#include "files/EventImporter.h"

namespace {

uint8_t whole[korvalinx::kCaptureBufferSize];
uint8_t pieces[korvalinx::kCaptureBufferSize];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = data[0] % 16 + 1;
  ++data;
  --size;

  std::memset(whole, 0, sizeof whole);
  std::memset(pieces, 0, sizeof pieces);
  korvalinx::EventImporter first(whole);
  first.feed(data, size);
  korvalinx::EventImporter second(pieces);
  for (size_t at = 0; at < size; at += piece) {
    second.feed(data + at, size - at < piece ? size - at : piece);
  }
  if (first.fillIndex() > static_cast<uint32_t>(korvalinx::kCaptureBufferSize)) std::abort();
  if (first.fillIndex() != second.fillIndex()) std::abort();
  if (std::memcmp(whole, pieces, sizeof whole) != 0) std::abort();
  return 0;
}

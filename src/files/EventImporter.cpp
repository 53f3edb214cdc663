#include "files/EventImporter.h"

#include <algorithm>
#include <cstring>

#include "core/AnalyzerState.h"

namespace korvalinx {

void EventImporter::apply(const uint8_t* record) {
  const uint8_t type = record[0];
  const uint8_t channel = record[2];
  const uint32_t time = uint32_t{record[3]} | uint32_t{record[4]} << 8 | uint32_t{record[5]} << 16 |
                        uint32_t{record[6]} << 24;
  // All bits set means "no origin yet", so a record at that time leaves the
  // origin for the next record to set.
  if (origin_ == kNoOrigin) origin_ = time;
  const uint32_t offset = time - origin_;
  if (offset >= static_cast<uint32_t>(kCaptureBufferSize)) return;
  if (offset > fill_) std::memset(samples_ + fill_, state_, offset - fill_);
  fill_ = offset;
  if (channel < 8) {
    const uint8_t bit = static_cast<uint8_t>(1u << channel);
    if (type == 2) {
      state_ |= bit;
    } else if (type == 4) {
      state_ &= static_cast<uint8_t>(~bit);
    }
  }
}

void EventImporter::feed(const uint8_t* data, size_t size) {
  if (size == 0) return;
  if (partialSize_ > 0) {
    const size_t take = std::min(kEventRecordSize - partialSize_, size);
    std::memcpy(partial_ + partialSize_, data, take);
    partialSize_ += take;
    data += take;
    size -= take;
    if (partialSize_ < kEventRecordSize) return;
    apply(partial_);
    partialSize_ = 0;
  }
  while (size >= kEventRecordSize) {
    apply(data);
    data += kEventRecordSize;
    size -= kEventRecordSize;
  }
  if (size > 0) std::memcpy(partial_, data, size);
  partialSize_ = size;
}

}  // namespace korvalinx

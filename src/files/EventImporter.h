#pragma once
// Turns the 7-byte records of a Tallymark event file (*.evt) into samples.
//
// Record: type (1 byte: 2 sets the channel's bit, 4 clears it, others change
// nothing), one unused byte, channel (1 byte: the bit number, 0 to 7; higher
// values change no bit), time (4 bytes, little-endian, unaligned). One time
// unit is one sample. The first record's time is the origin; a record at
// offset k (time minus origin, unsigned 32-bit) first fills the samples from
// the fill index up to k-1 with the levels built so far, moves the fill index
// to k (also backwards) and then changes its bit. Records 1,048,576 or more
// units after the origin, or before it, are skipped. The levels after the
// last record are never written.
//
// Bytes arrive in pieces of any size; a record may straddle two pieces, and
// a last piece shorter than a record is not used.

#include <cstddef>
#include <cstdint>

namespace korvalinx {

inline constexpr size_t kEventRecordSize = 7;

class EventImporter {
 public:
  // Writes into `samples`, a buffer of 1,048,576 samples that the caller has
  // cleared.
  explicit EventImporter(uint8_t* samples) : samples_(samples) {}

  void feed(const uint8_t* data, size_t size);

  // The first sample that no record has written yet.
  uint32_t fillIndex() const { return fill_; }

 private:
  static constexpr uint32_t kNoOrigin = 0xFFFFFFFFu;

  void apply(const uint8_t* record);

  uint8_t* samples_;
  uint8_t state_ = 0;
  uint32_t origin_ = kNoOrigin;
  uint32_t fill_ = 0;
  uint8_t partial_[kEventRecordSize] = {};
  size_t partialSize_ = 0;
};

}  // namespace korvalinx

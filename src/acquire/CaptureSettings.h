#pragma once
#include <cstdint>
#include <string_view>

namespace korvalinx {

// The four arguments of a capture, read from the settings panel's fields.
struct CaptureSettings {
  int32_t delay = 0;    // quiet sample periods before the edge wait
  int32_t divisor = 0;  // discarded reads after each stored sample
  int32_t mask = 1;     // the trigger channel's bit
  int32_t count = 0;    // samples to store
  bool operator==(const CaptureSettings&) const = default;
};

// Trigger channel 1..8 (as typed) to its bit; out-of-range values clamp to
// channel 1 or channel 8.
int32_t TriggerMask(int32_t channel);

// The fields' texts, read as atol reads them.
CaptureSettings CaptureSettingsFromFields(std::string_view delayText, std::string_view rateText,
                                          std::string_view channelText,
                                          std::string_view sampleSizeText);

}  // namespace korvalinx

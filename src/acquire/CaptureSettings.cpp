#include "acquire/CaptureSettings.h"

#include "core/NumberParse.h"

namespace korvalinx {

int32_t TriggerMask(int32_t channel) {
  int64_t bit = int64_t{channel} - 1;
  if (bit < 0) bit = 0;
  if (bit > 7) bit = 7;
  return int32_t{1} << bit;
}

CaptureSettings CaptureSettingsFromFields(std::string_view delayText, std::string_view rateText,
                                          std::string_view channelText,
                                          std::string_view sampleSizeText) {
  CaptureSettings s;
  s.delay = ParseDecimal(delayText);
  s.divisor = ParseDecimal(rateText);
  s.mask = TriggerMask(ParseDecimal(channelText));
  s.count = ParseDecimal(sampleSizeText);
  return s;
}

}  // namespace korvalinx

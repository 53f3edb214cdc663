// Reads keys from arbitrary profile text, then writes one key and checks that
// it reads back and that a key of another section is untouched.

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "files/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const char* const keys[] = {"chkContinousSample", "txtDelay", "txtRate", "txtInputPort", "a"};
  for (const char* key : keys) korvalinx::FindProfileValue(text, "Controls", key);

  const std::optional<std::string_view> otherBefore =
      korvalinx::FindProfileValue(text, "Other", "txtDelay");
  const std::optional<std::string> other =
      otherBefore ? std::optional<std::string>(std::string(*otherBefore)) : std::nullopt;

  const std::string written = korvalinx::SetProfileValue(text, "Controls", "txtDelay", "1 us");
  if (korvalinx::FindProfileValue(written, "Controls", "txtDelay") != "1 us") std::abort();
  const std::optional<std::string_view> otherAfter =
      korvalinx::FindProfileValue(written, "Other", "txtDelay");
  if (otherAfter.has_value() != other.has_value()) std::abort();
  if (other && *otherAfter != *other) std::abort();
  return 0;
}

#include "platform/os/InstanceName.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace korvalinx {

namespace {

void toUpperCase(std::string& text) {
#ifdef _WIN32
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
#else
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
#endif
}

}  // namespace

std::string InstanceName(std::string_view programPath) {
  // The name starts at character L - 11, counted from 1; before that would be
  // outside the path, so short paths start at their first character.
  constexpr std::size_t kNameLength = 8;
  constexpr std::size_t kTailLength = 11;
  const std::size_t length = programPath.size();
  const std::size_t start = length > kTailLength ? length - kTailLength - 1 : 0;
  std::string name(programPath.substr(start, kNameLength));
  toUpperCase(name);
  return name;
}

}  // namespace korvalinx

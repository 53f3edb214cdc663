#include "port/parport/ParportListing.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvalinx {

std::optional<std::uint16_t> ParseBaseAddress(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return std::nullopt;
  text.remove_prefix(begin);
  int radix = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    radix = 16;
    text.remove_prefix(2);
  }
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, radix);
  if (error != std::errc{} || end == text.data()) return std::nullopt;
  if (end != text.data() + text.size() && *end != '\t' && *end != ' ' && *end != '\n') {
    return std::nullopt;
  }
  if (value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

namespace {

// N of a folder named "parportN"; -1 for any other name ("default").
int PortNumber(const std::string& name) {
  constexpr std::string_view prefix = "parport";
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  int number = -1;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc{} || end != last || number < 0) return -1;
  return number;
}

}  // namespace

std::vector<ParportEntry> ListParports(const std::filesystem::path& root) {
  std::vector<ParportEntry> ports;
  std::error_code error;
  const auto folder = root / "proc/sys/dev/parport";
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const int number = PortNumber(it->path().filename().string());
    if (number < 0) continue;
    std::ifstream in(it->path() / "base-addr");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto base = ParseBaseAddress(text);
    if (!base) continue;
    ports.push_back(
        {number, *base, (root / "dev" / ("parport" + std::to_string(number))).string()});
  }
  std::sort(ports.begin(), ports.end(),
            [](const ParportEntry& a, const ParportEntry& b) { return a.number < b.number; });
  return ports;
}

}  // namespace korvalinx

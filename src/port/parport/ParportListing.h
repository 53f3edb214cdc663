#pragma once
// The parallel ports the kernel lists, and the ppdev device of each:
// <root>/proc/sys/dev/parport/parportN/base-addr holds the port's base
// address (the kernel prints "888\t1912": the base and the high base, in
// decimal), and its device is <root>/dev/parportN. The root is "/" for the
// program and a fixture folder in tests.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalinx {

struct ParportEntry {
  int number = 0;      // N of parportN
  std::uint16_t base;  // the I/O address of its data register
  std::string devicePath;
};

// The first field of a base-addr text: decimal as the kernel prints it, or
// hexadecimal with "0x". Empty for anything else and for a base beyond the
// 16-bit I/O space (a memory-mapped port cannot be named by a port base).
std::optional<std::uint16_t> ParseBaseAddress(std::string_view text);

// Every listed port with a readable base, ordered by N. Empty when the folder
// is missing (no parport driver loaded).
std::vector<ParportEntry> ListParports(const std::filesystem::path& root);

}  // namespace korvalinx

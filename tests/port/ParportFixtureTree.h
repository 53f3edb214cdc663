#pragma once
// A folder standing for the file-system root: the kernel's parport listing
// under proc/sys/dev/parport, written by the test. Removed afterwards.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace korvalinx::testing {

class ParportFixtureTree {
 public:
  ParportFixtureTree() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvalinx-parport-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    root_ = pattern;
  }
  ~ParportFixtureTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ParportFixtureTree(const ParportFixtureTree&) = delete;
  ParportFixtureTree& operator=(const ParportFixtureTree&) = delete;

  const std::filesystem::path& root() const { return root_; }

  // proc/sys/dev/parport/<folder>/<file> with `text`.
  void write(const std::string& folder, const std::string& file, const std::string& text) const {
    const auto dir = root_ / "proc/sys/dev/parport" / folder;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / file) << text;
  }
  // A port as the kernel lists it: base and high base in decimal.
  void addPort(int number, unsigned base) const {
    write("parport" + std::to_string(number), "base-addr",
          std::to_string(base) + "\t" + std::to_string(base + 0x400) + "\n");
  }

 private:
  std::filesystem::path root_;
};

}  // namespace korvalinx::testing

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "TempFolder.h"
#include "core/AnalyzerState.h"
#include "files/CaptureFile.h"
#include "files/EventFile.h"
#include "files/ProfileFile.h"
#include "files/RegularFile.h"

namespace korvalinx {
namespace {

// A FIFO without a writer would block the open; /dev/zero would never end.
// Every reader refuses both at once and reads nothing.
TEST(RegularFile, ReadersRefuseFifosDevicesAndFolders) {
  TempFolder folder;
  const std::string fifo = folder.file("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<uint8_t> samples(kCaptureBufferSize, 0x5A);

  struct Case {
    std::string path;
    const char* reason;
  };
  for (const Case& c : {Case{fifo, "not a regular file"}, Case{"/dev/zero", "not a regular file"},
                        Case{folder.path().string(), "Is a directory"}}) {
    SCOPED_TRACE(c.path);
    const FileResult load = LoadCaptureFile(c.path, samples.data());
    EXPECT_FALSE(load.ok);
    EXPECT_NE(load.message.find(c.path), std::string::npos);
    EXPECT_NE(load.message.find(c.reason), std::string::npos);
    EXPECT_FALSE(ImportEventFile(c.path, samples.data()).ok);
    EXPECT_EQ(samples[0], 0x5A);
    EXPECT_FALSE(ProfileFile(c.path).read("Controls", "txtDelay").has_value());
  }
}

}  // namespace
}  // namespace korvalinx

#include <gtest/gtest.h>

#include <vector>

#include "TempFolder.h"
#include "core/AnalyzerState.h"
#include "files/CaptureFile.h"

namespace korvalinx {
namespace {

std::vector<uint8_t> Pattern(uint8_t seed) {
  std::vector<uint8_t> samples(kCaptureBufferSize);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<uint8_t>(i * 31 + seed + (i >> 8));
  return samples;
}

TEST(CaptureFile, SaveOverExistingFileThenLoadRoundTripsByteForByte) {
  TempFolder folder;
  const std::string path = folder.file("capture.kvx");
  WriteBytes(path, std::string(3 * kCaptureBufferSize, '\x55'));

  const std::vector<uint8_t> saved = Pattern(7);
  ASSERT_TRUE(SaveCaptureFile(path, saved.data()));
  const std::string bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), size_t{kCaptureBufferSize});
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), saved);

  std::vector<uint8_t> loaded(kCaptureBufferSize, 0xAA);
  ASSERT_TRUE(LoadCaptureFile(path, loaded.data()));
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(folder.names(), std::vector<std::string>{"capture.kvx"});
}

TEST(CaptureFile, LoadFillsOnlyWhatTheFileHolds) {
  struct Case {
    size_t fileSize;
    size_t replaced;
  };
  const Case cases[] = {{0, 0},
                        {10, 10},
                        {kCaptureBufferSize, kCaptureBufferSize},
                        {kCaptureBufferSize + 5, kCaptureBufferSize}};
  TempFolder folder;
  for (const Case& c : cases) {
    const std::string path = folder.file("f" + std::to_string(c.fileSize));
    std::string content(c.fileSize, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i % 251);
    WriteBytes(path, content);

    std::vector<uint8_t> samples = Pattern(3);
    const std::vector<uint8_t> before = samples;
    ASSERT_TRUE(LoadCaptureFile(path, samples.data())) << c.fileSize;
    for (size_t i = 0; i < samples.size(); ++i) {
      const uint8_t expected = i < c.replaced ? static_cast<uint8_t>(i % 251) : before[i];
      if (samples[i] != expected) {
        ADD_FAILURE() << "file of " << c.fileSize << " bytes, sample " << i;
        break;
      }
    }
  }
}

TEST(CaptureFile, FailuresTouchNeitherBufferNorFolder) {
  TempFolder folder;
  WriteBytes(folder.file("plain"), "x");
  std::vector<uint8_t> samples = Pattern(9);
  const std::vector<uint8_t> before = samples;

  const std::string missing = folder.file("missing.kvx");
  const FileResult load = LoadCaptureFile(missing, samples.data());
  EXPECT_FALSE(load.ok);
  EXPECT_EQ(load.message, "Cannot open \"" + missing + "\": No such file or directory");

  const FileResult folderLoad = LoadCaptureFile(folder.path().string(), samples.data());
  EXPECT_FALSE(folderLoad.ok);
  EXPECT_EQ(folderLoad.message, "Cannot read \"" + folder.path().string() + "\": Is a directory");
  EXPECT_EQ(samples, before);

  const std::string unwritable = folder.file("plain/capture.kvx");
  const FileResult save = SaveCaptureFile(unwritable, samples.data());
  EXPECT_FALSE(save.ok);
  EXPECT_EQ(save.message, "Cannot write \"" + unwritable + "\": Not a directory");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"plain"});
}

}  // namespace
}  // namespace korvalinx

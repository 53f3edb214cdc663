#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "core/AnalyzerState.h"
#include "files/EventFile.h"
#include "files/EventImporter.h"

namespace korvalinx {
namespace {

struct Record {
  uint8_t type;
  uint8_t channel;
  uint32_t time;
};

std::string Encode(const std::vector<Record>& records) {
  std::string bytes;
  for (const Record& r : records) {
    const char record[kEventRecordSize] = {
        static_cast<char>(r.type),      '\x5A',  // the unused byte
        static_cast<char>(r.channel),   static_cast<char>(r.time & 0xFF),
        static_cast<char>(r.time >> 8), static_cast<char>(r.time >> 16),
        static_cast<char>(r.time >> 24)};
    bytes.append(record, kEventRecordSize);
  }
  return bytes;
}

// Samples [from, to) hold `value`; every sample outside all runs is 0.
struct SampleRun {
  uint32_t from;
  uint32_t to;
  uint8_t value;
};

std::vector<uint8_t> Expected(const std::vector<SampleRun>& runs) {
  std::vector<uint8_t> samples(kCaptureBufferSize, 0);
  for (const SampleRun& run : runs)
    std::fill(samples.begin() + run.from, samples.begin() + run.to, run.value);
  return samples;
}

// The first sample where two buffers differ, for a short failure message.
std::string FirstDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
  for (size_t i = 0; i < got.size(); ++i) {
    if (got[i] != want[i]) {
      return "sample " + std::to_string(i) + " is " + std::to_string(got[i]) + ", expected " +
             std::to_string(want[i]);
    }
  }
  return "";
}

std::vector<uint8_t> ImportBytes(const std::string& bytes) {
  std::vector<uint8_t> samples(kCaptureBufferSize, 0);
  EventImporter importer(samples.data());
  importer.feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return samples;
}

TEST(EventImporter, BuildsSamplesFromRecords) {
  constexpr uint32_t kLast = kCaptureBufferSize - 1;
  struct Case {
    const char* what;
    std::vector<Record> records;
    std::vector<SampleRun> runs;
  };
  const Case cases[] = {
      {"one pulse", {{2, 0, 1000}, {4, 0, 1005}}, {{0, 5, 0x01}}},
      {"levels of several channels",
       {{2, 3, 50}, {2, 5, 60}, {4, 3, 70}, {0, 0, 80}},
       {{0, 10, 0x08}, {10, 20, 0x28}, {20, 30, 0x20}}},
      {"a single record writes nothing", {{2, 0, 7}}, {}},
      {"no records", {}, {}},
      {"the last offset in the buffer is used",
       {{2, 0, 100}, {0, 0, 100 + kLast}},
       {{0, kLast, 0x01}}},
      {"an offset of the buffer's size is skipped",
       {{2, 0, 100}, {4, 0, 100 + kLast + 1}, {0, 0, 102}},
       {{0, 2, 0x01}}},
      {"a time before the origin is skipped",
       {{2, 0, 100}, {4, 0, 99}, {0, 0, 110}},
       {{0, 10, 0x01}}},
      {"the same time twice: both changes, no samples between",
       {{2, 0, 10}, {2, 1, 20}, {2, 2, 20}, {0, 0, 25}},
       {{0, 10, 0x01}, {10, 15, 0x07}}},
      {"an earlier time moves the fill index back",
       {{2, 0, 0}, {0, 0, 20}, {2, 1, 10}, {0, 0, 15}},
       {{0, 10, 0x01}, {10, 15, 0x03}, {15, 20, 0x01}}},
      {"channels 8 and above fill but change no bit",
       {{2, 0, 0}, {2, 8, 5}, {4, 31, 6}, {2, 32, 7}, {4, 255, 8}, {0, 0, 9}},
       {{0, 9, 0x01}}},
      {"other types change no bit",
       {{2, 1, 0}, {1, 0, 3}, {3, 2, 4}, {6, 1, 5}, {0, 0, 8}},
       {{0, 8, 0x02}}},
      {"times wrap around 2^32 after the origin",
       {{2, 7, 0xFFFFFFF0u}, {0, 0, 0x00000010u}},
       {{0, 0x20, 0x80}}},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> got = ImportBytes(Encode(c.records));
    EXPECT_EQ(FirstDifference(got, Expected(c.runs)), "") << c.what;
  }
}

// A varied file: runs of rising times on all channels, with a few records
// that are skipped or move the fill index back.
std::string MixedFile(size_t count) {
  std::vector<Record> records;
  uint32_t time = 5000;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t type = (i % 3 == 0) ? 4 : 2;
    uint32_t t = time + static_cast<uint32_t>(i % 5);
    if (i > 0 && i % 97 == 0) t = time - 40;  // back
    if (i > 0 && i % 89 == 0) t = 1;          // before the origin
    records.push_back({type, static_cast<uint8_t>((i * 5) % 9), t});
    time += 3;
  }
  return Encode(records);
}

TEST(EventImporter, RecordsSplitAcrossPiecesGiveTheSameSamples) {
  const std::string bytes = MixedFile(2000) + std::string("\x02\x00\x01\x10", 4);
  const std::vector<uint8_t> whole = ImportBytes(bytes);
  for (size_t piece = 1; piece <= 15; ++piece) {
    std::vector<uint8_t> samples(kCaptureBufferSize, 0);
    EventImporter importer(samples.data());
    for (size_t at = 0; at < bytes.size(); at += piece) {
      importer.feed(reinterpret_cast<const uint8_t*>(bytes.data()) + at,
                    std::min(piece, bytes.size() - at));
    }
    EXPECT_EQ(FirstDifference(samples, whole), "") << "pieces of " << piece;
  }
}

TEST(ImportEventFile, ReadsWholeFileAcrossReadBlocks) {
  // 1.4 MB: more than one read block, and records straddle the block ends
  // since a block is not a multiple of 7 bytes.
  TempFolder folder;
  const std::string bytes = MixedFile(200000);
  const std::string path = folder.file("big.evt");
  WriteBytes(path, bytes);
  std::vector<uint8_t> samples(kCaptureBufferSize, 0);
  ASSERT_TRUE(ImportEventFile(path, samples.data()));
  EXPECT_EQ(FirstDifference(samples, ImportBytes(bytes)), "");
  // The file's records reach far into the buffer, so a lost record shows.
  EXPECT_NE(samples[500000], 0);
}

TEST(ImportEventFile, IgnoresAShortLastPieceAndReadsEmptyFiles) {
  TempFolder folder;
  struct Case {
    std::string bytes;
    std::vector<SampleRun> runs;
  };
  const std::string twoRecords = Encode({{2, 0, 0}, {0, 0, 5}});
  const Case cases[] = {
      {"", {}},
      {twoRecords + "\x04", {{0, 5, 0x01}}},  // 15 bytes: two records
      {twoRecords + Encode({{0, 0, 10}}).substr(0, 6), {{0, 5, 0x01}}},
  };
  for (const Case& c : cases) {
    const std::string path = folder.file("f.evt");
    WriteBytes(path, c.bytes);
    // The import clears what the buffer held before.
    std::vector<uint8_t> samples(kCaptureBufferSize, 0x77);
    const EventImportResult result = ImportEventFile(path, samples.data());
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.samplesReplaced);
    EXPECT_EQ(FirstDifference(samples, Expected(c.runs)), "") << c.bytes.size() << " bytes";
  }
}

TEST(ImportEventFile, FailuresReadNothing) {
  TempFolder folder;
  std::vector<uint8_t> samples(kCaptureBufferSize, 0x77);

  const std::string missing = folder.file("missing.evt");
  const EventImportResult open = ImportEventFile(missing, samples.data());
  EXPECT_FALSE(open.ok);
  EXPECT_FALSE(open.samplesReplaced);
  EXPECT_EQ(open.message, "Cannot open \"" + missing + "\": No such file or directory");

  const std::string dir = folder.path().string();
  const EventImportResult read = ImportEventFile(dir, samples.data());
  EXPECT_FALSE(read.ok);
  EXPECT_FALSE(read.samplesReplaced);
  EXPECT_EQ(read.message, "Cannot read \"" + dir + "\": Is a directory");

  EXPECT_EQ(FirstDifference(samples, std::vector<uint8_t>(kCaptureBufferSize, 0x77)), "");
}

}  // namespace
}  // namespace korvalinx

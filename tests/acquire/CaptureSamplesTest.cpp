#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquire/CaptureSamples.h"
#include "acquire/CaptureStop.h"
#include "acquire/SampleButton.h"
#include "core/AnalyzerState.h"
#include "port/backends/ScriptedPort.h"

namespace korvalinx {
namespace {

// Bit 0 is the trigger channel; the upper bits carry the read's index so that
// a stored sample tells which read it came from.
uint8_t Tagged(uint64_t index, bool trigger) {
  return static_cast<uint8_t>(((index & 0x7F) << 1) | (trigger ? 1 : 0));
}

class RecordingButton : public SampleButton {
 public:
  void setCaption(const char* c) override { log.push_back(std::string("caption:") + c); }
  void setEnabled(bool e) override { log.push_back(e ? "enabled" : "disabled"); }
  std::vector<std::string> log;
};

class CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scripted::Reset();
    ClearCaptureStop();
    saved = analyzerState.microsPerRead;
    analyzerState.buffer.fill(0xAA);
    SetSampleButton(&button);
  }
  void TearDown() override {
    ClearCaptureStop();
    SetSampleButton(nullptr);
    SetQuietWaitBound(DefaultQuietWaitBound());
    analyzerState.microsPerRead = saved;
    analyzerState.buffer.fill(0);
  }
  // A trigger level per read index; reads past the script keep the last level.
  void ScriptTrigger(std::vector<bool> levels) {
    scripted::SetScript([levels](uint64_t i, uint16_t) {
      return Tagged(i, i < levels.size() ? levels[i] : levels.back());
    });
  }
  double saved = 0;
  RecordingButton button;
};

TEST_F(CaptureTest, ReadOrderOfQuietWaitEdgeWaitAndCapture) {
  // 0: reference 0 | 1: change -> 2: fresh reference 1 | 3,4: quiet passes
  // 5: edge reference 1 | 6: edge (not stored) | 7,8,9: samples
  ScriptTrigger({0, 1, 1, 1, 1, 1, 0, 0});
  scripted::SetLogReads(true);
  CaptureSamples(2, 0, 0x01, 3);
  EXPECT_EQ(scripted::ReadCount(), 10u);
  EXPECT_EQ(analyzerState.buffer[0], Tagged(7, false));
  EXPECT_EQ(analyzerState.buffer[1], Tagged(8, false));
  EXPECT_EQ(analyzerState.buffer[2], Tagged(9, false));
  EXPECT_EQ(analyzerState.buffer[3], 0xAA);
  for (uint16_t a : scripted::ReadAddresses()) EXPECT_EQ(a, 0x378);
}

TEST_F(CaptureTest, ChangeDuringQuietWaitRestartsTheCountWithAFreshRead) {
  // The fresh reference (read 2) is low again, so read 3 (high) differs from
  // it and restarts the count once more; a reference taken from v (read 1)
  // would not have.
  ScriptTrigger({0, 1, 0, 1, 1, 1, 1, 1, 0, 0});
  CaptureSamples(2, 0, 0x01, 1);
  // 0 ref | 1 change, 2 fresh ref(0) | 3 change, 4 fresh ref(1) | 5,6 quiet
  // 7 edge ref(1) | 8 edge | 9 sample
  EXPECT_EQ(scripted::ReadCount(), 10u);
  EXPECT_EQ(analyzerState.buffer[0], Tagged(9, false));
}

TEST_F(CaptureTest, DiscardedReadsAreRealReadsInEveryPhase) {
  // divisor 2: each quiet pass is 3 reads, each sample 1 + 2 reads.
  ScriptTrigger({0, 0, 0, 0, 0, 0, 0, 0, 1});
  CaptureSamples(2, 2, 0x01, 3);
  // 0 ref | 1,2 discard 3 cmp | 4,5 discard 6 cmp | 7 edge ref | 8 edge
  // samples at 9, 12, 15, each followed by two discarded reads
  EXPECT_EQ(scripted::ReadCount(), 18u);
  EXPECT_EQ(analyzerState.buffer[0], Tagged(9, true));
  EXPECT_EQ(analyzerState.buffer[1], Tagged(12, true));
  EXPECT_EQ(analyzerState.buffer[2], Tagged(15, true));
}

TEST_F(CaptureTest, EdgeWaitMakesAtMostLimitPlusOneComparisons) {
  struct Case {
    double microsPerRead;  // with divisor 0: T = 5,000,000 x this
    uint64_t comparisons;
  };
  for (const Case& c : {Case{2.5e-6, 13}, Case{0.0, 1}, Case{-1e-6, 1}}) {
    scripted::Reset();
    scripted::SetValues({0});
    analyzerState.microsPerRead = c.microsPerRead;
    CaptureSamples(0, 0, 0x01, 2);
    // quiet reference + edge reference + comparisons + two samples
    EXPECT_EQ(scripted::ReadCount(), 1 + 1 + c.comparisons + 2) << c.microsPerRead;
  }
}

TEST_F(CaptureTest, BothEdgeDirectionsEndTheWaitAndOtherChannelsNever) {
  analyzerState.microsPerRead = 2e-6;  // T = 10
  for (bool rising : {true, false}) {
    scripted::Reset();
    // channel 2 toggles on every read; the trigger changes at read 4
    scripted::SetScript([rising](uint64_t i, uint16_t) -> uint8_t {
      const bool trig = (i >= 4) == rising;
      return static_cast<uint8_t>((trig ? 1 : 0) | ((i & 1) ? 2 : 0));
    });
    CaptureSamples(2, 0, 0x01, 1);
    // 0 ref | 1,2 quiet | 3 edge ref | 4 edge | 5 sample
    EXPECT_EQ(scripted::ReadCount(), 6u) << rising;
  }
}

TEST_F(CaptureTest, NothingIsStoredForAZeroOrNegativeCount) {
  for (int32_t count : {0, -1, INT32_MIN}) {
    scripted::Reset();
    scripted::SetValues({0x55});
    analyzerState.microsPerRead = 0.0;
    CaptureSamples(0, 0, 0x01, count);
    // quiet reference, edge reference, one comparison; no sample
    EXPECT_EQ(scripted::ReadCount(), 3u);
    EXPECT_EQ(analyzerState.buffer[0], 0xAA);
  }
}

TEST_F(CaptureTest, ACountBeyondTheBufferIsClamped) {
  analyzerState.microsPerRead = 0.0;
  scripted::SetScript([](uint64_t i, uint16_t) { return static_cast<uint8_t>(i); });
  CaptureSamples(0, 0, 0x01, 2000000);
  EXPECT_EQ(scripted::ReadCount(), 3u + kCaptureBufferSize);
  EXPECT_EQ(analyzerState.buffer[kCaptureBufferSize - 1],
            static_cast<uint8_t>(3 + kCaptureBufferSize - 1));
}

TEST_F(CaptureTest, TheButtonShowsSamplingForTheWholeCapture) {
  scripted::SetScript([this](uint64_t, uint16_t) -> uint8_t {
    EXPECT_EQ(button.log.back(), "disabled");
    return 0;
  });
  analyzerState.microsPerRead = 0.0;
  CaptureSamples(1, 0, 0x01, 1);
  const std::vector<std::string> expected{"caption:Sampling", "disabled", "caption:Sample",
                                          "enabled"};
  EXPECT_EQ(button.log, expected);
}

int64_t fakeNow = 0;
int64_t FakeClock() {
  return fakeNow += 1000000;
}  // 1 ms per look

TEST_F(CaptureTest, AQuietWaitThatNeverEndsIsBounded) {
  fakeNow = 0;
  QuietWaitBound bound;
  bound.grace = std::chrono::milliseconds(50);
  bound.nowNs = &FakeClock;
  SetQuietWaitBound(bound);
  analyzerState.microsPerRead = 2e-6;  // T = 10
  // The trigger line toggles on every read: it is never quiet.
  scripted::SetScript([](uint64_t i, uint16_t) { return static_cast<uint8_t>(i & 1); });
  CaptureSamples(1000, 0, 0x01, 4);
  // About 50 looks at the clock, 65,536 reads between looks; then an edge
  // wait and four samples all the same.
  EXPECT_GT(scripted::ReadCount(), 40u * 65536u);
  EXPECT_LT(scripted::ReadCount(), 60u * 2u * 65536u);
  EXPECT_EQ(button.log.back(), "enabled");
}

TEST_F(CaptureTest, TheBoundLeavesTheAskedQuietPeriodItsTime) {
  fakeNow = 0;
  QuietWaitBound bound;
  bound.grace = std::chrono::milliseconds(0);
  bound.nowNs = &FakeClock;
  SetQuietWaitBound(bound);
  // 200,000 passes of 1 read at 1 us each = 200 ms asked; the fake clock moves
  // only 1 ms per look (every 65,536 passes), so the quiet wait completes.
  analyzerState.microsPerRead = 1.0;
  scripted::SetValues({0});
  CaptureSamples(200000, 0, 0x01, 0);
  EXPECT_EQ(scripted::ReadCount(), 1u + 200000u + 1u + 5000001u);
}

TEST_F(CaptureTest, AStopRequestEndsEveryPhaseWithinOneCheckAndKeepsWhatWasStored) {
  constexpr uint64_t kStopAt = 200000;  // the read at which the stop is asked
  constexpr uint64_t kCheck = 65536;
  struct Case {
    const char* what;
    int32_t delay, divisor, count;
    double microsPerRead;
    uint8_t (*value)(uint64_t);
    uint64_t maxReadsAfterStop;
  };
  // Values below 100 never equal the 0xAA that marks an untouched element;
  // bit 0 is the trigger.
  auto toggling = [](uint64_t i) { return static_cast<uint8_t>(i % 100); };
  auto steady = [](uint64_t) -> uint8_t { return 0; };
  const Case cases[] = {
      // A pass that sees a change makes two reads, so a trigger that changes
      // at every pass doubles the reads between looks.
      {"quiet wait, never quiet", 1000, 0, 10, 1e6, toggling, 2 * kCheck + 2},
      {"quiet wait, longest sample period", 1000, INT32_MAX, 10, 1.0, steady, kCheck + 2},
      {"edge wait, no edge (limit 2,000,000,000)", 0, 0, 10, 400.0, steady, kCheck},
      {"capture loop", 0, 0, kCaptureBufferSize, 0.0, toggling, kCheck},
      {"capture loop, divisor 3", 0, 3, kCaptureBufferSize, 0.0, toggling, kCheck},
      {"capture loop, long sample period", 0, 100000, 1000, 0.0, toggling, kCheck + 1},
      {"capture loop, longest sample period", 0, INT32_MAX, 1000, 0.0, toggling, kCheck + 1},
  };
  QuietWaitBound bound;  // far beyond what any case asks
  bound.grace = std::chrono::hours(24);
  bound.nowNs = DefaultQuietWaitBound().nowNs;
  SetQuietWaitBound(bound);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scripted::Reset();
    ClearCaptureStop();
    button.log.clear();
    analyzerState.buffer.fill(0xAA);
    analyzerState.microsPerRead = c.microsPerRead;
    scripted::SetScript([&c](uint64_t i, uint16_t) {
      if (i == kStopAt) RequestCaptureStop();
      return c.value(i);
    });
    CaptureSamples(c.delay, c.divisor, 0x01, c.count);
    ASSERT_GT(scripted::ReadCount(), kStopAt);
    EXPECT_LE(scripted::ReadCount() - kStopAt, c.maxReadsAfterStop);
    const std::vector<std::string> after{"caption:Sample", "enabled"};
    EXPECT_EQ(std::vector<std::string>(button.log.end() - 2, button.log.end()), after);

    // Stored: the samples read before the stop, each the scripted value of
    // its read (quiet reference, edge reference and one comparison come
    // first); the rest untouched.
    int32_t stored = 0;
    while (stored < c.count && analyzerState.buffer[stored] != 0xAA) ++stored;
    if (c.count == 10) {
      EXPECT_EQ(stored, 0) << "a stop in a wait stores nothing";
      continue;
    }
    const uint64_t readsPerSample = 1 + static_cast<uint64_t>(c.divisor);
    EXPECT_GT(3 + stored * readsPerSample, kStopAt) << "the sample under way is finished";
    EXPECT_LT(stored, c.count) << "stopped midway";
    for (int32_t j = 0; j < stored; ++j)
      ASSERT_EQ(analyzerState.buffer[j], c.value(3 + j * readsPerSample)) << j;
    for (int32_t j = stored; j < kCaptureBufferSize; ++j)
      ASSERT_EQ(analyzerState.buffer[j], 0xAA) << j;
  }
}

}  // namespace
}  // namespace korvalinx

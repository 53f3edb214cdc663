#include <QCloseEvent>

#include "app/WindowFixture.h"

namespace korvalinx {
namespace {

using scripted::PortWrite;
using LifecycleTest = WindowTest;

TEST_F(LifecycleTest, OpenSequenceRestoresSettingsAndSetsInputModeThere) {
  WriteWholeFile(settingsPath,
                 "[Other]\nkeep=me\n[Controls]\nchkContinousSample=1\ntxtInputPort=3BC\n"
                 "txtRate=5\ntxtGranularity=9.99 us\n");
  TMain* w = open(false);
  EXPECT_TRUE(w->chkContinousSample->isChecked());
  EXPECT_TRUE(answerer.messages.empty()) << "a restored tick asks nothing";
  EXPECT_NE(analyzerState.firstUseWarning, 0);
  EXPECT_EQ(analyzerState.portBase, 0x3BC);
  EXPECT_EQ(analyzerState.divisor, 5u);
  EXPECT_EQ(w->txtGranularity->text(), "9.99 us");
  const std::vector<PortWrite> writes{{0x3BC + 0x402, 0x20}, {0x3BC + 2, 0x20}};
  EXPECT_EQ(scripted::Writes(), writes);
  EXPECT_TRUE(w->tmrAuthor->enabled());
  EXPECT_TRUE(w->tmrContinousSample->enabled());
  EXPECT_EQ(w->scrlDisplay->max(), 0x100000);
  EXPECT_EQ(analyzerState.visibleCount, 100u);

  // The first click on the box later still asks.
  answerer.messageAnswers = {MessageResult::Ok};
  w->chkContinousSample->setChecked(false);
  EXPECT_EQ(answerer.messages.size(), 1u);
}

TEST_F(LifecycleTest, CloseRestoresThePortThenSavesTheFields) {
  TMain* w = open();
  w->txtInputPort->setText("278");
  scripted::Reset();
  w->close();
  const std::vector<PortWrite> writes{{0x278 + 0x402, 0x00}, {0x278 + 2, 0x00}};
  EXPECT_EQ(scripted::Writes(), writes);
  EXPECT_EQ(ReadWholeFile(settingsPath),
            "[Controls]\nchkContinousSample=0\ntxtDelay=1000\ntxtRate=0\ntxtChannel=1\n"
            "txtInputPort=278\ntxtSamplesize=1000\ntxtGranularity=1 us\n");
}

TEST_F(LifecycleTest, FirstCloseWritesTheDefaultsAndExitSavesNothing) {
  TMain* w = open();
  w->close();
  EXPECT_EQ(ReadWholeFile(settingsPath),
            "[Controls]\nchkContinousSample=0\ntxtDelay=1000\ntxtRate=0\ntxtChannel=1\n"
            "txtInputPort=378\ntxtSamplesize=1000\ntxtGranularity=1 us\n");
  delete window;
  window = nullptr;

  WriteWholeFile(settingsPath, "[Controls]\ntxtDelay=5\n");
  scripted::Reset();
  w = open();
  w->txtDelay->setText("77");
  w->Exit1->trigger();
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(ReadWholeFile(settingsPath), "[Controls]\ntxtDelay=5\n");
  // Only the input-mode writes of the open sequence: no restore.
  EXPECT_EQ(scripted::Writes().size(), 2u);
}

}  // namespace
}  // namespace korvalinx

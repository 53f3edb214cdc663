#include <gtest/gtest.h>

#include "core/AnalyzerState.h"
#include "port/PortMode.h"
#include "port/backends/ScriptedPort.h"

namespace korvalinx {
namespace {

using scripted::PortWrite;

class PortModeTest : public ::testing::Test {
 protected:
  void SetUp() override { scripted::Reset(); }
  void TearDown() override { analyzerState.portBase = 0x378; }
};

TEST_F(PortModeTest, InputModeWritesEcpThenControlAtTheCurrentBase) {
  SetInputMode();
  RestorePortMode();
  const std::vector<PortWrite> expected{{0x77A, 0x20}, {0x37A, 0x20}, {0x77A, 0x00}, {0x37A, 0x00}};
  EXPECT_EQ(scripted::Writes(), expected);
  EXPECT_EQ(scripted::ReadCount(), 0u);
}

TEST_F(PortModeTest, AddressesWrapToSixteenBits) {
  analyzerState.portBase = 0xFFFF;
  SetInputMode();
  const std::vector<PortWrite> expected{{0x0401, 0x20}, {0x0001, 0x20}};
  EXPECT_EQ(scripted::Writes(), expected);
}

}  // namespace
}  // namespace korvalinx

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "FakeParportDevice.h"
#include "ParportFixtureTree.h"
#include "port/parport/ParportIoSpace.h"

namespace korvalinx {
namespace {

using Calls = std::vector<std::string>;
using testing::FakeParportDevice;
using testing::ParportFixtureTree;

// The window's two sequences at port base 0x378 (see PortMode.cpp).
void SetInputModeAt(ParportIoSpace& space, int32_t base) {
  space.write(base + 0x402, 0x20);
  space.write(base + 2, 0x20);
}
void RestorePortModeAt(ParportIoSpace& space, int32_t base) {
  space.write(base + 0x402, 0x00);
  space.write(base + 2, 0x00);
}

const Calls kInputMode{"open parport0", "exclusive",          "claim",
                       "mode byte",     "write control 0x00", "direction reverse"};

class ParportIoSpaceTest : public ::testing::Test {
 protected:
  ParportIoSpaceTest() {
    tree.addPort(0, 0x378);
    tree.addPort(1, 0x278);
    space.setNoticeFn([this](const std::string& text, const std::string& caption) {
      notices.push_back(text);
      captions.push_back(caption);
    });
  }

  ParportFixtureTree tree;
  FakeParportDevice device;
  ParportIoSpace space{device, tree.root()};
  std::vector<std::string> notices;
  std::vector<std::string> captions;
};

TEST_F(ParportIoSpaceTest, InputModeClaimsThePortThenCaptureReadsAreOneIoctlEach) {
  SetInputModeAt(space, 0x378);
  EXPECT_EQ(device.takeCalls(), kInputMode);

  std::vector<uint8_t> samples;
  for (int i = 0; i < 1000; ++i) {
    device.data = static_cast<uint8_t>(i);
    samples.push_back(space.read(0x378));
  }
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(samples[i], static_cast<uint8_t>(i)) << i;
  EXPECT_EQ(device.takeCalls(), Calls(1000, "read data"));
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(device.faults.empty());
}

TEST_F(ParportIoSpaceTest, RestoreGoesForwardAndCompatThenReleasesThePort) {
  SetInputModeAt(space, 0x378);
  space.read(0x378);
  device.takeCalls();

  RestorePortModeAt(space, 0x378);
  EXPECT_EQ(device.takeCalls(),
            (Calls{"mode compat", "write control 0x00", "direction forward", "release", "close"}));
  EXPECT_TRUE(device.openFds().empty());
  EXPECT_TRUE(device.faults.empty());

  // A later access claims the port again, as the program left it.
  EXPECT_EQ(space.read(0x378), device.data);
  EXPECT_EQ(device.takeCalls(), (Calls{"open parport0", "exclusive", "claim", "mode compat",
                                       "write control 0x00", "direction forward", "read data"}));
}

TEST_F(ParportIoSpaceTest, TheEndWithoutRestoreReleasesAndKeepsTheInputMode) {
  SetInputModeAt(space, 0x378);
  device.takeCalls();
  space.shutdown();
  // Compat only so that closing runs no IEEE 1284 handshake; the direction
  // stays reverse, as the registers do with direct access.
  EXPECT_EQ(device.takeCalls(), (Calls{"mode compat", "release", "close"}));
  EXPECT_TRUE(device.openFds().empty());
}

TEST_F(ParportIoSpaceTest, RestoreOfAPortNeverOpenedOpensNothing) {
  RestorePortModeAt(space, 0x378);
  EXPECT_TRUE(device.takeCalls().empty());
}

TEST_F(ParportIoSpaceTest, EachRegisterGoesToItsIoctl) {
  SetInputModeAt(space, 0x378);
  device.takeCalls();
  device.status = 0x87;
  device.control = 0x04;  // the driver answers bits 0-3 only

  EXPECT_EQ(space.read(0x379), 0x87);
  EXPECT_EQ(space.read(0x37A), 0x24);  // the direction bit is the one written
  EXPECT_EQ(space.read(0x77A), 0xFF);  // the extended control is not readable
  space.write(0x378, 0xA5);
  space.write(0x379, 0x11);  // status is read-only
  space.write(0x37A, 0x3F);  // interrupt enable stays the driver's
  space.write(0x77A, 0x60);  // ECP mode: not the device's to offer
  space.write(0x77A, 0x3F);  // byte mode; the low bits mean nothing here
  EXPECT_EQ(device.takeCalls(), (Calls{"read status", "read control", "write data 0xA5",
                                       "write control 0x0F", "direction reverse", "mode byte"}));
}

TEST_F(ParportIoSpaceTest, AnExclusiveClaimRefusedSharesThePort) {
  device.claimResults = {ENXIO};  // a printer driver has registered on the port
  SetInputModeAt(space, 0x378);
  EXPECT_EQ(device.takeCalls(),
            (Calls{"open parport0", "exclusive", "claim", "close", "open parport0", "claim",
                   "mode byte", "write control 0x00", "direction reverse"}));
  EXPECT_TRUE(notices.empty());
}

struct Refusal {
  const char* name;
  int openError;
  std::deque<int> claimResults;
  std::vector<const char*> noticeHas;
  friend void PrintTo(const Refusal& refusal, std::ostream* os) { *os << refusal.name; }
};

class ParportRefusalTest : public ParportIoSpaceTest,
                           public ::testing::WithParamInterface<Refusal> {};

// The port reads as an empty bus, takes no writes, says once what is wrong
// and how to mend it, and works once the cause is gone, in input mode.
TEST_P(ParportRefusalTest, ReadsEmptyBusTellsOnceThenRecovers) {
  const Refusal& refusal = GetParam();
  if (refusal.openError != 0) device.openErrors["parport0"] = refusal.openError;
  device.claimResults = refusal.claimResults;
  device.group = "plotters";

  SetInputModeAt(space, 0x378);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(space.read(0x378), 0xFF);
  space.write(0x378, 0x12);
  ASSERT_EQ(notices.size(), 1u);
  for (const char* part : refusal.noticeHas) {
    EXPECT_NE(notices[0].find(part), std::string::npos) << part << " in: " << notices[0];
  }
  EXPECT_EQ(captions[0], "Korvalinx: parallel port");
  for (const auto& call : device.takeCalls()) {
    EXPECT_TRUE(call.rfind("open", 0) == 0 || call == "exclusive" || call == "claim" ||
                call == "close")
        << call;
  }
  EXPECT_TRUE(device.openFds().empty());

  // Not tried again at once: no stall per access.
  device.openErrors.clear();
  device.claimResults.clear();
  EXPECT_EQ(space.read(0x378), 0xFF);
  EXPECT_TRUE(device.takeCalls().empty());

  device.now += ParportConnection::kRetryMs;
  EXPECT_EQ(space.read(0x378), device.data);
  EXPECT_EQ(device.takeCalls(), (Calls{"open parport0", "exclusive", "claim", "mode byte",
                                       "write control 0x00", "direction reverse", "read data"}));
  EXPECT_EQ(notices.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ParportRefusalTest,
    ::testing::Values(
        Refusal{"Denied", EACCES, {}, {"/dev/parport0", "0x378", "\"plotters\"", "adduser"}},
        Refusal{"NoDeviceFile", ENOENT, {}, {"/dev/parport0", "modprobe ppdev"}},
        Refusal{"NoDriver", ENXIO, {}, {"/dev/parport0", "modprobe ppdev"}},
        Refusal{"Busy", 0, {EBUSY, EBUSY, EBUSY}, {"/dev/parport0", "in use"}},
        Refusal{"HeldExclusively", 0, {ENXIO, ENXIO, ENXIO}, {"/dev/parport0", "in use"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParportIoSpaceTest, ADeviceThatDisappearsReadsEmptyBusAndTellsOnce) {
  SetInputModeAt(space, 0x378);
  EXPECT_EQ(space.read(0x378), device.data);
  device.takeCalls();

  device.registerError = ENODEV;
  device.openErrors["parport0"] = ENODEV;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(space.read(0x378), 0xFF);
  EXPECT_EQ(device.takeCalls(), (Calls{"read data", "read data", "close"}));
  EXPECT_TRUE(device.openFds().empty());
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("stopped answering"), std::string::npos) << notices[0];

  // Later tries find no device: told once more, with its own remedy.
  for (int round = 0; round < 3; ++round) {
    device.now += ParportConnection::kRetryMs;
    EXPECT_EQ(space.read(0x378), 0xFF);
  }
  EXPECT_EQ(notices.size(), 2u);
  EXPECT_TRUE(device.faults.empty());
}

TEST_F(ParportIoSpaceTest, TypingAnotherBaseOpensOnlyWhatIsReadAndComingBackNeedsNoReopen) {
  SetInputModeAt(space, 0x378);
  device.takeCalls();

  // "278" typed over "378": 0x2, 0x27, 0x278; the live boxes read each.
  EXPECT_EQ(space.read(0x2), 0xFF);
  EXPECT_EQ(space.read(0x27), 0xFF);
  EXPECT_TRUE(device.takeCalls().empty());
  EXPECT_EQ(space.read(0x278), device.data);
  EXPECT_EQ(device.takeCalls(),
            (Calls{"open parport1", "exclusive parport1", "claim parport1", "read data parport1"}));

  // Back to 378: the device is still claimed and in input mode.
  EXPECT_EQ(space.read(0x378), device.data);
  EXPECT_EQ(device.takeCalls(), Calls{"read data"});
  EXPECT_TRUE(notices.empty());
  EXPECT_EQ(space.describe(0x27), "no parallel port device for port base 0x27");
  EXPECT_EQ(space.describe(0x278), tree.root().string() + "/dev/parport1 (ppdev), port base 0x278");
}

TEST_F(ParportIoSpaceTest, ThePortListingIsReadAgainAtMostOnceASecond) {
  EXPECT_TRUE(space.anyListed());
  EXPECT_EQ(space.read(0x3BC), 0xFF);
  tree.addPort(2, 0x3BC);  // the driver found another port
  EXPECT_EQ(space.read(0x3BC), 0xFF);
  EXPECT_TRUE(device.takeCalls().empty());

  device.now += ParportIoSpace::kListingAgeMs;
  EXPECT_EQ(space.read(0x3BC), device.data);
  EXPECT_EQ(device.takeCalls().front(), "open parport2");
}

TEST(ParportIoSpaceListingTest, NoListingMeansNoDevice) {
  ParportFixtureTree tree;
  FakeParportDevice device;
  ParportIoSpace space(device, tree.root());
  EXPECT_FALSE(space.anyListed());
  EXPECT_EQ(space.read(0x378), 0xFF);
  space.write(0x77A, 0x20);
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(space.describe(0x378), "no parallel port device for port base 0x378");
}

// The capture reads on its own thread while the window's thread reads the
// live boxes and the device goes away: no crash, every read is a byte of the
// port or 0xFF, one notice.
TEST_F(ParportIoSpaceTest, TwoThreadsReadingWhileTheDeviceGoes) {
  device.data = 0x5A;
  SetInputModeAt(space, 0x378);
  std::atomic<int> wrong{0};
  auto reader = [&] {
    for (int i = 0; i < 20000; ++i) {
      const uint8_t value = space.read(0x378);
      if (value != 0x5A && value != 0xFF) ++wrong;
    }
  };
  std::thread capture(reader);
  std::thread window(reader);
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  device.registerError = EIO;
  capture.join();
  window.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_LE(notices.size(), 1u);
}

}  // namespace
}  // namespace korvalinx

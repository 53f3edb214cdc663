// The real ioctls where no parallel port exists: a device path with nothing
// behind it, and a file that is no parport device. Both must end in 0xFF and
// one notice, never in a hang.

#include <gtest/gtest.h>

#include <fstream>

#include "ParportFixtureTree.h"
#include "port/parport/LinuxParportDevice.h"
#include "port/parport/ParportIoSpace.h"

namespace korvalinx {
namespace {

using testing::ParportFixtureTree;

TEST(LinuxParportDeviceTest, NoDeviceAndAFileThatIsNoDevice) {
  ParportFixtureTree tree;
  tree.addPort(0, 0x378);
  tree.addPort(1, 0x278);
  std::filesystem::create_directories(tree.root() / "dev");
  std::ofstream(tree.root() / "dev/parport1") << "not a device";

  LinuxParportDevice device;
  ParportIoSpace space(device, tree.root());
  std::vector<std::string> notices;
  space.setNoticeFn([&](const std::string& text, const std::string&) { notices.push_back(text); });

  for (int i = 0; i < 3; ++i) EXPECT_EQ(space.read(0x378), 0xFF);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("modprobe ppdev"), std::string::npos) << notices[0];

  for (int i = 0; i < 3; ++i) EXPECT_EQ(space.read(0x278), 0xFF);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_NE(notices[1].find("Inappropriate ioctl"), std::string::npos) << notices[1];

  EXPECT_FALSE(device.groupName((tree.root() / "dev/parport1").string()).empty());
  EXPECT_TRUE(device.groupName((tree.root() / "dev/parport0").string()).empty());
}

}  // namespace
}  // namespace korvalinx

#include <gtest/gtest.h>

#include "ParportFixtureTree.h"
#include "port/parport/ParportListing.h"

namespace korvalinx {
namespace {

using testing::ParportFixtureTree;

TEST(ParseBaseAddressTest, ReadsWhatTheKernelPrints) {
  struct Case {
    const char* text;
    std::optional<std::uint16_t> base;
  };
  const Case cases[] = {
      {"888\t1912\n", 0x378},    {"632\t1656", 0x278},       {"956\n", 0x3BC},
      {"0x378\t0x778\n", 0x378}, {"0X3bc", 0x3BC},           {"  888\t1912", 0x378},
      {"", std::nullopt},        {"\n", std::nullopt},       {"base", std::nullopt},
      {"888x", std::nullopt},    {"65536\t0", std::nullopt}, {"-888", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseBaseAddress(c.text), c.base) << '"' << c.text << '"';
}

TEST(ListParportsTest, ListsEveryPortWithItsDeviceInNumberOrder) {
  ParportFixtureTree tree;
  tree.addPort(1, 0x278);
  tree.addPort(0, 0x378);
  tree.addPort(10, 0x3BC);
  tree.write("default", "timeslice", "200\n");          // not a port
  tree.write("parport3", "base-addr", "garbage\n");     // unreadable base: skipped
  tree.write("parport4", "modes", "PCSPP,TRISTATE\n");  // no base-addr: skipped

  const auto ports = ListParports(tree.root());
  ASSERT_EQ(ports.size(), 3u);
  EXPECT_EQ(ports[0].number, 0);
  EXPECT_EQ(ports[0].base, 0x378);
  EXPECT_EQ(ports[0].devicePath, (tree.root() / "dev/parport0").string());
  EXPECT_EQ(ports[1].number, 1);
  EXPECT_EQ(ports[1].base, 0x278);
  EXPECT_EQ(ports[2].number, 10);
  EXPECT_EQ(ports[2].devicePath, (tree.root() / "dev/parport10").string());
}

TEST(ListParportsTest, NoListingMeansNoPorts) {
  ParportFixtureTree tree;
  EXPECT_TRUE(ListParports(tree.root()).empty());
  EXPECT_TRUE(ListParports(tree.root() / "nowhere").empty());
}

}  // namespace
}  // namespace korvalinx

#include <gtest/gtest.h>

#include "port/PortText.h"

namespace korvalinx {
namespace {

TEST(PortBaseFromText, ReadsHexKeepsOldBaseWithoutANumberAndMasks) {
  struct Case {
    const char* text;
    int32_t before;
    int32_t after;
  };
  const Case cases[] = {
      {"378", 0, 0x378},   {"3bc", 0x378, 0x3BC}, {"3BC", 0x378, 0x3BC},
      {"", 0x3, 0x3},      {"xyz", 0x278, 0x278}, {"12345", 0x378, 0x2345},
      {"FFFF", 0, 0xFFFF}, {"", 0x12345, 0x2345}, {"-1", 0x378, 0xFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(PortBaseFromText(c.text, c.before), c.after) << c.text;
}

TEST(PortBaseFromText, FollowsTypingKeystrokeByKeystroke) {
  int32_t base = 0x378;
  for (const char* text : {"2", "27", "278"}) base = PortBaseFromText(text, base);
  EXPECT_EQ(base, 0x278);
  // deleting "378" from the right
  base = 0x378;
  for (const char* text : {"37", "3", ""}) base = PortBaseFromText(text, base);
  EXPECT_EQ(base, 0x3);
}

}  // namespace
}  // namespace korvalinx

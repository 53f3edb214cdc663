#include <gtest/gtest.h>

#include "core/NumberParse.h"

namespace korvalinx {
namespace {

TEST(ParseDecimal, ReadsLikeAtol) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"1000", 1000},
      {"", 0},
      {"abc", 0},
      {"  42", 42},
      {"-5", -5},
      {"+7", 7},
      {"12abc", 12},
      {"- 3", 0},
      {"3.9", 3},
      {"\t\n8", 8},
      {"--1", 0},
      {"0010", 10},
      {"2147483647", INT32_MAX},
      {"99999999999", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"-99999999999", INT32_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseHex, ReadsLikeScanfX) {
  struct Case {
    const char* text;
    std::optional<uint32_t> value;
  };
  const Case cases[] = {
      {"378", 0x378u},
      {"3bc", 0x3BCu},
      {"3BC", 0x3BCu},
      {"  3bc", 0x3BCu},
      {"0x3bc", 0x3BCu},
      {"0X1f", 0x1Fu},
      {"0x", 0u},
      {"12345", 0x12345u},
      {"378zz", 0x378u},
      {"", std::nullopt},
      {"zz", std::nullopt},
      {"-1", 0xFFFFFFFFu},
      {"123456789", 0x23456789u},
      {"- 1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHex(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace korvalinx

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "files/ProfileText.h"

namespace korvalinx {
namespace {

TEST(FindProfileValue, ReadsOnlyTheAskedSection) {
  const std::string text =
      "txtDelay=1\n"
      "[Other]\n"
      "txtDelay=2\n"
      "; comment=3\n"
      "[ controls ]\r\n"
      "  TXTDELAY  =  4 5  \r\n"
      "txtRate=\n"
      "txtDelay=6\n"
      ";txtChannel=7\n"
      "noequals\n"
      "=8\n"
      "[Later]\n"
      "txtSamplesize=9\n"
      "[Controls]\n"
      "txtSamplesize=10\n"
      "txtInputPort=3BC";
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Controls", "txtDelay", "4 5"},  // first key wins, names ignore case, blanks trimmed
      {"CONTROLS", "txtdelay", "4 5"},
      {"Controls", "txtRate", ""},               // present but empty
      {"Controls", "txtChannel", std::nullopt},  // comment only
      {"Controls", "noequals", std::nullopt},
      {"Controls", "", std::nullopt},
      {"Controls", "txtSamplesize", std::nullopt},  // only in another or a repeated section
      {"Controls", "txtInputPort", std::nullopt},
      {"Other", "txtDelay", "2"},
      {"Later", "txtSamplesize", "9"},
      {"Missing", "txtDelay", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string_view> got = FindProfileValue(text, c.section, c.key);
    EXPECT_EQ(got ? std::optional<std::string>(std::string(*got)) : std::nullopt, c.value)
        << c.section << "/" << c.key;
  }
}

TEST(SetProfileValue, ChangesOnlyTheKeysLine) {
  struct Case {
    const char* what;
    std::string before;
    const char* key;
    const char* value;
    std::string after;
  };
  const Case cases[] = {
      {"an existing key keeps every other byte, CR LF included",
       "; top\r\n[A]\r\ntxtDelay=1\r\n\r\n[Controls]\r\n  TxtDelay = 5 \r\ntxtRate=0\r\n",
       "txtDelay", "2000",
       "; top\r\n[A]\r\ntxtDelay=1\r\n\r\n[Controls]\r\ntxtDelay=2000\r\ntxtRate=0\r\n"},
      {"a last line without a line end stays without one", "[Controls]\ntxtDelay=1", "txtDelay", "",
       "[Controls]\ntxtDelay="},
      {"a new key goes after the section's last non-blank line",
       "[Controls]\ntxtDelay=1\n; note\n\n\n[B]\nx=1\n", "txtRate", "0",
       "[Controls]\ntxtDelay=1\n; note\ntxtRate=0\n\n\n[B]\nx=1\n"},
      {"a new key in an empty last section", "[A]\nx=1\n[Controls]", "txtRate", "0",
       "[A]\nx=1\n[Controls]\ntxtRate=0\n"},
      {"a new key follows the file's line end", "[Controls]\r\na=1\r\n", "b", "2",
       "[Controls]\r\na=1\r\nb=2\r\n"},
      {"a new section goes to the end", "[A]\r\nx=1", "txtDelay", "1000",
       "[A]\r\nx=1\r\n[Controls]\r\ntxtDelay=1000\r\n"},
      {"a last line ending in a lone CR keeps its value", "[Other]\r\nx=5\r", "txtDelay", "1",
       "[Other]\r\nx=5\r\n[Controls]\r\ntxtDelay=1\r\n"},
      {"an empty text gets the section", "", "txtDelay", "1000", "[Controls]\ntxtDelay=1000\n"},
      {"only the first of two sections is written", "[Controls]\na=1\n[Controls]\nb=2\n", "b", "3",
       "[Controls]\na=1\nb=3\n[Controls]\nb=2\n"},
  };
  for (const Case& c : cases) {
    const std::string after = SetProfileValue(c.before, "Controls", c.key, c.value);
    EXPECT_EQ(after, c.after) << c.what;
    EXPECT_EQ(FindProfileValue(after, "Controls", c.key), std::optional<std::string_view>(c.value))
        << c.what;
  }
}

TEST(IsWritableProfileEntry, RefusesEntriesThatWouldNotReadBack) {
  EXPECT_TRUE(IsWritableProfileEntry("Controls", "txtDelay", "1 us = a [b] ;c"));
  EXPECT_TRUE(IsWritableProfileEntry("Controls", "txtDelay", ""));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", "txtDelay", "1\ntxtRate=5"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", "txtDelay", "1\r"));
  EXPECT_FALSE(IsWritableProfileEntry("Con]trols", "txtDelay", "1"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", "", "1"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", "a=b", "1"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", " a", "1"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", "[a", "1"));
  EXPECT_FALSE(IsWritableProfileEntry("Controls", ";a", "1"));
}

}  // namespace
}  // namespace korvalinx

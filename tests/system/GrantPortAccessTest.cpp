#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "port/permission/GrantPortAccess.h"

namespace korvalinx {
namespace {

class FakePortGrant final : public PortGrant {
 public:
  bool grantGiven = true;
  bool dropWorks = true;
  bool privilegeMissing = true;  // else: no port access on this system at all
  std::vector<std::string> steps;

  bool grantPortAccess() override {
    steps.push_back("grant");
    return grantGiven;
  }
  bool dropCapabilities() override {
    steps.push_back("drop");
    return dropWorks;
  }
  std::string errorText() const override {
    return privilegeMissing ? "Operation not permitted" : "Function not implemented";
  }
  bool lackedPrivilege() const override { return privilegeMissing; }
  std::string programPath() const override { return "/opt/korvalinx/bin/korvalinx"; }
};

class GrantPortAccessTest : public ::testing::Test {
 protected:
  int grant() {
    return GrantPortAccess(system, [this](const std::string& text, const std::string& caption) {
      messages.emplace_back(text, caption);
    });
  }

  FakePortGrant system;
  std::vector<std::pair<std::string, std::string>> messages;
};

TEST_F(GrantPortAccessTest, GrantedAccessDropsCapabilitiesAndGoesOn) {
  EXPECT_EQ(grant(), 0);
  EXPECT_EQ(system.steps, (std::vector<std::string>{"grant", "drop"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GrantPortAccessTest, RefusalNamesTheSetcapCommandForThisBinary) {
  system.grantGiven = false;
  EXPECT_NE(grant(), 0);
  ASSERT_EQ(messages.size(), 1u);
  const auto& [text, caption] = messages[0];
  EXPECT_EQ(caption, "KORVALINX: Error setting IO permissions");
  EXPECT_NE(text.find("setcap cap_sys_rawio+ep /opt/korvalinx/bin/korvalinx\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("as root"), std::string::npos) << text;
  EXPECT_NE(text.find("Operation not permitted"), std::string::npos) << text;
}

TEST_F(GrantPortAccessTest, KernelWithoutPortAccessIsNotSentToSetcap) {
  system.grantGiven = false;
  system.privilegeMissing = false;
  EXPECT_NE(grant(), 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first.find("setcap"), std::string::npos) << messages[0].first;
  EXPECT_NE(messages[0].first.find("Function not implemented"), std::string::npos);
}

TEST_F(GrantPortAccessTest, FailureToDropCapabilitiesIsARefusal) {
  system.dropWorks = false;
  EXPECT_NE(grant(), 0);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].first.find("privileges"), std::string::npos) << messages[0].first;
}

TEST(SetcapCommand, QuotesPathsTheShellWouldSplit) {
  const std::pair<std::string, std::string> cases[] = {
      {"/usr/local/bin/korvalinx", "setcap cap_sys_rawio+ep /usr/local/bin/korvalinx"},
      {"/home/ann/Logic Tools/korvalinx",
       "setcap cap_sys_rawio+ep '/home/ann/Logic Tools/korvalinx'"},
      {"/home/ann/it's/korvalinx", "setcap cap_sys_rawio+ep '/home/ann/it'\\''s/korvalinx'"},
      {"/tmp/$x/korvalinx", "setcap cap_sys_rawio+ep '/tmp/$x/korvalinx'"},
  };
  for (const auto& [path, command] : cases) EXPECT_EQ(SetcapCommand(path), command);
}

}  // namespace
}  // namespace korvalinx

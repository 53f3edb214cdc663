// The Linux start-up's decisions against a fake system: which steps run, in
// which order, for each way the program can be started, and what a failure of
// each step leads to.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "port/permission/GrantPortAccess.h"

namespace korvalinx {
namespace {

using Steps = std::vector<std::string>;

class FakePortGrant final : public PortGrant {
 public:
  ProcessIdentity ids;
  std::vector<std::string> env;
  bool grantGiven = true;
  bool privilegeMissing = true;  // else: no port access on this system at all
  bool deviceListed = true;
  std::map<uint32_t, UserAccount> accounts;
  std::string failingStep;  // the step that fails, by its name in `steps`
  Steps steps;
  std::vector<std::string> newEnvironment;
  std::optional<UserAccount> groupsAccount;
  uint32_t groupsGid = 0, groupIds = 0, userIds = 0;

  ProcessIdentity identity() const override { return ids; }
  std::vector<std::string> environment() const override { return env; }
  bool replaceEnvironment(const std::vector<std::string>& entries) override {
    newEnvironment = entries;
    return step("environment");
  }
  bool grantPortAccess() override {
    steps.push_back("iopl");
    return grantGiven;
  }
  void useDirectPortAccess() override { steps.push_back("direct"); }
  bool parportDeviceListed() override {
    steps.push_back("listed");
    return deviceListed;
  }
  std::optional<UserAccount> lookUpUser(uint32_t uid) override {
    steps.push_back("lookup");
    const auto found = accounts.find(uid);
    if (found == accounts.end()) return std::nullopt;
    return found->second;
  }
  bool setGroups(const std::optional<UserAccount>& account, uint32_t gid) override {
    groupsAccount = account;
    groupsGid = gid;
    return step("groups");
  }
  bool setGroupIds(uint32_t gid) override {
    groupIds = gid;
    return step("gid");
  }
  bool setUserIds(uint32_t uid) override {
    userIds = uid;
    return step("uid");
  }
  bool dropCapabilities() override { return step("drop"); }
  bool forbidNewPrivileges() override { return step("nnp"); }
  std::string errorText() const override {
    if (!failingStep.empty() && !steps.empty() && steps.back() == failingStep) {
      return failingStep + " failed";
    }
    return privilegeMissing ? "Operation not permitted" : "Function not implemented";
  }
  bool lackedPrivilege() const override { return privilegeMissing; }
  std::string programPath() const override { return "/opt/korvalinx/bin/korvalinx"; }

 private:
  bool step(const std::string& name) {
    steps.push_back(name);
    return name != failingStep;
  }
};

ProcessIdentity user(uint32_t uid, uint32_t gid) {
  ProcessIdentity ids;
  ids.realUid = ids.effectiveUid = uid;
  ids.realGid = ids.effectiveGid = gid;
  return ids;
}

ProcessIdentity root() {
  ProcessIdentity ids = user(0, 0);
  ids.holdsCapabilities = true;
  return ids;
}

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

// How the program was started, and what the start-up does for it.
struct StartCase {
  const char* name;
  ProcessIdentity ids;
  std::vector<std::string> env;
  Steps steps;                    // with direct access granted
  uint32_t uid, gid;              // the ids the process goes on as (when changed)
  bool takesGroups;               // the supplementary groups of the account
  std::vector<std::string> kept;  // entries of the new environment
};

TEST_F(GrantPortAccessTest, EachWayOfStartingRunsItsStepsInOrder) {
  ProcessIdentity fileCaps = user(1000, 1000);
  fileCaps.secureExecution = true;
  fileCaps.holdsCapabilities = true;
  ProcessIdentity setuidRoot = user(1000, 1000);
  setuidRoot.effectiveUid = 0;
  setuidRoot.secureExecution = true;
  setuidRoot.holdsCapabilities = true;
  ProcessIdentity ambient = user(1000, 1000);
  ambient.holdsCapabilities = true;

  const std::vector<std::string> callerEnv = {
      "DISPLAY=:0",    "HOME=/home/ann", "USER=ann",      "QT_PLUGIN_PATH=/tmp/p",
      "SUDO_UID=1001", "SUDO_GID=1001",  "SUDO_USER=bob", "PKEXEC_UID=1002",
      "PATH=/tmp/bin"};
  const std::vector<std::string> sudoEnv = {"DISPLAY=:0",    "HOME=/root",    "USER=root",
                                            "SUDO_UID=1001", "SUDO_GID=1001", "SUDO_USER=bob"};
  const std::vector<std::string> pkexecEnv = {"DISPLAY=:0", "HOME=/root", "PKEXEC_UID=1002"};
  const Steps withLookup = {"lookup", "environment", "iopl", "direct", "groups",
                            "gid",    "uid",         "drop", "nnp"};
  const Steps noGroups = {"environment", "iopl", "direct", "gid", "uid", "drop", "nnp"};

  const StartCase cases[] = {
      {"unprivileged", user(1000, 1000), callerEnv, {"iopl", "direct"}, 0, 0, false, {}},
      // The caller chose the environment of a set-user-id or file-capable
      // copy: its SUDO_ and PKEXEC_ variables name nobody.
      {"file capabilities",
       fileCaps,
       callerEnv,
       noGroups,
       1000,
       1000,
       false,
       {"DISPLAY=:0", "HOME=/home/ann", "USER=ann"}},
      {"ambient capabilities", ambient, callerEnv, noGroups, 1000, 1000, false, {"HOME=/home/ann"}},
      {"set-user-id root", setuidRoot, callerEnv, noGroups, 1000, 1000, false, {"USER=ann"}},
      {"root through sudo",
       root(),
       sudoEnv,
       withLookup,
       1001,
       1001,
       true,
       {"DISPLAY=:0", "HOME=/home/bob", "USER=bob", "LOGNAME=bob"}},
      {"root through pkexec",
       root(),
       pkexecEnv,
       withLookup,
       1002,
       2002,
       true,
       {"HOME=/home/carl", "USER=carl"}},
      {"plain root",
       root(),
       {"DISPLAY=:0", "HOME=/root"},
       {"environment", "iopl", "direct", "drop", "nnp"},
       0,
       0,
       false,
       {"HOME=/root"}},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    system = FakePortGrant();
    messages.clear();
    system.ids = c.ids;
    system.env = c.env;
    system.accounts[1001] = {"bob", 1001, "/home/bob"};
    system.accounts[1002] = {"carl", 2002, "/home/carl"};

    EXPECT_EQ(grant(), kPortAccessGranted);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(system.steps, c.steps);
    if (c.uid != 0) {
      EXPECT_EQ(system.userIds, c.uid);
      EXPECT_EQ(system.groupIds, c.gid);
    }
    if (c.takesGroups) {
      ASSERT_TRUE(system.groupsAccount.has_value());
      EXPECT_EQ(system.groupsAccount->name, system.accounts[c.uid].name);
      EXPECT_EQ(system.groupsGid, c.gid);
    }
    for (const std::string& entry : c.kept) {
      EXPECT_NE(std::find(system.newEnvironment.begin(), system.newEnvironment.end(), entry),
                system.newEnvironment.end())
          << entry;
    }
    for (const std::string& entry : system.newEnvironment) {
      EXPECT_FALSE(entry.starts_with("QT_") || entry.starts_with("SUDO_") ||
                   entry.starts_with("PKEXEC_") || entry == "PATH=/tmp/bin")
          << entry;
      // Root's home is not the invoking user's.
      if (c.takesGroups) {
        EXPECT_FALSE(entry == "HOME=/root" || entry == "USER=root") << entry;
      }
    }
  }
}

TEST_F(GrantPortAccessTest, SudoForAUserThePasswordDatabaseDoesNotKnowKeepsOnlyItsGroup) {
  system.ids = root();
  system.env = {"HOME=/root", "SUDO_UID=65534", "SUDO_GID=65534", "SUDO_USER=nobody"};
  EXPECT_EQ(grant(), kPortAccessGranted);
  EXPECT_FALSE(system.groupsAccount.has_value());
  EXPECT_EQ(system.groupsGid, 65534u);
  EXPECT_EQ(system.userIds, 65534u);
  EXPECT_EQ(system.newEnvironment, (std::vector<std::string>{"USER=nobody", "LOGNAME=nobody",
                                                             "PATH=/usr/local/bin:/usr/bin:/bin"}));
}

TEST_F(GrantPortAccessTest, PkexecForAnUnknownUserEndsAtOnce) {
  system.ids = root();
  system.env = {"PKEXEC_UID=4242"};
  EXPECT_EQ(grant(), kPortAccessEndAtOnce);
  EXPECT_EQ(system.steps, Steps{"lookup"});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].first.find("4242"), std::string::npos) << messages[0].first;
}

// A privileged step that fails ends the program before anything else runs:
// it never goes on privileged, and never reaches a step after the failed one.
TEST_F(GrantPortAccessTest, AFailedPrivilegedStepEndsAtOnce) {
  for (const std::string failing : {"environment", "groups", "gid", "uid", "drop", "nnp"}) {
    SCOPED_TRACE(failing);
    system = FakePortGrant();
    messages.clear();
    system.ids = root();
    system.env = {"SUDO_UID=1001", "SUDO_GID=1001"};
    system.failingStep = failing;

    EXPECT_EQ(grant(), kPortAccessEndAtOnce);
    ASSERT_FALSE(system.steps.empty());
    EXPECT_EQ(system.steps.back(), failing);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "KORVALINX: Error setting IO permissions");
    EXPECT_NE(messages[0].first.find(failing + " failed"), std::string::npos) << messages[0].first;
  }
}

TEST_F(GrantPortAccessTest, RefusedDirectAccessUsesTheParportDevice) {
  system.ids = user(1000, 1000);
  system.grantGiven = false;
  EXPECT_EQ(grant(), kPortAccessGranted);
  EXPECT_EQ(system.steps, (Steps{"iopl", "listed"}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(GrantPortAccessTest, NoWayToThePortIsRefusedAfterThePrivilegesAreGone) {
  system.ids = root();
  system.env = {"SUDO_UID=1001", "SUDO_GID=1001"};
  system.grantGiven = false;
  system.deviceListed = false;
  EXPECT_EQ(grant(), kPortAccessRefused);
  EXPECT_EQ(system.steps, (Steps{"lookup", "environment", "iopl", "listed", "groups", "gid", "uid",
                                 "drop", "nnp"}));
  ASSERT_EQ(messages.size(), 1u);
  const auto& [text, caption] = messages[0];
  EXPECT_EQ(caption, "KORVALINX: Error setting IO permissions");
  for (const char* part :
       {"modprobe ppdev", "parport_pc", "adduser $USER lp",
        "setcap cap_sys_rawio+ep /opt/korvalinx/bin/korvalinx\n", "Operation not permitted"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
  }
  EXPECT_EQ(text.find("as root"), std::string::npos) << text;
}

TEST_F(GrantPortAccessTest, KernelWithoutPortAccessIsNotSentToSetcap) {
  system.ids = user(1000, 1000);
  system.grantGiven = false;
  system.deviceListed = false;
  system.privilegeMissing = false;
  EXPECT_EQ(grant(), kPortAccessRefused);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first.find("setcap"), std::string::npos) << messages[0].first;
  EXPECT_NE(messages[0].first.find("modprobe ppdev"), std::string::npos);
  EXPECT_NE(messages[0].first.find("Function not implemented"), std::string::npos);
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

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "port/permission/ProcessIdentity.h"
#include "port/permission/SafeEnvironment.h"

namespace korvalinx {
namespace {

using Entries = std::vector<std::string>;

TEST(SafeEnvironment, KeepsWhatAWindowNeedsAndNothingThatLoadsCode) {
  const Entries caller = {
      "DISPLAY=:1",
      "WAYLAND_DISPLAY=wayland-0",
      "XAUTHORITY=/home/ann/.Xauthority",
      "XDG_RUNTIME_DIR=/run/user/1000",
      "LANG=de_DE.UTF-8",
      "LANGUAGE=de:en",
      "LC_TIME=en_GB.UTF-8",
      "LC_ALL=C.UTF-8",
      "TZ=Europe/Berlin",
      "HOME=/home/ann",
      "USER=ann",
      "LOGNAME=ann",
      "PATH=/home/ann/bin:/usr/bin",
      // Each of these can make the toolkit or the C library load code or
      // data from a folder of the caller's choice.
      "QT_PLUGIN_PATH=/home/ann/plugins",
      "QT_QPA_PLATFORM_PLUGIN_PATH=/home/ann/plugins/platforms",
      "QT_QPA_PLATFORM=vnc",
      "QT_QPA_PLATFORMTHEME=evil",
      "QT_STYLE_OVERRIDE=evil",
      "QT_IM_MODULE=evil",
      "QT_DEBUG_PLUGINS=1",
      "LD_PRELOAD=/home/ann/evil.so",
      "LD_LIBRARY_PATH=/home/ann/lib",
      "GCONV_PATH=/home/ann/gconv",
      "LOCPATH=/home/ann/locale",
      "FONTCONFIG_FILE=/home/ann/fonts.conf",
      "FONTCONFIG_PATH=/home/ann/fc",
      "XDG_DATA_DIRS=/home/ann/share",
      "XDG_CONFIG_DIRS=/home/ann/etc",
      "XDG_CONFIG_HOME=/home/ann/cfg",
      "XDG_DATA_HOME=/home/ann/data",
      "XDG_CURRENT_DESKTOP=GNOME",
      "GTK_MODULES=evil",
      "GIO_EXTRA_MODULES=/home/ann/gio",
      "XMODIFIERS=@im=evil",
      "DBUS_SESSION_BUS_ADDRESS=unix:path=/tmp/evil",
      "LC_=x",
      "LC_lower=x",
      "IFS=x",
  };
  EXPECT_EQ(SafeEnvironment(caller, std::nullopt),
            (Entries{"DISPLAY=:1", "WAYLAND_DISPLAY=wayland-0", "XAUTHORITY=/home/ann/.Xauthority",
                     "XDG_RUNTIME_DIR=/run/user/1000", "LANG=de_DE.UTF-8", "LANGUAGE=de:en",
                     "LC_TIME=en_GB.UTF-8", "LC_ALL=C.UTF-8", "TZ=Europe/Berlin", "HOME=/home/ann",
                     "USER=ann", "LOGNAME=ann", "PATH=/usr/local/bin:/usr/bin:/bin"}));
}

TEST(SafeEnvironment, DropsLocalesThatNamePathsDuplicatesAndMalformedEntries) {
  const Entries caller = {"LANG=/home/ann/locale/evil",
                          "LC_CTYPE=../../home/ann/x",
                          "DISPLAY=:1",
                          "DISPLAY=:2",
                          "=nameless",
                          "NOEQUALS",
                          "LC_MESSAGES=fr_FR"};
  EXPECT_EQ(SafeEnvironment(caller, std::nullopt),
            (Entries{"DISPLAY=:1", "LC_MESSAGES=fr_FR", "PATH=/usr/local/bin:/usr/bin:/bin"}));
}

TEST(SafeEnvironment, TheInvokingUsersHomeAndNameReplaceRoots) {
  const Entries caller = {"HOME=/root", "USER=root", "LOGNAME=root", "DISPLAY=:0"};
  EXPECT_EQ(SafeEnvironment(caller, UserEnvironment{"/home/bob", "bob"}),
            (Entries{"DISPLAY=:0", "HOME=/home/bob", "USER=bob", "LOGNAME=bob",
                     "PATH=/usr/local/bin:/usr/bin:/bin"}));
  // Without a home, root's is not kept either.
  EXPECT_EQ(SafeEnvironment(caller, UserEnvironment{"", ""}),
            (Entries{"DISPLAY=:0", "PATH=/usr/local/bin:/usr/bin:/bin"}));
}

TEST(ProcessIdentity, PrivilegedWhenTheKernelOrTheIdsSaySo) {
  struct Case {
    ProcessIdentity ids;
    bool privileged;
  };
  const Case cases[] = {
      {{false, 1000, 1000, 1000, 1000, false}, false},
      {{true, 1000, 1000, 1000, 1000, false}, true},  // file capabilities
      {{false, 1000, 0, 1000, 1000, false}, true},    // set-user-id root
      {{false, 1000, 1000, 1000, 0, false}, true},    // set-group-id
      {{false, 0, 0, 0, 0, false}, true},             // root
      {{false, 1000, 1000, 1000, 1000, true}, true},  // ambient capabilities
  };
  for (const Case& c : cases) EXPECT_EQ(RunsPrivileged(c.ids), c.privileged);
}

TEST(ProcessIdentity, OnlyRootTrustsTheRecordOfAnInvokingUser) {
  const std::vector<std::string> env = {"SUDO_UID=1001", "SUDO_GID=1002", "SUDO_USER=bob",
                                        "PKEXEC_UID=1003"};
  // A set-user-id copy goes on as its real user, whatever the caller set.
  const auto setuid = FindInvokingUser({true, 1000, 0, 1000, 1000, true}, env);
  ASSERT_TRUE(setuid.has_value());
  EXPECT_EQ(setuid->uid, 1000u);
  EXPECT_EQ(setuid->gid, 1000u);
  EXPECT_FALSE(setuid->fromRoot);

  const auto sudo = FindInvokingUser({false, 0, 0, 0, 0, true}, env);
  ASSERT_TRUE(sudo.has_value());
  EXPECT_EQ(sudo->uid, 1001u);
  EXPECT_EQ(sudo->gid, 1002u);
  EXPECT_EQ(sudo->nameHint, "bob");
  EXPECT_TRUE(sudo->fromRoot);

  const auto pkexec = FindInvokingUser({false, 0, 0, 0, 0, true}, {"PKEXEC_UID=1003"});
  ASSERT_TRUE(pkexec.has_value());
  EXPECT_EQ(pkexec->uid, 1003u);
  EXPECT_FALSE(pkexec->gid.has_value());

  // Root for root, or records that are not plain ids: root stays root.
  for (const std::vector<std::string>& record :
       std::vector<std::vector<std::string>>{{},
                                             {"SUDO_UID=0", "SUDO_GID=0"},
                                             {"SUDO_UID=1001"},
                                             {"SUDO_UID=1001x", "SUDO_GID=1001"},
                                             {"SUDO_UID=-1", "SUDO_GID=1001"},
                                             {"SUDO_UID=4294967295", "SUDO_GID=1001"},
                                             {"SUDO_UID=99999999999", "SUDO_GID=1001"},
                                             {"PKEXEC_UID="},
                                             {"PKEXEC_UID=0"}}) {
    EXPECT_FALSE(FindInvokingUser({false, 0, 0, 0, 0, true}, record).has_value())
        << (record.empty() ? "" : record[0]);
  }
}

}  // namespace
}  // namespace korvalinx

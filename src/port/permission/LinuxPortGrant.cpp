#include "port/permission/LinuxPortGrant.h"

#include <grp.h>
#include <pwd.h>
#include <sys/auxv.h>
#include <sys/capability.h>
#include <sys/io.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/os/ProgramPath.h"
#include "port/backends/HardwareAccess.h"

extern char** environ;

namespace korvalinx {

namespace {

std::string errnoText(int error) {
  return std::strerror(error);
}

// True when the status file shows no permitted, effective or inheritable
// capability. Ambient ones cannot exist without permitted and inheritable.
bool holdsNoCapability(const std::filesystem::path& status) {
  std::ifstream in(status);
  if (!in) return true;  // the thread has ended meanwhile
  std::string line;
  int seen = 0;
  while (std::getline(in, line)) {
    for (std::string_view key : {"CapInh:", "CapPrm:", "CapEff:"}) {
      if (!line.starts_with(key)) continue;
      ++seen;
      if (line.find_first_not_of("0 \t", key.size()) != std::string::npos) return false;
    }
  }
  return seen == 3;
}

}  // namespace

bool LinuxPortGrant::fail(const std::string& step, int error) {
  error_ = step + ": " + errnoText(error);
  return false;
}

ProcessIdentity LinuxPortGrant::identity() const {
  ProcessIdentity identity;
  identity.secureExecution = getauxval(AT_SECURE) != 0;
  identity.realUid = getuid();
  identity.effectiveUid = geteuid();
  identity.realGid = getgid();
  identity.effectiveGid = getegid();
  cap_t caps = cap_get_proc();
  if (caps == nullptr) {
    identity.holdsCapabilities = true;  // unknown: treated as privileged
  } else {
    cap_t none = cap_init();
    identity.holdsCapabilities = none == nullptr || cap_compare(caps, none) != 0;
    cap_free(none);
    cap_free(caps);
  }
  return identity;
}

std::vector<std::string> LinuxPortGrant::environment() const {
  std::vector<std::string> entries;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    entries.emplace_back(*entry);
  }
  return entries;
}

bool LinuxPortGrant::replaceEnvironment(const std::vector<std::string>& entries) {
  if (clearenv() != 0) return fail("clearing the environment", errno);
  for (const std::string& entry : entries) {
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = entry.substr(0, equals);
    if (setenv(name.c_str(), entry.c_str() + equals + 1, 1) != 0) {
      return fail("setting " + name, errno);
    }
  }
  return true;
}

bool LinuxPortGrant::grantPortAccess() {
  if (iopl(3) == 0) return true;
  // EPERM: CAP_SYS_RAWIO is missing. ENOSYS: the kernel has no port access
  // for programs at all (built without CONFIG_X86_IOPL_IOPERM).
  lackedPrivilege_ = errno == EPERM;
  error_ = errnoText(errno);
  return false;
}

void LinuxPortGrant::useDirectPortAccess() {
  UseDirectPortAccess();
}

bool LinuxPortGrant::parportDeviceListed() {
  return ParportDeviceListed();
}

std::optional<UserAccount> LinuxPortGrant::lookUpUser(uint32_t uid) {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  passwd entry{};
  passwd* found = nullptr;
  while (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
    buffer.resize(buffer.size() * 2);
  }
  if (found == nullptr) return std::nullopt;
  return UserAccount{found->pw_name, found->pw_gid, found->pw_dir != nullptr ? found->pw_dir : ""};
}

bool LinuxPortGrant::setGroups(const std::optional<UserAccount>& account, uint32_t gid) {
  if (account) {
    if (initgroups(account->name.c_str(), gid) != 0) return fail("initgroups", errno);
    return true;
  }
  const gid_t only = gid;
  if (setgroups(1, &only) != 0) return fail("setgroups", errno);
  return true;
}

bool LinuxPortGrant::setGroupIds(uint32_t gid) {
  if (setresgid(gid, gid, gid) != 0) return fail("setresgid", errno);
  gid_t real = 0, effective = 0, saved = 0;
  if (getresgid(&real, &effective, &saved) != 0) return fail("getresgid", errno);
  if (real != gid || effective != gid || saved != gid) {
    error_ = "the group ids did not change";
    return false;
  }
  return true;
}

bool LinuxPortGrant::setUserIds(uint32_t uid) {
  if (setresuid(uid, uid, uid) != 0) return fail("setresuid", errno);
  uid_t real = 0, effective = 0, saved = 0;
  if (getresuid(&real, &effective, &saved) != 0) return fail("getresuid", errno);
  if (real != uid || effective != uid || saved != uid) {
    error_ = "the user ids did not change";
    return false;
  }
  return true;
}

bool LinuxPortGrant::forbidNewPrivileges() {
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return fail("no-new-privileges", errno);
  return true;
}

bool LinuxPortGrant::dropCapabilities() {
  cap_t none = cap_init();  // all three sets empty
  lackedPrivilege_ = false;
  if (none == nullptr) {
    error_ = errnoText(errno);
    return false;
  }
  const int result = cap_set_proc(none);
  const int error = errno;
  cap_free(none);
  if (result != 0) {
    error_ = errnoText(error);
    return false;
  }

  // Capabilities belong to threads, and only the calling thread's can be
  // changed: a thread started before this one dropped them keeps its own.
  std::error_code listError;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", listError)) {
    if (!holdsNoCapability(task.path() / "status")) {
      error_ = "another thread of the process still holds capabilities";
      return false;
    }
  }
  if (listError) {
    error_ = "the threads of the process cannot be checked: " + listError.message();
    return false;
  }
  return true;
}

std::string LinuxPortGrant::programPath() const {
  return ProgramPath();
}

}  // namespace korvalinx

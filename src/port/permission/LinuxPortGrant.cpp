#include "port/permission/LinuxPortGrant.h"

#include <sys/capability.h>
#include <sys/io.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "platform/os/ProgramPath.h"

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

bool LinuxPortGrant::grantPortAccess() {
  if (iopl(3) == 0) return true;
  // EPERM: CAP_SYS_RAWIO is missing. ENOSYS: the kernel has no port access
  // for programs at all (built without CONFIG_X86_IOPL_IOPERM).
  lackedPrivilege_ = errno == EPERM;
  error_ = errnoText(errno);
  return false;
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

std::string LinuxPortGrant::programPath() const { return ProgramPath(); }

}  // namespace korvalinx
